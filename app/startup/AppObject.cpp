// app/startup/AppObject.cpp
// The program's one application object; the framework's WinMain runs it.
#include "app/startup/KvrUiApp.h"

CKVRUIApp theApp;
