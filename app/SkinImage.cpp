// app/SkinImage.cpp
#include "app/SkinImage.h"

#include "app/GdiplusSession.h"
#include "app/ProgramFilePath.h"
#include "app/TextConvert.h"

#include <windows.h>
#include <gdiplus.h>

#include <string>

Gdiplus::Image* LoadSkinImage(const char* fileName)
{
    if (!fileName || !*fileName || !EnsureGdiplus())
        return nullptr;
    const std::string path = ProgramFilePath((std::string("Res\\Eng\\") + fileName).c_str());
    if (path.empty())
        return nullptr;
    const std::wstring widePath = ToWideCString(path.c_str());
    Gdiplus::Image* image = new Gdiplus::Image(widePath.c_str(), FALSE);
    if (image->GetLastStatus() != Gdiplus::Ok) {
        delete image;
        return nullptr;
    }
    return image;
}
