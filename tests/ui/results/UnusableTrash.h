// tests/ui/results/UnusableTrash.h
// Makes the Wine trash of the tests ($XDG_DATA_HOME/Trash) unable to take files while it
// lives: its "files" folder (the shell then wants to delete for ever instead) or its "info"
// folder (the shell then says all went well and moves nothing) is set aside, and a plain file
// of that name stands in its place. The tests run as root, whom a read-only folder stops not.
#pragma once
#include <windows.h>

#include <string>

#include "tests/support/WinePath.h"

namespace resultstest {

class UnusableTrash
{
public:
    explicit UnusableTrash(const char* part)
        : m_path(FixtureDir() + "\\results\\xdg\\Trash\\" + part), m_aside(m_path + "-aside")
    {
        if (!MoveFileA(m_path.c_str(), m_aside.c_str()))
            return;
        HANDLE file = CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        m_ready = file != INVALID_HANDLE_VALUE;
        if (m_ready)
            CloseHandle(file);
    }
    ~UnusableTrash() { Restore(); }
    void Restore()
    {
        if (GetFileAttributesA(m_aside.c_str()) == INVALID_FILE_ATTRIBUTES)
            return;
        DeleteFileA(m_path.c_str());
        MoveFileA(m_aside.c_str(), m_path.c_str());
        m_ready = false;
    }
    bool Ready() const { return m_ready; }

private:
    std::string m_path, m_aside;
    bool m_ready = false;
};

}  // namespace resultstest
