// tests/ui/results/ImmutableFile.h
// Makes a file immutable (chattr +i, run from the test: Wine starts Linux programs) while it
// lives, so that no one, root included, can move it: the shell cannot put it in the bin. The
// tests run as root on a file system that keeps the flag (ext4 here); Ready() says whether it
// took.
#pragma once
#include <windows.h>

#include <string>

namespace resultstest {

class ImmutableFile
{
public:
    explicit ImmutableFile(const std::string& path) : m_path(path)
    {
        m_ready = Chattr("+i") && Becomes(false);
    }
    ~ImmutableFile()
    {
        if (Chattr("-i"))
            Becomes(true);
    }
    bool Ready() const { return m_ready; }

private:
    // Waits (10 s at most) until the file can be renamed, or cannot: the Linux program's end
    // is not told to the waiting Windows side.
    bool Becomes(bool movable)
    {
        const std::string aside = m_path + ".aside";
        for (int i = 0; i < 500; ++i) {
            const bool moved = MoveFileA(m_path.c_str(), aside.c_str()) != FALSE;
            if (moved)
                MoveFileA(aside.c_str(), m_path.c_str());
            if (moved == movable)
                return true;
            Sleep(20);
        }
        return false;
    }

    // "Z:\a\b" is "/a/b".
    bool Chattr(const char* flag)
    {
        std::string unixPath = m_path.substr(2);
        for (char& c : unixPath)
            if (c == '\\')
                c = '/';
        // Through the shell: started straight, chattr now and then left the flag unchanged.
        std::string command = std::string("/bin/sh -c \"/usr/bin/chattr ") + flag + " '" + unixPath + "'\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        // From a folder of its own: the one the test left current may be gone.
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, "Z:\\", &startup, &info))
            return false;
        WaitForSingleObject(info.hProcess, 10000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
        return true;
    }

    std::string m_path;
    bool m_ready = false;
};

}  // namespace resultstest
