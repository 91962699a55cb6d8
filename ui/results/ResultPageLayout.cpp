// ui/results/ResultPageLayout.cpp
#include "ui/results/ResultPageLayout.h"

ResultPageLayout ResultPageLayout::For(const RECT& c)
{
    const int H = 16;
    ResultPageLayout l;
    l.content = {c.left + 20, c.top + H, c.right - 20, c.bottom - 80};
    l.header = {c.left + 20, c.top + H, c.right - 20, c.top + H + 41};
    l.leftPanel = {c.left + 20, c.top + H + 41, c.left + 240, c.bottom - 80};
    l.selectBox = {c.left + 243, c.top + H + 42, c.right - 330, c.top + H + 72};
    l.treeArea = {c.left + 243, c.top + H + 72, c.right - 330, c.bottom - 81};
    l.preview = {c.right - 325, c.top + H + 46, c.right - 25, c.top + H + 296};
    l.details = {c.right - 330, c.top + H, c.right - 20, c.bottom - 80};
    l.buttonTop = l.content.bottom + 20;
    return l;
}
