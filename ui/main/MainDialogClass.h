// ui/main/MainDialogClass.h
// The main dialog's own window class: a copy of the system dialog class under a name of its
// own, so that a second copy of the program can find the running one by class name.
#pragma once
#include <windows.h>

constexpr char kMainDialogClassName[] = "DoziredeZozevorur_UI";
constexpr UINT kMainDialogTemplateId = 102;

// Registers the class copy and template 102 naming it; repeated calls are harmless.
// FALSE when the class could not be registered.
BOOL RegisterMainDialogClass();
