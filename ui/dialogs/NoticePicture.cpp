// ui/dialogs/NoticePicture.cpp
#include "ui/dialogs/NoticePicture.h"

#include <objidl.h>
#include <gdiplus.h>

#include "app/ResourceHelper.h"

namespace {
const int kMissingPictureWidth = 48;
const int kTextGap = 5;
} // namespace

int DrawNoticePicture(HDC memory, Gdiplus::Image* picture, int x, int y)
{
    ResourceHelper::Instance().DrawGdiImage(memory, picture, x, y);
    const int width = picture ? static_cast<int>(picture->GetWidth()) : kMissingPictureWidth;
    return x + width + kTextGap;
}
