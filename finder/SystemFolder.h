// finder/SystemFolder.h
// Folders whose files a scan never offers for removal: the system's own.
#pragma once
#include <string>
#include <vector>

// True when the path lies in a system folder: one of the well-known folders of drive C, one of
// the given machine folders (each ending in a backslash), or, for a hidden file, any "\Boot\"
// folder. Letter case is ignored throughout. Paths under 10 characters are never system paths.
bool IsSystemPath(const std::string& path, bool hidden, const std::vector<std::string>& machineFolders);

// IsSystemPath for every file of one folder (ending in a backslash), decided once for the
// folder: a name holds no backslash, so only "C:\Windows.old" can reach across into it.
class FolderSystemTest
{
public:
    FolderSystemTest() = default;
    FolderSystemTest(const std::string& folder, const std::vector<std::string>& machineFolders);
    bool IsSystem(const std::string& name, bool hidden) const;

private:
    size_t m_length = 0;
    bool m_system = false;
    bool m_boot = false;
    bool m_driveCRoot = false;  // the folder ends in "C:\"
};

// The machine's own Windows, program-files and program-data folders, asked of the system once,
// each ending in a backslash.
const std::vector<std::string>& MachineSystemFolders();
