// uikit/widget/LayoutAttr.h
// How widget attributes of "Resource.xml" are read: integers are decimal text, colours are
// hexadecimal text, pictures are bitmap resource ids or skin file names, texts are language keys.
#pragma once
#include <windows.h>
#include <string>

class TiXmlElement;

namespace UiCtrl {

// Decimal integer; a missing, empty or non-numeric attribute reads as 0.
int ReadIntAttr(const TiXmlElement* element, const char* name);
// Decimal integer only when the attribute is there; out is left alone otherwise.
bool ReadIntAttrIfPresent(const TiXmlElement* element, const char* name, int& out);
// Hexadecimal text ("%x"), as a COLORREF 0x00BBGGRR; a missing or unreadable one leaves out alone.
bool ReadColorAttr(const TiXmlElement* element, const char* name, COLORREF& out);
// Hexadecimal integer (a few offsets are written that way); out is left alone when missing.
bool ReadHexIntAttr(const TiXmlElement* element, const char* name, int& out);
// The attribute's text; empty when missing.
std::string ReadTextAttr(const TiXmlElement* element, const char* name);
bool HasAttr(const TiXmlElement* element, const char* name);

} // namespace UiCtrl
