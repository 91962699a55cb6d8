// mfc/String.h
// CString (ANSI) and CStringW: value strings with the members the program's windows use.
// The text lives in a std::basic_string; GetBuffer hands out its storage for C calls and
// ReleaseBuffer takes the length back.
#pragma once
#include <windows.h>
#include <cstdarg>
#include <string>
#include <type_traits>

template <class Ch>
class CStringT
{
    template <class Other>
    struct IsOtherWidth
        : std::integral_constant<bool, !std::is_same<Other, Ch>::value &&
                                           (std::is_same<Other, char>::value || std::is_same<Other, wchar_t>::value)> {};

public:
    typedef Ch XCHAR;
    typedef const Ch* PCXSTR;

    CStringT() {}
    CStringT(const CStringT& other) : m_text(other.m_text) {}
    CStringT(const Ch* text) { if (text) m_text = text; }
    CStringT(const Ch* text, int length) { if (text && length > 0) m_text.assign(text, length); }
    CStringT(Ch ch, int repeat = 1) { if (repeat > 0) m_text.assign(repeat, ch); }
    explicit CStringT(const std::basic_string<Ch>& text) : m_text(text) {}
    // The other character width, converted through the ANSI code page.
    template <class Other, class = typename std::enable_if<IsOtherWidth<Other>::value>::type>
    CStringT(const Other* text) { Assign(text); }
    template <class Other, class = typename std::enable_if<IsOtherWidth<Other>::value>::type>
    CStringT(const CStringT<Other>& text) { Assign(text.GetString()); }

    CStringT& operator=(const CStringT& other) { m_text = other.m_text; return *this; }
    CStringT& operator=(const Ch* text) { if (text) m_text = text; else m_text.clear(); return *this; }
    CStringT& operator=(Ch ch) { m_text.assign(1, ch); return *this; }
    CStringT& operator+=(const CStringT& other) { m_text += other.m_text; return *this; }
    CStringT& operator+=(const Ch* text) { if (text) m_text += text; return *this; }
    CStringT& operator+=(Ch ch) { m_text += ch; return *this; }

    operator const Ch*() const { return m_text.c_str(); }
    const Ch* GetString() const { return m_text.c_str(); }
    const std::basic_string<Ch>& str() const { return m_text; }

    int GetLength() const { return (int)m_text.size(); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // Out-of-range positions read as 0 and writes to them are ignored.
    Ch GetAt(int index) const { return (index >= 0 && index < GetLength()) ? m_text[index] : Ch(0); }
    void SetAt(int index, Ch ch) { if (index >= 0 && index < GetLength()) m_text[index] = ch; }
    Ch operator[](int index) const { return GetAt(index); }

    // Writable storage of at least minLength characters plus the terminator.
    Ch* GetBuffer(int minLength = 0);
    Ch* GetBufferSetLength(int length);
    // newLength -1: the text ends at the first 0 in the buffer.
    void ReleaseBuffer(int newLength = -1);

    // printf formatting (the Microsoft dialect: "%I64d"). A CString argument is passed as its
    // text, as callers of the framework write Format("%s", other).
    template <class... Args>
    void Format(const Ch* format, const Args&... args) { FormatRaw(format, FormatArg(args)...); }
    template <class... Args>
    void AppendFormat(const Ch* format, const Args&... args) { AppendFormatRaw(format, FormatArg(args)...); }
    void FormatV(const Ch* format, va_list args);
    void AppendFormatV(const Ch* format, va_list args);

    CStringT& MakeLower();
    CStringT& MakeUpper();
    CStringT& MakeReverse();

    // Positions are 0-based; -1 when not found or when start lies outside the text.
    int Find(Ch ch, int start = 0) const;
    int Find(const Ch* sub, int start = 0) const;
    int ReverseFind(Ch ch) const;
    int FindOneOf(const Ch* chars) const;

    // Counts are clamped to the text, as the callers expect of these members.
    CStringT Mid(int first) const { return Mid(first, GetLength()); }
    CStringT Mid(int first, int count) const;
    CStringT Left(int count) const { return Mid(0, count); }
    CStringT Right(int count) const;
    CStringT SpanIncluding(const Ch* chars) const;
    CStringT SpanExcluding(const Ch* chars) const;
    CStringT Tokenize(const Ch* delimiters, int& start) const;

    int Replace(Ch oldCh, Ch newCh);
    int Replace(const Ch* oldText, const Ch* newText);
    int Remove(Ch ch);
    int Insert(int index, Ch ch);
    int Insert(int index, const Ch* text);
    int Delete(int index, int count = 1);

    CStringT& Trim() { return TrimRight().TrimLeft(); }
    CStringT& TrimLeft();
    CStringT& TrimRight();
    CStringT& Trim(const Ch* chars) { return TrimRight(chars).TrimLeft(chars); }
    CStringT& TrimLeft(const Ch* chars);
    CStringT& TrimRight(const Ch* chars);
    CStringT& Trim(Ch ch) { Ch set[2] = {ch, 0}; return Trim(set); }

    int Compare(const Ch* text) const;
    // Case-blind for ASCII letters only (the program's one case rule).
    int CompareNoCase(const Ch* text) const;

    // A string resource of the program's module; FALSE when it has none.
    BOOL LoadString(UINT id);

private:
    template <class Other>
    void Assign(const Other* text);
    void FormatRaw(const Ch* format, ...);
    void AppendFormatRaw(const Ch* format, ...);
    template <class T>
    static const T& FormatArg(const T& value) { return value; }
    static const Ch* FormatArg(const CStringT& value) { return value.GetString(); }
    template <class Other, class = typename std::enable_if<IsOtherWidth<Other>::value>::type>
    static const Other* FormatArg(const CStringT<Other>& value) { return value.GetString(); }

    std::basic_string<Ch> m_text;
};

typedef CStringT<char> CString;
typedef CStringT<char> CStringA;
typedef CStringT<wchar_t> CStringW;

template <class Ch>
inline CStringT<Ch> operator+(const CStringT<Ch>& a, const CStringT<Ch>& b) { CStringT<Ch> r(a); r += b; return r; }
template <class Ch>
inline CStringT<Ch> operator+(const CStringT<Ch>& a, const Ch* b) { CStringT<Ch> r(a); r += b; return r; }
template <class Ch>
inline CStringT<Ch> operator+(const Ch* a, const CStringT<Ch>& b) { CStringT<Ch> r(a); r += b; return r; }
template <class Ch>
inline CStringT<Ch> operator+(const CStringT<Ch>& a, Ch b) { CStringT<Ch> r(a); r += b; return r; }
template <class Ch>
inline CStringT<Ch> operator+(Ch a, const CStringT<Ch>& b) { CStringT<Ch> r(a); r += b; return r; }

template <class Ch>
inline bool operator==(const CStringT<Ch>& a, const CStringT<Ch>& b) { return a.str() == b.str(); }
template <class Ch>
inline bool operator==(const CStringT<Ch>& a, const Ch* b) { return a.Compare(b) == 0; }
template <class Ch>
inline bool operator==(const Ch* a, const CStringT<Ch>& b) { return b.Compare(a) == 0; }
template <class Ch>
inline bool operator!=(const CStringT<Ch>& a, const CStringT<Ch>& b) { return !(a == b); }
template <class Ch>
inline bool operator!=(const CStringT<Ch>& a, const Ch* b) { return !(a == b); }
template <class Ch>
inline bool operator!=(const Ch* a, const CStringT<Ch>& b) { return !(b == a); }
template <class Ch>
inline bool operator<(const CStringT<Ch>& a, const CStringT<Ch>& b) { return a.str() < b.str(); }
template <class Ch>
inline bool operator<(const CStringT<Ch>& a, const Ch* b) { return a.Compare(b) < 0; }
template <class Ch>
inline bool operator>(const CStringT<Ch>& a, const CStringT<Ch>& b) { return b < a; }
template <class Ch>
inline bool operator>(const CStringT<Ch>& a, const Ch* b) { return a.Compare(b) > 0; }
template <class Ch>
inline bool operator<=(const CStringT<Ch>& a, const CStringT<Ch>& b) { return !(b < a); }
template <class Ch>
inline bool operator>=(const CStringT<Ch>& a, const CStringT<Ch>& b) { return !(a < b); }

extern template class CStringT<char>;
extern template class CStringT<wchar_t>;
