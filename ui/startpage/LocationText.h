// ui/startpage/LocationText.h
// How the start page names the folder being scanned, and which drive it lies on. No window.
#pragma once
#include <string>

// A location shorter than 4 characters ("C:\") is shown as a drive.
bool IsDriveLocation(const std::string& location);

// "" for an empty location; a drive as localDiskFormat (the translated "Localdisk", one %c
// for the letter; the English text when the translation does not fit); any other location as
// its last folder name, trailing backslashes ignored ("D:\Photos\" -> "Photos").
std::string LocationDisplayText(const std::string& location, const std::string& localDiskFormat);

// The root whose used space measures the scan: "X:\" of a drive path, "\\server\share\" of a
// network path; "" when the location names neither.
std::string VolumeRootOf(const std::string& location);
