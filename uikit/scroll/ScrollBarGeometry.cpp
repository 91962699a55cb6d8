// uikit/scroll/ScrollBarGeometry.cpp
#include "uikit/scroll/ScrollBarGeometry.h"

#include <algorithm>

ScrollBarGeometry::ScrollBarGeometry(bool vertical, int cell, int length, const SCROLLINFO& info)
    : m_vertical(vertical), m_cell(std::max(0, cell)), m_length(std::max(0, length)),
      m_min(info.nMin)
{
    const long long range = static_cast<long long>(info.nMax) - info.nMin + 1;
    const long long page = static_cast<long long>(info.nPage);
    // Clamped into int: a page larger than the range just means nothing to scroll.
    m_span = static_cast<int>(std::max<long long>(-1, std::min<long long>(range - page, 0x7FFFFFFF)));

    m_track = std::max(0, m_length - 2 * m_cell);
    if (m_track < kScrollMinThumb || range <= 0) {
        // An empty range (nMax = nMin - 1) would divide by zero: no thumb at all.
        m_thumb = 0;
    } else {
        long long thumb = page * m_track / range;
        thumb = std::min<long long>(thumb, m_track);
        m_thumb = std::max(kScrollMinThumb, static_cast<int>(thumb));
    }
    m_arrow = m_track ? m_cell : m_length / 2;

    long long pos = info.nTrackPos != -1 ? info.nTrackPos : info.nPos;
    int offset;
    if (m_span > 0) {
        pos = std::min<long long>(std::max<long long>(pos, m_min),
                                  static_cast<long long>(m_min) + m_span);
        offset = static_cast<int>((m_track - m_thumb) * (pos - m_min) / m_span);
    } else {
        offset = m_track / 2; // the page covers everything: a zero-length thumb in the middle
    }
    m_thumbStart = m_arrow + offset;
}

void ScrollBarGeometry::PartSpan(int part, int* start, int* end) const
{
    const int thumbEnd = m_thumbStart + PlacedThumb();
    int s = 0, e = 0;
    switch (part) {
    case kScrollPartLineUp: s = 0; e = m_arrow; break;
    case kScrollPartPageUp: s = m_arrow; e = m_thumbStart; break;
    case kScrollPartThumb: s = m_thumbStart; e = thumbEnd; break;
    case kScrollPartPageDown: s = thumbEnd; e = m_length - m_arrow; break;
    case kScrollPartLineDown: s = m_length - m_arrow; e = m_length; break;
    default: break;
    }
    *start = s;
    *end = std::max(s, e);
}

RECT ScrollBarGeometry::PartRect(int part) const
{
    int start = 0, end = 0;
    PartSpan(part, &start, &end);
    if (part == kScrollPartNone)
        return RECT{0, 0, 0, 0};
    return m_vertical ? RECT{0, start, m_cell, end} : RECT{start, 0, end, m_cell};
}

int ScrollBarGeometry::HitTest(int x, int y) const
{
    const int along = m_vertical ? y : x;
    if (along < 0)
        return kScrollPartNone;
    static const int order[] = {kScrollPartLineUp, kScrollPartPageUp, kScrollPartThumb,
                                kScrollPartPageDown, kScrollPartLineDown};
    for (int part : order) {
        int start = 0, end = 0;
        PartSpan(part, &start, &end);
        if (end > along)
            return part;
    }
    return kScrollPartNone;
}

int ScrollBarGeometry::DragPosition(int startPos, int delta) const
{
    const int free = m_track - m_thumb;
    long long moved = 0;
    if (free > 0 && m_span > 0)
        moved = static_cast<long long>(m_span) * delta / free;
    const long long pos = static_cast<long long>(startPos) + moved;
    return static_cast<int>(std::min<long long>(std::max<long long>(pos, m_min), MaxPosition()));
}

bool ScrollBarGeometry::CanStep(int part, int pos) const
{
    if (part == kScrollPartLineUp)
        return pos > m_min;
    if (part == kScrollPartLineDown)
        return pos < MaxPosition();
    return false;
}

RECT ScrollSourceCell(int cell, bool vertical, int part, int state)
{
    int column;
    switch (part) {
    case kScrollPartLineUp: column = 0; break;
    case kScrollPartLineDown: column = 1; break;
    case kScrollPartThumb: column = 2; break;
    case kScrollPartPageUp:
    case kScrollPartPageDown: column = 3; break;
    default: return RECT{0, 0, 0, 0};
    }
    if (!vertical)
        column += 4;
    return RECT{column * cell, state * cell, (column + 1) * cell, (state + 1) * cell};
}

std::vector<ScrollBlit> TileBlits(const RECT& dst, const RECT& src)
{
    std::vector<ScrollBlit> out;
    const int tileW = src.right - src.left, tileH = src.bottom - src.top;
    if (tileW <= 0 || tileH <= 0)
        return out;
    for (int y = dst.top; y < dst.bottom; y += tileH) {
        const int h = std::min<int>(tileH, dst.bottom - y);
        for (int x = dst.left; x < dst.right; x += tileW) {
            const int w = std::min<int>(tileW, dst.right - x);
            out.push_back({RECT{x, y, x + w, y + h},
                           RECT{src.left, src.top, src.left + w, src.top + h}});
        }
    }
    return out;
}

std::vector<ScrollBlit> ThumbBlits(const RECT& dst, const RECT& src, bool vertical)
{
    std::vector<ScrollBlit> out;
    if (dst.right <= dst.left || dst.bottom <= dst.top)
        return out;
    if (vertical) {
        const int cap = std::min<int>(kScrollThumbCap, (dst.bottom - dst.top) / 2);
        out.push_back({RECT{dst.left, dst.top, dst.right, dst.top + cap},
                       RECT{src.left, src.top, src.right, src.top + cap}});
        const RECT middleSrc = {src.left, src.top + kScrollThumbCap, src.right,
                                src.bottom - kScrollThumbCap};
        for (const ScrollBlit& b :
             TileBlits(RECT{dst.left, dst.top + cap, dst.right, dst.bottom - cap}, middleSrc))
            out.push_back(b);
        out.push_back({RECT{dst.left, dst.bottom - cap, dst.right, dst.bottom},
                       RECT{src.left, src.bottom - cap, src.right, src.bottom}});
    } else {
        const int cap = std::min<int>(kScrollThumbCap, (dst.right - dst.left) / 2);
        out.push_back({RECT{dst.left, dst.top, dst.left + cap, dst.bottom},
                       RECT{src.left, src.top, src.left + cap, src.bottom}});
        const RECT middleSrc = {src.left + kScrollThumbCap, src.top, src.right - kScrollThumbCap,
                                src.bottom};
        for (const ScrollBlit& b :
             TileBlits(RECT{dst.left + cap, dst.top, dst.right - cap, dst.bottom}, middleSrc))
            out.push_back(b);
        out.push_back({RECT{dst.right - cap, dst.top, dst.right, dst.bottom},
                       RECT{src.right - cap, src.top, src.right, src.bottom}});
    }
    // A cap may be empty on a very short thumb.
    out.erase(std::remove_if(out.begin(), out.end(), [](const ScrollBlit& b) {
                  return b.dst.right <= b.dst.left || b.dst.bottom <= b.dst.top;
              }),
              out.end());
    return out;
}

RECT UncoveredStrip(const RECT& oldThumb, const RECT& newThumb, bool vertical)
{
    RECT strip = oldThumb;
    if (vertical) {
        if (newThumb.top < oldThumb.top) {
            strip.top = std::max(newThumb.bottom, oldThumb.top);
        } else {
            strip.bottom = std::min(newThumb.top, oldThumb.bottom);
        }
    } else {
        if (newThumb.left < oldThumb.left) {
            strip.left = std::max(newThumb.right, oldThumb.left);
        } else {
            strip.right = std::min(newThumb.left, oldThumb.right);
        }
    }
    if (strip.right <= strip.left || strip.bottom <= strip.top)
        return RECT{0, 0, 0, 0};
    return strip;
}

bool ScrollStateDiffers(const SCROLLINFO& a, const SCROLLINFO& b)
{
    return a.nMin != b.nMin || a.nMax != b.nMax || a.nPage != b.nPage || a.nPos != b.nPos;
}
