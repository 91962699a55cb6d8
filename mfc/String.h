// mfc/String.h
// CString: an ANSI value string with the framework's core members (text, length, buffer for
// C calls, printf formatting, search and cuts). The text lives in a std::string; GetBuffer
// hands out its storage and ReleaseBuffer takes the length back.
#pragma once
#include <windows.h>
#include <cstdarg>
#include <string>

class CString
{
public:
    CString() {}
    CString(const char* text) { if (text) m_text = text; }
    CString(const char* text, int length) { if (text && length > 0) m_text.assign(text, length); }
    explicit CString(const std::string& text) : m_text(text) {}

    CString& operator=(const char* text) { if (text) m_text = text; else m_text.clear(); return *this; }
    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char* text) { if (text) m_text += text; return *this; }
    CString& operator+=(char ch) { m_text += ch; return *this; }

    operator const char*() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    int GetLength() const { return (int)m_text.size(); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // Writable storage of at least minLength characters plus the terminator.
    char* GetBuffer(int minLength = 0);
    // newLength -1: the text ends at the first 0 in the buffer.
    void ReleaseBuffer(int newLength = -1);

    // printf formatting (the Microsoft dialect: "%I64d"). A CString argument is passed as its
    // text, as callers of the framework write Format("%s", other).
    template <class... Args>
    void Format(const char* format, const Args&... args) { FormatRaw(format, FormatArg(args)...); }
    void FormatV(const char* format, va_list args);

    // Positions are 0-based; -1 when not found or when start lies outside the text.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    // Counts are clamped to the text.
    CString Mid(int first) const { return Mid(first, GetLength()); }
    CString Mid(int first, int count) const;
    CString Left(int count) const { return Mid(0, count); }
    CString Right(int count) const;
    int Compare(const char* text) const { return m_text.compare(text ? text : ""); }

private:
    void FormatRaw(const char* format, ...);
    template <class T>
    static const T& FormatArg(const T& value) { return value; }
    static const char* FormatArg(const CString& value) { return value.GetString(); }

    std::string m_text;
};

inline CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
inline CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
inline CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
inline bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.str() < b.str(); }
