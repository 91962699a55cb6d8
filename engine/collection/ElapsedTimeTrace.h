// engine/collection/ElapsedTimeTrace.h
// A named stopwatch for the debugger's output: each report gives the milliseconds since the
// start or since the previous report.
#pragma once
#include <stdint.h>

#include <chrono>
#include <functional>
#include <string>

class ElapsedTimeTrace {
public:
    using Sink = std::function<void(const char* line)>;
    // Without a sink the reports go nowhere.
    ElapsedTimeTrace(const char* name, Sink sink);
    // Writes "<name> dwElapsedTime <ms> \n" and starts counting again.
    void Report();
    // The line Report writes for a given count of milliseconds.
    static std::string FormatLine(const char* name, uint32_t milliseconds);

private:
    std::string m_name;
    Sink m_sink;
    std::chrono::steady_clock::time_point m_mark;
};
