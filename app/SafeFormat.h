// app/SafeFormat.h
// The one way to use a translated text as a printf format.
//
// A language file is data: a translator's "%s" where the program passes a number, a missing
// or extra conversion, or a "%n" must never reach printf. SafeFormat checks the translated
// format against the arguments actually passed, and uses the program's own English format
// when they disagree:
//
//     std::string text = FormatLangString("FoundFiles", "%d files found in %s", count, folder);
//     // same as SafeFormat(GetLangString("FoundFiles"), "%d files found in %s", {count, folder})
//
// A format is accepted when its conversions match the arguments one for one, in order:
//   d i u x X o c   a 32-bit integer (char, short, int, long, unsigned, bool, enum);
//                   length h, hh and l (32 bits here) allowed; a 64-bit integer fits too and
//                   is printed whole ("%d" of 5000000000 is "5000000000")
//   lld I64d ...    a 64-bit integer (long long, unsigned long long, int64_t, and size_t on
//                   64-bit Windows); ll, I64 or q
//   f F e E g G a A a double (or float); l allowed
//   s               a narrow text (const char*, std::string; null prints as empty)
//   %%              a literal percent sign, takes no argument
// with flags "-+ 0#", and a width and precision of at most kMaxFormatWidth written as
// digits. Refused: "*" width or precision, positional "%1$s", "%n", "%p", wide "%ls"/"%S",
// long double, unknown conversions, a lone "%" at the end, and any count or kind mismatch.
// The result is sized to fit; nothing is ever cut short or overflowed.
#pragma once
#include "app/LangString.h"

#include <initializer_list>
#include <string>
#include <type_traits>

constexpr int kMaxFormatWidth = 1024;

class FormatArg {
public:
    enum class Kind { Int32, Int64, Double, Text };

    FormatArg(int value) : kind_(Kind::Int32), integer_(value) {}
    FormatArg(unsigned int value) : kind_(Kind::Int32), integer_(value) {}
    FormatArg(long value) : kind_(Kind::Int32), integer_(value) {}
    FormatArg(unsigned long value) : kind_(Kind::Int32), integer_(value) {}
    FormatArg(long long value) : kind_(Kind::Int64), integer_(value) {}
    FormatArg(unsigned long long value) : kind_(Kind::Int64), integer_((long long)value) {}
    FormatArg(double value) : kind_(Kind::Double), real_(value) {}
    FormatArg(const char* value) : kind_(Kind::Text), text_(value ? value : "") {}
    FormatArg(const std::string& value) : kind_(Kind::Text), text_(value.c_str()) {}

    Kind kind() const { return kind_; }
    long long integer() const { return integer_; }
    double real() const { return real_; }
    const char* text() const { return text_; }

private:
    Kind kind_;
    long long integer_ = 0;
    double real_ = 0.0;
    const char* text_ = "";
};

// True when format may be used with args (the rules above).
bool FormatMatchesArgs(const char* format, std::initializer_list<FormatArg> args);

// translated formatted with args when it matches them, else fallback formatted with them
// (an empty or missing translation falls back too). Empty when neither matches: a fault of
// the calling code, which its tests catch.
std::string SafeFormat(const std::string& translated, const char* fallback,
                       std::initializer_list<FormatArg> args);

// The language string of key formatted with args, each candidate checked in turn: the
// current language's, "English.dat"'s, the built-in English. Empty when none fits: a fault
// of the calling code, which its tests catch.
std::string FormatLangArgs(const char* key, std::initializer_list<FormatArg> args);
// The same with the singular key (key + "One") first when count is 1.
std::string FormatLangCountArgs(const char* key, long long count, std::initializer_list<FormatArg> args);

template <class... Args>
std::string FormatLangString(const char* key, const Args&... args)
{
    // The English text comes from the language files, never from the calling code: a string
    // literal here would be a second English that drifts. Pass a text as std::string.
    static_assert(!(std::is_array<Args>::value || ...),
                  "FormatLangString takes no English fallback text: English.dat has it");
    return FormatLangArgs(key, {FormatArg(args)...});
}

template <class... Args>
std::string FormatLangCount(const char* key, long long count, const Args&... args)
{
    static_assert(!(std::is_array<Args>::value || ...),
                  "FormatLangCount takes no English fallback text: English.dat has it");
    return FormatLangCountArgs(key, count, {FormatArg(args)...});
}
