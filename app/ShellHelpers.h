// app/ShellHelpers.h
// Shell file information (system icons, type names) and the folders of shell libraries.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <set>
#include <string>

// The system image list (small or large icons); null when the shell gives none.
HIMAGELIST GetSysIconList(bool small);
// System image-list index for a file name by its extension (the file need not exist); -1 when
// the shell gives none.
int GetFileIconIndex(const char* path, bool small);
int GetFolderIconIndex(bool small);
// Icons the caller destroys with DestroyIcon; null when the shell gives none.
HICON GetFileIcon(const char* path, bool small);
HICON GetFolderIcon(bool small);
// The shell's type name for a file name ("Text Document"); empty when unknown.
std::string GetFileTypeName(const char* path);

// Adds the file-system folders of the shell library libraryName + ".library-ms" (in the
// Libraries known folder) to folders. False when the system offers no shell libraries.
bool GetKnownFolderPath(const char* libraryName, std::set<std::string>& folders);
// Adds the file-system path of the known folder to folders; false when the shell cannot
// name it.
bool GetKnownFolderPathByItem(REFGUID knownFolder, std::set<std::string>& folders);
