// program/AppObject.cpp
// The program's one application object; the framework's WinMain runs it.
#include "program/KvrUiApp.h"

CKVRUIApp theApp;
