// ui/update/UpgradeCheck.h
// The window-free half of the update check: reading "Upgrade.ini" and deciding what it offers.
#pragma once
#include <string>

// The version built into the program; only these two numbers are compared.
const unsigned kBuiltInMajorVersion = 3;
const unsigned kBuiltInMinorVersion = 2;

enum class UpgradeOutcome { Failed, Newer, UpToDate };

struct UpgradeVerdict {
    UpgradeOutcome outcome = UpgradeOutcome::Failed;
    std::string downloadUrl;   // set only for Newer
};

// Exactly four dot-separated decimal numbers, each 0 to 65535, nothing before or after
// (surrounding blanks allowed). False for anything else: a version the program cannot read
// must not be taken for a newer (or an older) one.
bool ParseProductVersion(const std::string& text, unsigned parts[4]);

// True when major.minor is above the built-in version.
bool IsNewerThanBuiltIn(unsigned major, unsigned minor);

// Only web addresses may reach the shell: the file is downloaded and editable, and
// ShellExecute would run a program or open a local file just as readily.
bool IsWebAddress(const std::string& url);

// The verdict on the two values of section "VERSION".
UpgradeVerdict JudgeUpgradeValues(const std::string& productVersion, const std::string& url);

// The verdict on a downloaded file (Failed when it cannot be read).
UpgradeVerdict JudgeUpgradeFile(const std::string& iniPath);

// Language string "UpgradeIni" + "?k=" + tick, so that no cache answers.
std::string MakeUpgradeAddress(const std::string& base, unsigned long tick);
