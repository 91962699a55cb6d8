// ui/update/UpgradeCheck.h
// The window-free half of the update check: reading "Upgrade.ini" and deciding what it offers.
#pragma once
#include <string>

// The running program's version, from its own version resource (the one About shows); only
// its first two numbers are compared with an offer.
struct InstalledVersion {
    bool known = false;
    unsigned major = 0, minor = 0;
};
InstalledVersion ReadInstalledVersion();

// Failed: no offer could be read; WriteFailed: the offer could not be stored to be read.
enum class UpgradeOutcome { Failed, Newer, UpToDate, WriteFailed };

// The largest "Upgrade.ini" taken: a few lines; a server that sends more is not believed.
const unsigned long kUpgradeFileCap = 16 * 1024;

struct UpgradeVerdict {
    UpgradeOutcome outcome = UpgradeOutcome::Failed;
    std::string downloadUrl;   // set only for Newer
};

// Exactly four dot-separated decimal numbers, each 0 to 65535, nothing before or after
// (surrounding blanks allowed). False for anything else: a version the program cannot read
// must not be taken for a newer (or an older) one.
bool ParseProductVersion(const std::string& text, unsigned parts[4]);

// True when major.minor is above the installed version's.
bool IsNewerThan(unsigned major, unsigned minor, const InstalledVersion& installed);

// The verdict on the two values of section "VERSION". Failed when the installed version is
// not known: nothing can be said to be newer or not.
UpgradeVerdict JudgeUpgradeValues(const std::string& productVersion, const std::string& url,
                                  const InstalledVersion& installed);

// The verdict on a downloaded file (Failed when it cannot be read or is larger than the cap).
UpgradeVerdict JudgeUpgradeFile(const std::string& iniPath, const InstalledVersion& installed);

// Language string "UpgradeIni" + "?k=" + tick, so that no cache answers.
std::string MakeUpgradeAddress(const std::string& base, unsigned long tick);
