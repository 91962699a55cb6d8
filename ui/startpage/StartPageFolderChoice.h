// ui/startpage/StartPageFolderChoice.h
// The folder chooser as the start page runs it.
#pragma once
#include <windows.h>
#include <string>

// Runs the folder chooser over parent; true with the confirmed folder on OK.
bool ChooseScanFolder(HWND parent, std::string& folder);
