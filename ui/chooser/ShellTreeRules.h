// ui/chooser/ShellTreeRules.h
// What the folder tree shows of a shell item: its label and whether it is listed at all.
// No window and no shell calls: the callers gather the facts, so the rules are tested directly.
#pragma once
#include <functional>
#include <string>

// Drive types as GetDriveType gives them.
enum { kDriveRemovable = 2, kDriveCdRom = 5 };

// The label of a node: the last folder name of a file-system path (a trailing backslash
// ignored); the display name for an item without a path, a drive root, and a path with no
// backslash.
std::string ShellItemLabel(const std::string& path, const std::string& displayName);

// "X:\" alone. A folder path that merely ends in a backslash (Wine gives "Documents" so) is
// no drive and gets no free-space text.
bool IsDriveRootPath(const std::string& path);

// The name of a drive root before its free-space text: "Removable (E:)" for a removable
// drive, else the display name.
std::string DriveRootName(const std::string& path, const std::string& displayName,
                          unsigned driveType);

// Appends spaces until measure(text) reaches minWidth, at most maxSpaces of them: a measure
// that never grows (no font, a failed DrawText) must not hang the tree.
std::string PadToWidth(const std::string& text, const std::function<int(const std::string&)>& measure,
                       int minWidth, int maxSpaces = 64);

// The Control Panel is known by its name only where it has no path: an item without a
// file-system path whose label is, or occurs in, that name. A real folder called "Control"
// or "Panel" stays listed.
bool IsControlPanelByName(bool hasPath, const std::string& label,
                          const std::string& controlPanelName);

// What the shell and the disk said of one child item.
struct ShellItemFacts {
    std::string path;             // file-system path; empty for a virtual item
    bool isFolder = false;        // SFGAO_FOLDER
    bool isSpecialFolder = false; // Control Panel, Recycle Bin or the Internet folder
    unsigned driveType = 0;       // of the path's drive; 0 when not asked
    bool isDirectoryOnDisk = false;  // the path names a directory
    bool opensForReading = false;    // the path names a file that opens for reading
};

// False for the clutter the chooser never lists: archives the shell shows as folders, the
// Control Panel, Recycle Bin and Internet folders, optical drives, "::{" virtual folders, and
// items that are neither folders nor files.
bool ShouldShowShellItem(const ShellItemFacts& item);
