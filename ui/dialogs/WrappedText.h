// ui/dialogs/WrappedText.h
// Word-wrapped text whose lines are centred as a block in a box, with one phrase of it drawn
// in a colour of its own: the "recycle bin" of the removal notice is highlighted where the
// translated text really contains it, wherever the words fall.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace WrappedText {

// One piece of one line: bytes [start, start + length) of the text, drawn from x (relative
// to the line's left edge).
struct Run {
    int line;
    size_t lineStart;   // where the run's line begins in the text
    size_t start, length;
    int x;
    bool highlighted;
};

struct Layout {
    std::vector<Run> runs;
    int lines = 0;
    int lineHeight = 0;
};

// Breaks text into lines no wider than width in dc's current font: at spaces, at "\n", and
// inside a word that is wider than a line by itself (multi-byte characters kept whole).
// The first case-blind occurrence of phrase (null or empty: none) becomes runs of its own.
Layout Make(HDC dc, const std::string& text, int width, const char* phrase);

// Draws text in rect with font, its lines centred vertically as a block and top-aligned when
// taller than rect; the phrase in highlight, the rest in colour. Returns the rectangle the
// highlighted runs cover (empty when the phrase is absent).
RECT Draw(HDC dc, const std::string& text, const RECT& rect, HFONT font, COLORREF colour,
          const char* phrase = nullptr, COLORREF highlight = 0);

} // namespace WrappedText
