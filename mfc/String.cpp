// mfc/String.cpp
#include "mfc/String.h"
#include "app/TextCase.h"
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

// The Microsoft printf dialect ("%I64d", "%.01f") is what callers write.
int FormatInto(char* buf, size_t size, const char* format, va_list args)
{
    return _vsnprintf(buf, size, format, args);
}
int FormatInto(wchar_t* buf, size_t size, const wchar_t* format, va_list args)
{
    return _vsnwprintf(buf, size, format, args);
}

template <class Ch>
size_t TextLength(const Ch* text)
{
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

template <class Ch>
bool InSet(Ch ch, const Ch* set)
{
    for (; set && *set; ++set)
        if (*set == ch)
            return true;
    return false;
}

template <class Ch>
bool IsSpace(Ch ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

template <class Ch>
Ch UpperAscii(Ch ch)
{
    return (ch >= 'a' && ch <= 'z') ? Ch(ch - 'a' + 'A') : ch;
}

template <class Ch>
Ch LowerAsciiChar(Ch ch)
{
    return (ch >= 'A' && ch <= 'Z') ? Ch(ch - 'A' + 'a') : ch;
}

} // namespace

template <class Ch>
template <class Other>
void CStringT<Ch>::Assign(const Other* text)
{
    m_text.clear();
    if (!text || !*text)
        return;
    if constexpr (sizeof(Ch) == 2 && sizeof(Other) == 1) {
        int n = MultiByteToWideChar(CP_ACP, 0, (const char*)text, -1, nullptr, 0);
        if (n > 1) {
            m_text.resize(n);
            MultiByteToWideChar(CP_ACP, 0, (const char*)text, -1, (wchar_t*)&m_text[0], n);
            m_text.resize(n - 1);
        }
    } else if constexpr (sizeof(Ch) == 1 && sizeof(Other) == 2) {
        int n = WideCharToMultiByte(CP_ACP, 0, (const wchar_t*)text, -1, nullptr, 0, nullptr, nullptr);
        if (n > 1) {
            m_text.resize(n);
            WideCharToMultiByte(CP_ACP, 0, (const wchar_t*)text, -1, (char*)&m_text[0], n, nullptr, nullptr);
            m_text.resize(n - 1);
        }
    }
}

template <class Ch>
Ch* CStringT<Ch>::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(minLength);
    // The terminator after size() belongs to the string in C++11, so a full buffer stays
    // terminated; the caller may write up to minLength characters plus that 0.
    return &m_text[0];
}

template <class Ch>
Ch* CStringT<Ch>::GetBufferSetLength(int length)
{
    m_text.resize(length < 0 ? 0 : length);
    return &m_text[0];
}

template <class Ch>
void CStringT<Ch>::ReleaseBuffer(int newLength)
{
    size_t len = newLength < 0 ? TextLength(m_text.c_str()) : (size_t)newLength;
    m_text.resize(std::min(len, m_text.size()));
}

template <class Ch>
void CStringT<Ch>::FormatV(const Ch* format, va_list args)
{
    m_text.clear();
    AppendFormatV(format, args);
}

template <class Ch>
void CStringT<Ch>::AppendFormatV(const Ch* format, va_list args)
{
    if (!format)
        return;
    // _vsnprintf reports -1 when the buffer is short: grow until the text fits.
    std::vector<Ch> buf(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = FormatInto(buf.data(), buf.size(), format, copy);
        va_end(copy);
        if (n >= 0 && (size_t)n < buf.size()) {
            m_text.append(buf.data(), n);
            return;
        }
        if (buf.size() > (64u << 20))
            return;
        buf.resize(n >= 0 ? (size_t)n + 1 : buf.size() * 2);
    }
}

template <class Ch>
void CStringT<Ch>::FormatRaw(const Ch* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

template <class Ch>
void CStringT<Ch>::AppendFormatRaw(const Ch* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

template <class Ch>
CStringT<Ch>& CStringT<Ch>::MakeLower()
{
    if constexpr (std::is_same<Ch, char>::value) {
        if (!m_text.empty())
            MakeLowerAscii(&m_text[0]);
    } else {
        for (auto& ch : m_text)
            ch = LowerAsciiChar(ch);
    }
    return *this;
}

template <class Ch>
CStringT<Ch>& CStringT<Ch>::MakeUpper()
{
    for (auto& ch : m_text)
        ch = UpperAscii(ch);
    return *this;
}

template <class Ch>
CStringT<Ch>& CStringT<Ch>::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

template <class Ch>
int CStringT<Ch>::Find(Ch ch, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    size_t pos = m_text.find(ch, start);
    return pos == std::basic_string<Ch>::npos ? -1 : (int)pos;
}

template <class Ch>
int CStringT<Ch>::Find(const Ch* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t pos = m_text.find(sub, start);
    return pos == std::basic_string<Ch>::npos ? -1 : (int)pos;
}

template <class Ch>
int CStringT<Ch>::ReverseFind(Ch ch) const
{
    size_t pos = m_text.rfind(ch);
    return pos == std::basic_string<Ch>::npos ? -1 : (int)pos;
}

template <class Ch>
int CStringT<Ch>::FindOneOf(const Ch* chars) const
{
    if (!chars)
        return -1;
    size_t pos = m_text.find_first_of(chars);
    return pos == std::basic_string<Ch>::npos ? -1 : (int)pos;
}

template <class Ch>
CStringT<Ch> CStringT<Ch>::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count < 0 || first >= GetLength())
        return CStringT();
    return CStringT(m_text.substr(first, count));
}

template <class Ch>
CStringT<Ch> CStringT<Ch>::Right(int count) const
{
    if (count <= 0)
        return CStringT();
    if (count >= GetLength())
        return *this;
    return CStringT(m_text.substr(GetLength() - count));
}

template <class Ch>
CStringT<Ch> CStringT<Ch>::SpanIncluding(const Ch* chars) const
{
    size_t n = 0;
    while (n < m_text.size() && InSet(m_text[n], chars))
        ++n;
    return CStringT(m_text.substr(0, n));
}

template <class Ch>
CStringT<Ch> CStringT<Ch>::SpanExcluding(const Ch* chars) const
{
    size_t n = 0;
    while (n < m_text.size() && !InSet(m_text[n], chars))
        ++n;
    return CStringT(m_text.substr(0, n));
}

template <class Ch>
CStringT<Ch> CStringT<Ch>::Tokenize(const Ch* delimiters, int& start) const
{
    if (start < 0)
        return CStringT();
    size_t pos = start;
    while (pos < m_text.size() && InSet(m_text[pos], delimiters))
        ++pos;
    if (pos >= m_text.size()) {
        start = -1;
        return CStringT();
    }
    size_t end = pos;
    while (end < m_text.size() && !InSet(m_text[end], delimiters))
        ++end;
    start = (int)end + (end < m_text.size() ? 1 : 0);
    return CStringT(m_text.substr(pos, end - pos));
}

template <class Ch>
int CStringT<Ch>::Replace(Ch oldCh, Ch newCh)
{
    int count = 0;
    for (auto& ch : m_text)
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    return count;
}

template <class Ch>
int CStringT<Ch>::Replace(const Ch* oldText, const Ch* newText)
{
    // An empty pattern would match everywhere: nothing is replaced.
    if (!oldText || !*oldText)
        return 0;
    std::basic_string<Ch> from(oldText), to;
    if (newText)
        to = newText;
    int count = 0;
    size_t pos = 0;
    while ((pos = m_text.find(from, pos)) != std::basic_string<Ch>::npos) {
        m_text.replace(pos, from.size(), to);
        pos += to.size();
        ++count;
    }
    return count;
}

template <class Ch>
int CStringT<Ch>::Remove(Ch ch)
{
    size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return (int)(before - m_text.size());
}

template <class Ch>
int CStringT<Ch>::Insert(int index, Ch ch)
{
    index = std::max(0, std::min(index, GetLength()));
    m_text.insert(m_text.begin() + index, ch);
    return GetLength();
}

template <class Ch>
int CStringT<Ch>::Insert(int index, const Ch* text)
{
    index = std::max(0, std::min(index, GetLength()));
    if (text)
        m_text.insert(index, text);
    return GetLength();
}

template <class Ch>
int CStringT<Ch>::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_text.erase(index, count);
    return GetLength();
}

template <class Ch>
CStringT<Ch>& CStringT<Ch>::TrimLeft()
{
    size_t n = 0;
    while (n < m_text.size() && IsSpace(m_text[n]))
        ++n;
    m_text.erase(0, n);
    return *this;
}

template <class Ch>
CStringT<Ch>& CStringT<Ch>::TrimRight()
{
    size_t n = m_text.size();
    while (n > 0 && IsSpace(m_text[n - 1]))
        --n;
    m_text.resize(n);
    return *this;
}

template <class Ch>
CStringT<Ch>& CStringT<Ch>::TrimLeft(const Ch* chars)
{
    size_t n = 0;
    while (n < m_text.size() && InSet(m_text[n], chars))
        ++n;
    m_text.erase(0, n);
    return *this;
}

template <class Ch>
CStringT<Ch>& CStringT<Ch>::TrimRight(const Ch* chars)
{
    size_t n = m_text.size();
    while (n > 0 && InSet(m_text[n - 1], chars))
        --n;
    m_text.resize(n);
    return *this;
}

template <class Ch>
int CStringT<Ch>::Compare(const Ch* text) const
{
    int r = m_text.compare(text ? text : GetString() + GetLength());
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

template <class Ch>
int CStringT<Ch>::CompareNoCase(const Ch* text) const
{
    if (!text)
        text = GetString() + GetLength();
    const Ch* a = m_text.c_str();
    for (;; ++a, ++text) {
        Ch x = LowerAsciiChar(*a), y = LowerAsciiChar(*text);
        if (x != y)
            return (typename std::make_unsigned<Ch>::type)x < (typename std::make_unsigned<Ch>::type)y ? -1 : 1;
        if (!x)
            return 0;
    }
}

template <class Ch>
BOOL CStringT<Ch>::LoadString(UINT id)
{
    Ch buf[1024];
    int n;
    if constexpr (std::is_same<Ch, char>::value)
        n = ::LoadStringA(GetModuleHandleA(nullptr), id, (char*)buf, 1024);
    else
        n = ::LoadStringW(GetModuleHandleW(nullptr), id, (wchar_t*)buf, 1024);
    m_text.assign(buf, n > 0 ? n : 0);
    return n > 0;
}

template class CStringT<char>;
template class CStringT<wchar_t>;
template void CStringT<char>::Assign<wchar_t>(const wchar_t*);
template void CStringT<wchar_t>::Assign<char>(const char*);
