// uikit/scroll/iCaller.h
// A rectangle source for a skinned scroll frame: the frame takes the rectangle it gives
// instead of the control's own (the results page hands its trees' frames its rectangle).
#pragma once
#include <windows.h>

class iCaller
{
public:
    virtual ~iCaller() {}
    virtual void GetRect(RECT& rect) = 0;
};
