// tests/support/ChildProcess.h
// A program a test starts in a process of its own, and the windows that process shows.
#pragma once
#include <windows.h>

#include <string.h>

#include <string>

// Ended (killed if still running) when the test lets go of it.
class ChildProcess
{
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess()
    {
        if (!m_info.hProcess)
            return;
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_info.hProcess, 9);
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }

    // Runs program (a full path) with arguments, in folder or in this process's own.
    bool Start(const std::string& program, const std::string& arguments = "",
               const char* folder = nullptr)
    {
        std::string command = "\"" + program + "\"";
        if (!arguments.empty())
            command += " " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        return CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                              folder, &startup, &m_info) != FALSE;
    }

    // The exit code once it ends within ms; STILL_ACTIVE while it runs on.
    DWORD WaitExit(DWORD ms)
    {
        if (WaitForSingleObject(m_info.hProcess, ms) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

    DWORD Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info = {};
};

namespace childprocess {

struct WindowSearch {
    DWORD process;
    const char* className;
    HWND found;
};

inline BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM data)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window))
        return TRUE;
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (search->className && strcmp(cls, search->className) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace childprocess

// The first visible top-level window of a process (of that class only, when one is named);
// null while it shows none.
inline HWND VisibleWindowOf(DWORD process, const char* className = nullptr)
{
    childprocess::WindowSearch search = {process, className, nullptr};
    EnumWindows(childprocess::MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
