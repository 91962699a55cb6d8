// ui/dialogs/WrappedText.cpp
#include "ui/dialogs/WrappedText.h"

#include <string.h>

#include <algorithm>

#include "app/TextCase.h"

namespace WrappedText {

namespace {

int TextWidth(HDC dc, const std::string& text, size_t start, size_t length)
{
    SIZE size = {0, 0};
    if (length)
        GetTextExtentPoint32A(dc, text.c_str() + start, static_cast<int>(length), &size);
    return size.cx;
}

size_t NextChar(const std::string& text, size_t at)
{
    const char* next = CharNextA(text.c_str() + at);
    const size_t step = static_cast<size_t>(next - (text.c_str() + at));
    return at + (step ? step : 1);
}

struct Line {
    size_t start, end;   // without the trailing spaces
};

std::vector<Line> BreakLines(HDC dc, const std::string& text, int width)
{
    std::vector<Line> lines;
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        // The longest run of whole words that fits; a word too wide alone is cut.
        size_t end = lineStart, lastFit = lineStart;
        bool broke = false;
        while (end < text.size() && text[end] != '\n') {
            size_t wordEnd = end;
            while (wordEnd < text.size() && text[wordEnd] == ' ')
                ++wordEnd;
            while (wordEnd < text.size() && text[wordEnd] != ' ' && text[wordEnd] != '\n')
                wordEnd = NextChar(text, wordEnd);
            if (TextWidth(dc, text, lineStart, wordEnd - lineStart) <= width) {
                end = lastFit = wordEnd;
                continue;
            }
            if (lastFit == lineStart) {
                // Not even the first word fits: as many characters as do (at least one).
                size_t cut = NextChar(text, lineStart);
                for (size_t next = NextChar(text, cut);
                     next <= wordEnd && TextWidth(dc, text, lineStart, next - lineStart) <= width;
                     next = NextChar(text, cut))
                    cut = next;
                lastFit = cut;
            }
            broke = true;
            break;
        }
        size_t lineEnd = broke ? lastFit : end;
        size_t trimmed = lineEnd;
        while (trimmed > lineStart && text[trimmed - 1] == ' ')
            --trimmed;
        lines.push_back({lineStart, trimmed});
        size_t next = lineEnd;
        while (next < text.size() && text[next] == ' ')
            ++next;
        if (next < text.size() && text[next] == '\n')
            ++next;
        else if (next >= text.size())
            break;
        lineStart = next;
    }
    return lines;
}

} // namespace

Layout Make(HDC dc, const std::string& text, int width, const char* phrase)
{
    Layout layout;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    layout.lineHeight = metrics.tmHeight;
    const std::vector<Line> lines = BreakLines(dc, text, width < 1 ? 1 : width);
    layout.lines = static_cast<int>(lines.size());

    size_t hitStart = std::string::npos, hitEnd = std::string::npos;
    if (phrase && *phrase) {
        hitStart = FindNoCase(text, phrase);
        if (hitStart != std::string::npos)
            hitEnd = hitStart + strlen(phrase);
    }
    for (int i = 0; i < layout.lines; ++i) {
        const Line& line = lines[i];
        // Up to three pieces: before, inside and after the phrase.
        size_t cuts[4] = {line.start, line.start, line.end, line.end};
        if (hitStart != std::string::npos && hitStart < line.end && hitEnd > line.start) {
            cuts[1] = std::max(hitStart, line.start);
            cuts[2] = std::min(hitEnd, line.end);
        } else {
            cuts[1] = cuts[2] = line.end;
        }
        for (int k = 0; k < 3; ++k) {
            if (cuts[k + 1] <= cuts[k])
                continue;
            layout.runs.push_back({i, line.start, cuts[k], cuts[k + 1] - cuts[k],
                                   TextWidth(dc, text, line.start, cuts[k] - line.start),
                                   k == 1});
        }
    }
    return layout;
}

RECT Draw(HDC dc, const std::string& text, const RECT& rect, HFONT font, COLORREF colour,
          const char* phrase, COLORREF highlight)
{
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(dc);
    const Layout layout = Make(dc, text, rect.right - rect.left, phrase);
    const int height = layout.lines * layout.lineHeight;
    int top = rect.top;
    if (height < rect.bottom - rect.top)
        top += (rect.bottom - rect.top - height) / 2;

    // Words are placed one by one at their measured offsets: a line drawn in pieces would
    // otherwise show the rounding of the pieces' widths as gaps where the colour changes.
    RECT covered = {0, 0, 0, 0};
    for (const Run& run : layout.runs) {
        const int y = top + run.line * layout.lineHeight;
        SetTextColor(dc, run.highlighted ? highlight : colour);
        const size_t runEnd = run.start + run.length;
        for (size_t word = run.start; word < runEnd;) {
            size_t wordEnd = word;
            while (wordEnd < runEnd && text[wordEnd] != ' ')
                ++wordEnd;
            if (wordEnd > word) {
                const int x = rect.left + TextWidth(dc, text, run.lineStart, word - run.lineStart);
                TextOutA(dc, x, y, text.c_str() + word, static_cast<int>(wordEnd - word));
            }
            word = wordEnd;
            while (word < runEnd && text[word] == ' ')
                ++word;
        }
        if (run.highlighted) {
            RECT piece = {rect.left + run.x, y,
                          rect.left + TextWidth(dc, text, run.lineStart, runEnd - run.lineStart),
                          y + layout.lineHeight};
            UnionRect(&covered, &covered, &piece);
        }
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    if (oldFont)
        SelectObject(dc, oldFont);
    return covered;
}

} // namespace WrappedText
