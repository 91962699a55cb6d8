// app/XmlNesting.h
// Every XML file the program reads goes through LoadBoundedXml. TinyXML recurses once per
// element level, so a file nested deep enough overflows the stack (the program dies without a
// word) before it could be refused. The depth is therefore found first, by walking the text
// with TinyXML's own tokenising: its node identification, and its own readers for
// declarations, comments, CDATA, DOCTYPEs and text; only the element nesting, the one
// recursive part, is walked here, step for step as the parser takes it. Whatever the parser
// would read as an element is counted, and nothing it reads is skipped.
#pragma once
#include <stddef.h>

#include <string>

#include <tinyxml.h>

// The deepest element nesting any of the program's XML files may have (the shipped ones have
// four levels at most).
constexpr size_t kMaxXmlNesting = 256;

enum class XmlFileState {
    Loaded,
    Unusable,   // missing, empty or malformed
    TooDeep,    // nested deeper than kMaxXmlNesting: refused unparsed
};

// How deeply TinyXML would nest the elements of text (read up to its first zero byte, as the
// parser reads it) with this encoding: the depth of the tree it builds, an empty element
// counting as a level, counted up to limit + 1 (the walk stops there). Where the parser would
// stop at an error, the walk stops too.
size_t XmlNestingDepth(const char* text, size_t limit,
                       TiXmlEncoding encoding = TIXML_ENCODING_UNKNOWN);

// Reads the file at path and parses it into document, unless it nests deeper than
// kMaxXmlNesting. The bytes that are parsed are the bytes that were checked; the document
// keeps path as its file name (SaveFile writes there), and is empty unless Loaded.
XmlFileState LoadBoundedXml(TiXmlDocument& document, const std::string& path,
                            TiXmlEncoding encoding);

// What the user is told about a file refused as TooDeep, the same for every file.
std::string XmlTooDeepMessage(const std::string& path);
