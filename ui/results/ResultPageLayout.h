// ui/results/ResultPageLayout.h
// Where the results page puts its parts for a client rectangle; no window needed.
#pragma once
#include <windows.h>

struct ResultPageLayout
{
    RECT content, header, leftPanel, selectBox, treeArea, preview, details;
    int buttonTop;  // the buttons' top, 20 px below the content area

    static ResultPageLayout For(const RECT& client);
};
