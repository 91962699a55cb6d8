// mfc/String.cpp
#include "mfc/String.h"

#include <string.h>

#include <algorithm>
#include <cstdio>
#include <vector>

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(minLength);
    // The terminator after size() belongs to the string in C++11, so a full buffer stays
    // terminated; the caller may write up to minLength characters plus that 0.
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    size_t length = newLength < 0 ? strlen(m_text.c_str()) : (size_t)newLength;
    m_text.resize(std::min(length, m_text.size()));
}

void CString::FormatV(const char* format, va_list args)
{
    m_text.clear();
    if (!format)
        return;
    // The Microsoft printf dialect ("%I64d", "%.01f") is what callers write; _vsnprintf
    // reports -1 when the buffer is short: grow until the text fits.
    std::vector<char> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = _vsnprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (n >= 0 && (size_t)n < buffer.size()) {
            m_text.assign(buffer.data(), n);
            return;
        }
        if (buffer.size() > (64u << 20))
            return;
        buffer.resize(n >= 0 ? (size_t)n + 1 : buffer.size() * 2);
    }
}

void CString::FormatRaw(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, start);
    return at == std::string::npos ? -1 : (int)at;
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t at = m_text.find(sub, start);
    return at == std::string::npos ? -1 : (int)at;
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (first >= GetLength() || count <= 0)
        return CString();
    return CString(m_text.substr(first, count));
}

CString CString::Right(int count) const
{
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(m_text.substr(GetLength() - count));
}
