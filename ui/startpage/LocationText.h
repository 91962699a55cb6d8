// ui/startpage/LocationText.h
// How the start page names the folder being scanned. No window.
#pragma once
#include <string>

// A location shorter than 4 characters ("C:\") is shown as a drive.
bool IsDriveLocation(const std::string& location);

// "" for an empty location; a drive as localDiskFormat (the translated "Localdisk", one %c
// for the letter; the English text when the translation does not fit); any other location as
// its last folder name, trailing backslashes ignored ("D:\Photos\" -> "Photos").
std::string LocationDisplayText(const std::string& location, const std::string& localDiskFormat);
