// uikit/scroll/ScrollBarGeometry.h
// Where the parts of a skinned scroll bar lie, which skin cell draws each, and how a thumb
// drag maps to a position: pure arithmetic, no window. The skin bitmap is 9 cells of a x a:
// columns 0 up arrow, 1 down arrow, 2 thumb, 3 track (vertical bar), 4..7 the same for the
// horizontal bar; rows 0 normal, 1 hover, 2 pressed.
#pragma once
#include <windows.h>
#include <vector>

// Part codes are the scroll requests the parts send.
enum ScrollBarPart {
    kScrollPartNone = -1,
    kScrollPartLineUp = SB_LINEUP,
    kScrollPartLineDown = SB_LINEDOWN,
    kScrollPartPageUp = SB_PAGEUP,
    kScrollPartPageDown = SB_PAGEDOWN,
    kScrollPartThumb = SB_THUMBTRACK,
};

constexpr int kScrollMinThumb = 6; // shortest thumb drawn
constexpr int kScrollThumbCap = 3; // thumb end caps taken whole from the cell

class ScrollBarGeometry
{
public:
    // cell: the skin cell size (bar thickness and arrow length); length: the bar's extent along
    // its axis. info: nMin, nMax, nPage, nPos and nTrackPos (-1 when no drag is in progress).
    ScrollBarGeometry(bool vertical, int cell, int length, const SCROLLINFO& info);

    int Track() const { return m_track; }
    // Drawn thumb length (0: no thumb); the parts are placed with PlacedThumb().
    int Thumb() const { return m_thumb; }
    int PlacedThumb() const { return m_span > 0 ? m_thumb : 0; }
    int Arrow() const { return m_arrow; }
    int ThumbStart() const { return m_thumbStart; }
    // Highest position a scroll can reach: nMax - nPage + 1, never below nMin.
    int MaxPosition() const { return m_min + (m_span > 0 ? m_span : 0); }
    // Positions the thumb can travel; 0 or less when the page covers the whole range.
    int Span() const { return m_span; }

    // [start, end) of a part along the bar; both 0 for kScrollPartNone.
    void PartSpan(int part, int* start, int* end) const;
    RECT PartRect(int part) const;
    // The part under a point in the bar's client coordinates, or kScrollPartNone.
    int HitTest(int x, int y) const;
    // Position after dragging the thumb by delta pixels from a drag started at startPos.
    int DragPosition(int startPos, int delta) const;
    // Whether an arrow may still step from position pos (stops at nMin and MaxPosition()).
    bool CanStep(int part, int pos) const;

private:
    bool m_vertical;
    int m_cell, m_length;
    int m_min, m_span;
    int m_track, m_thumb, m_arrow, m_thumbStart;
};

// Skin cell that draws a part in a state (0 normal, 1 hover, 2 pressed).
RECT ScrollSourceCell(int cell, bool vertical, int part, int state);

// One copy from the skin to the bar: equal-sized destination and source rectangles.
struct ScrollBlit
{
    RECT dst;
    RECT src;
};

// The source tiled over the destination left to right, top to bottom, last tiles cut short.
std::vector<ScrollBlit> TileBlits(const RECT& dst, const RECT& src);
// A thumb: 3 px end caps from the cell's ends, the cell's middle tiled between them.
std::vector<ScrollBlit> ThumbBlits(const RECT& dst, const RECT& src, bool vertical);
// Track strip that a thumb moving from oldThumb to newThumb leaves uncovered.
RECT UncoveredStrip(const RECT& oldThumb, const RECT& newThumb, bool vertical);

// True when nMin, nMax, nPage or nPos differ (the fields a skin bar mirrors).
bool ScrollStateDiffers(const SCROLLINFO& a, const SCROLLINFO& b);
