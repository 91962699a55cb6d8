// mfc/AppMain.cpp
// The program's entry point, in a file of its own so that only programs without a main()
// (the application, not the test programs) link it.
#include "mfc/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow)
{
    return AfxWinMain(instance, cmdLine, cmdShow);
}
