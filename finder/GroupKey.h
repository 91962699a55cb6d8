// finder/GroupKey.h
// Paths of the walk and the keys under which files are grouped.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

// Whether the path ends in a backslash that is a character of its own: in a double-byte code
// page (0: the ANSI one) the second byte of a character can be 0x5C too.
bool EndsInPathSeparator(const std::string& path, unsigned codePage = 0);
// F + "*.*" when F ends in a backslash, else F + "\*.*".
std::string SearchPattern(const std::string& folder);
// F + name when F ends in a backslash, else F + "\" + name.
std::string ChildPath(const std::string& folder, const std::string& name);

// Where a file index is unique: "c:" of "C:\a\b", "\\server\share" of "\\server\share\a",
// lower-cased.
std::string VolumeRoot(const std::string& path);

// The extension of a group key: the lower-cased text after the name's last dot when that dot
// stands after the first character and something follows it; else "null".
std::string KeyExtension(const std::string& name);

// "size|extension|content" (content: the number of the set of copies the file is in, empty
// for a file in none).
std::string MakeGroupKey(int64_t size, const std::string& extension, const std::string& content);

// Look-alike groups (pictures paired by the picture matcher, not byte-for-byte copies) have keys
// of their own, with no '|'; every exact group's key has one.
bool IsLookAlikeGroupKey(const std::string& key);

// Splits text at any of the delimiter characters, as strtok does: empty fields never appear.
// A null text or null delimiters does nothing.
void SplitString(const char* text, const char* delimiters, std::vector<std::string>& parts);
