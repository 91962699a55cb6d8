// tests/support/DeepXml.h
// XML documents nested deep, each behind or between one of the constructs that a depth check
// reading XML otherwise than TinyXML does would skip too far: TinyXML ends a declaration,
// a processing instruction and a DOCTYPE at their first '>', whatever follows, and then
// parses what comes next.
#pragma once
#include <stddef.h>

#include <string>
#include <vector>

struct DeepXmlForm {
    const char* what;
    std::string text;
};

// Each form as a whole document: root (the reader's own root element) holding `levels`
// nested elements, the construct in front of the root or between the levels.
inline std::vector<DeepXmlForm> DeepXmlForms(const std::string& root, size_t levels,
                                             const std::string& inner = "")
{
    const struct {
        const char* what;
        const char* front;
        const char* between;
    } forms[] = {
        {"declaration without ?>", "<?xml version=\"1.0\">\n", ""},
        {"processing instruction without ?>", "<?skin name=\"a\">\n", ""},
        {"DOCTYPE with an open [", "<!DOCTYPE x [ >\n", ""},
        {"declaration with [ between the levels", "", "<![ >"},
        {"comments in front and between", "<!-- <x> -->", "<!-- </a> -->"},
        {"CDATA between the levels", "", "<![CDATA[ </a> ]]>"},
        {"declaration without ?> between the levels", "", "<?xml version=\"1.0\">"},
        {"plain", "", ""},
    };
    std::vector<DeepXmlForm> out;
    for (const auto& form : forms) {
        std::string text = std::string(form.front) + "<" + root + ">";
        for (size_t i = 0; i < levels; ++i)
            text += std::string("<a>") + form.between;
        text += inner;
        for (size_t i = 0; i < levels; ++i)
            text += "</a>";
        out.push_back({form.what, text + "</" + root + ">\n"});
    }
    return out;
}
