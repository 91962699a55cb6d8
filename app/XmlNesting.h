// app/XmlNesting.h
// How deeply the elements of an XML text nest, found without parsing it: the parser recurses
// once per level, so a document nested deep enough overflows the stack before it can be
// refused. Free of Windows.
#pragma once
#include <stddef.h>

// The deepest element nesting of the text, counted up to limit + 1 (the scan stops there).
// Comments, CDATA sections, processing instructions and declarations do not count, nor do
// '<' and '>' inside quoted attribute values; an empty element ("<a/>") opens no level.
size_t XmlNestingDepth(const char* text, size_t size, size_t limit);
