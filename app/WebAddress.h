// app/WebAddress.h
// Addresses from editable files (language files, a downloaded "Upgrade.ini") that the program
// hands to the shell. ShellExecute would run a program or open a local file as readily as it
// opens a page, so only web addresses may reach it.
#pragma once
#include <windows.h>

#include <string>

// "http://" or "https://" (any case) followed by a host, with no blanks, control characters
// or quotes, which the shell would split or mangle.
bool IsWebAddress(const std::string& url);

// Opens url in the user's browser when it is a web address; false (and nothing run) otherwise.
bool OpenWebAddress(HWND owner, const std::string& url);
