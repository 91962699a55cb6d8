// app/SafeFormat.cpp
#include "app/SafeFormat.h"

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

// One piece of a format: literal text, or one conversion rebuilt in a form snprintf takes
// with exactly one argument of `kind`.
struct FormatPiece {
    bool isConversion = false;
    std::string text;   // literal text, or the rebuilt conversion ("%-8.2f", "%lld")
    FormatArg::Kind kind = FormatArg::Kind::Int32;
};

bool ReadNumber(const char*& p, int& value)
{
    value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > kMaxFormatWidth)
            return false;
        ++p;
    }
    return true;
}

// Parses one conversion after its '%'; false when the rules refuse it.
bool ParseConversion(const char*& p, FormatPiece& piece)
{
    std::string conversion = "%";
    while (*p && strchr("-+ 0#", *p))
        conversion += *p++;
    const char* start = p;
    int number = 0;
    if (!ReadNumber(p, number))
        return false;
    conversion.append(start, p);
    if (*p == '.') {
        conversion += *p++;
        start = p;
        if (!ReadNumber(p, number))
            return false;
        conversion.append(start, p);
    }
    enum { None, Short, Char, Long, LongLong } length = None;
    if (p[0] == 'h' && p[1] == 'h') { length = Char; p += 2; }
    else if (p[0] == 'h') { length = Short; p += 1; }
    else if (p[0] == 'l' && p[1] == 'l') { length = LongLong; p += 2; }
    else if (p[0] == 'l') { length = Long; p += 1; }
    else if (p[0] == 'q') { length = LongLong; p += 1; }
    else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { length = LongLong; p += 3; }
    else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') { length = Long; p += 3; }

    const char letter = *p;
    if (!letter)
        return false;
    ++p;
    if (strchr("diuxXo", letter)) {
        piece.kind = length == LongLong ? FormatArg::Kind::Int64 : FormatArg::Kind::Int32;
        if (length == LongLong)
            conversion += "ll";
        else if (length == Short)
            conversion += "h";
        else if (length == Char)
            conversion += "hh";
    } else if (letter == 'c') {
        if (length != None)
            return false;   // "%lc" is a wide character
        piece.kind = FormatArg::Kind::Int32;
    } else if (strchr("fFeEgGaA", letter)) {
        if (length != None && length != Long)
            return false;
        piece.kind = FormatArg::Kind::Double;
    } else if (letter == 's') {
        if (length != None)
            return false;   // "%ls" is a wide text
        piece.kind = FormatArg::Kind::Text;
    } else {
        return false;   // %n, %p, %S, %C, "%1$", "*" and anything unknown
    }
    conversion += letter;
    piece.isConversion = true;
    piece.text = conversion;
    return true;
}

bool ParseFormat(const char* format, std::vector<FormatPiece>& pieces)
{
    pieces.clear();
    if (!format)
        return false;
    std::string literal;
    for (const char* p = format; *p;) {
        if (*p != '%') {
            literal += *p++;
            continue;
        }
        ++p;
        if (*p == '%') {
            literal += '%';
            ++p;
            continue;
        }
        if (!literal.empty()) {
            pieces.push_back(FormatPiece{false, literal, FormatArg::Kind::Int32});
            literal.clear();
        }
        FormatPiece piece;
        if (!ParseConversion(p, piece))
            return false;
        pieces.push_back(piece);
    }
    if (!literal.empty())
        pieces.push_back(FormatPiece{false, literal, FormatArg::Kind::Int32});
    return true;
}

// A 64-bit integer (a size_t on 64-bit Windows, a file size) may fill a 32-bit conversion:
// it is printed whole (see Render). The other way round stays refused: a translated "%I64d"
// for a 32-bit count is a mistake of the translation.
bool KindFits(FormatArg::Kind arg, FormatArg::Kind conversion)
{
    return arg == conversion ||
           (arg == FormatArg::Kind::Int64 && conversion == FormatArg::Kind::Int32);
}

// "%5d" or "%hx" rebuilt for a 64-bit argument: "%5lld", "%llx"; "%c" stays as it is.
std::string WidenTo64(const std::string& conversion)
{
    const char letter = conversion.back();
    if (letter == 'c')
        return conversion;
    std::string wide = conversion.substr(0, conversion.size() - 1);
    while (!wide.empty() && wide.back() == 'h')
        wide.pop_back();
    return wide + "ll" + letter;
}

bool PiecesMatch(const std::vector<FormatPiece>& pieces, std::initializer_list<FormatArg> args)
{
    auto arg = args.begin();
    for (const FormatPiece& piece : pieces) {
        if (!piece.isConversion)
            continue;
        if (arg == args.end() || !KindFits(arg->kind(), piece.kind))
            return false;
        ++arg;
    }
    return arg == args.end();
}

template <class T>
void AppendFormatted(std::string& out, const char* conversion, T value)
{
    int needed = snprintf(nullptr, 0, conversion, value);
    if (needed <= 0)
        return;
    std::vector<char> buffer(size_t(needed) + 1);
    snprintf(buffer.data(), buffer.size(), conversion, value);
    out.append(buffer.data(), size_t(needed));
}

std::string Render(const std::vector<FormatPiece>& pieces, std::initializer_list<FormatArg> args)
{
    std::string out;
    auto arg = args.begin();
    for (const FormatPiece& piece : pieces) {
        if (!piece.isConversion) {
            out += piece.text;
            continue;
        }
        const char* conversion = piece.text.c_str();
        switch (piece.kind) {
        case FormatArg::Kind::Int32:
            if (arg->kind() == FormatArg::Kind::Int64 && piece.text.back() != 'c')
                AppendFormatted(out, WidenTo64(piece.text).c_str(), arg->integer());
            else
                AppendFormatted(out, conversion, int(arg->integer()));
            break;
        case FormatArg::Kind::Int64: AppendFormatted(out, conversion, arg->integer()); break;
        case FormatArg::Kind::Double: AppendFormatted(out, conversion, arg->real()); break;
        case FormatArg::Kind::Text: AppendFormatted(out, conversion, arg->text()); break;
        }
        ++arg;
    }
    return out;
}

}  // namespace

bool FormatMatchesArgs(const char* format, std::initializer_list<FormatArg> args)
{
    std::vector<FormatPiece> pieces;
    return ParseFormat(format, pieces) && PiecesMatch(pieces, args);
}

std::string SafeFormat(const std::string& translated, const char* fallback,
                       std::initializer_list<FormatArg> args)
{
    std::vector<FormatPiece> pieces;
    if (!translated.empty() && ParseFormat(translated.c_str(), pieces) && PiecesMatch(pieces, args))
        return Render(pieces, args);
    if (ParseFormat(fallback, pieces) && PiecesMatch(pieces, args))
        return Render(pieces, args);
    return std::string();
}

std::string FormatLangArgs(const char* key, std::initializer_list<FormatArg> args)
{
    std::vector<FormatPiece> pieces;
    for (const std::string& format : {GetLangString(key), GetEnglishDatString(key), GetBuiltInEnglishString(key)})
        if (!format.empty() && ParseFormat(format.c_str(), pieces) && PiecesMatch(pieces, args))
            return Render(pieces, args);
    return std::string();
}

std::string FormatLangCountArgs(const char* key, long long count, std::initializer_list<FormatArg> args)
{
    if (key && count == 1) {
        const std::string singular = FormatLangArgs((std::string(key) + "One").c_str(), args);
        if (!singular.empty())
            return singular;
    }
    return FormatLangArgs(key, args);
}
