// engine/collection/ElapsedTimeTrace.cpp
#include "engine/collection/ElapsedTimeTrace.h"


ElapsedTimeTrace::ElapsedTimeTrace(const char* name, Sink sink)
    : m_name(name ? name : ""), m_sink(std::move(sink)), m_mark(std::chrono::steady_clock::now())
{
}

std::string ElapsedTimeTrace::FormatLine(const char* name, uint32_t milliseconds)
{
    // The name is kept whole, however long: a cut line would lose the figure it exists for.
    return std::string(name ? name : "") + " dwElapsedTime " + std::to_string(milliseconds) + " \n";
}

void ElapsedTimeTrace::Report()
{
    const auto now = std::chrono::steady_clock::now();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_mark).count();
    m_mark = now;
    if (m_sink)
        m_sink(FormatLine(m_name.c_str(), uint32_t(ms)).c_str());
}
