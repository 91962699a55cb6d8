// ui/tips/FreezeTipLayout.cpp
#include "ui/tips/FreezeTipLayout.h"

FreezeTipLayout FreezeTipRects(bool withNumber)
{
    if (withNumber)
        return {{73, 25, 440, 100}, {8, 15, 73, 80}};
    return {{75, 25, 440, 50}, {8, 2, 73, 67}};
}

int FreezeTipWidth(int measuredRight)
{
    return (measuredRight > 300 ? measuredRight : 300) + 30;
}
