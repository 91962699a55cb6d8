// app/ResourceHelper.cpp
// Language paths, fonts, text drawing and size texts. Pictures: ResourcePicture.cpp.
#include "app/ResourceHelper.h"

#include "app/GdiplusSession.h"
#include "app/ProgramFilePath.h"
#include "app/TextConvert.h"
#include "app/UiFace.h"

#include <stdio.h>

ResourceHelper& ResourceHelper::Instance()
{
    static ResourceHelper helper;
    return helper;
}

ResourceHelper::ResourceHelper()
    : languagePath_(ToWideCString(ProgramFilePath("English.dat").c_str())),
      userStringsPath_(languagePath_)
{
    // Every window that takes fonts or pictures from here may draw with GDI+ as well.
    EnsureGdiplus();
}

ResourceHelper::~ResourceHelper()
{
    ReleasePictures();
    for (auto& entry : fonts_)
        if (entry.second)
            DeleteObject(entry.second);
    fonts_.clear();
}

int ResourceHelper::SetLanguage(int languageIndex, const char* fileName)
{
    if (!fileName)
        return -1;
    const std::string path = ProgramFilePath(fileName);
    if (path.empty())
        return -1;
    const std::wstring widePath = ToWideCString(path.c_str());
    if (widePath.empty())
        return -1;

    SetUiFace(UiFaceForLanguage(languageIndex));
    for (auto& entry : fonts_) {
        if (entry.second)
            DeleteObject(entry.second);
        entry.second = CreateUiFont(entry.first);
    }
    languagePath_ = widePath;
    return int(languagePath_.size());
}

int ResourceHelper::SetLanguagePath(const std::wstring& path)
{
    if (path.empty() || path.size() > kMaxProgramPath)
        return -1;
    languagePath_ = path;
    return int(path.size());
}

int ResourceHelper::SetUserStringsPath(const std::wstring& path)
{
    if (path.empty() || path.size() > kMaxProgramPath)
        return -1;
    userStringsPath_ = path;
    return int(path.size());
}

int ResourceHelper::SetResourceModule(HMODULE module)
{
    ReleasePictures();
    module_ = module;
    return 0;
}

HMODULE ResourceHelper::GetResourceModule() const
{
    return module_ ? module_ : GetModuleHandleA(nullptr);
}

BYTE CharsetOfCodePage(UINT codePage)
{
    CHARSETINFO info = {};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &info,
                              TCI_SRCCODEPAGE))
        return DEFAULT_CHARSET;
    return static_cast<BYTE>(info.ciCharset);
}

HFONT ResourceHelper::CreateUiFont(const FontKey& key)
{
    return CreateFontA(std::get<0>(key), 0, 0, 0, std::get<1>(key), FALSE,
                       std::get<2>(key) ? TRUE : FALSE, FALSE, std::get<3>(key),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       GetUiFace());
}

HFONT ResourceHelper::GetFont(int height, int weight, bool underline)
{
    return CachedFont(FontKey(height, weight, underline, BYTE(DEFAULT_CHARSET)));
}

HFONT ResourceHelper::GetFileNameFont(int height, int weight)
{
    static const BYTE charset = CharsetOfCodePage(GetACP());
    return CachedFont(FontKey(height, weight, false, charset));
}

HFONT ResourceHelper::CachedFont(const FontKey& key)
{
    auto found = fonts_.find(key);
    if (found != fonts_.end() && found->second)
        return found->second;
    HFONT font = CreateUiFont(key);
    if (font)
        fonts_[key] = font;
    return font;
}

void ResourceHelper::DrawString(HDC dc, const char* text, const RECT& rect, COLORREF colour,
                                int fontHeight, int fontWeight, UINT drawTextFormat)
{
    if (!dc || !text)
        return;
    HFONT font = GetFont(fontHeight, fontWeight, false);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    COLORREF oldColour = SetTextColor(dc, colour);
    RECT box = rect;
    DrawTextA(dc, text, -1, &box, drawTextFormat);
    SetTextColor(dc, oldColour);
    if (oldFont)
        SelectObject(dc, oldFont);
}

std::string ResourceHelper::FormatSize(long long bytes)
{
    constexpr double kKilo = 1024.0;
    constexpr double kMega = kKilo * 1024.0;
    constexpr double kGiga = kMega * 1024.0;
    constexpr double kTera = kGiga * 1024.0;
    char text[64];
    if (bytes < 1024)
        snprintf(text, sizeof(text), "%lldB", bytes);
    else if (bytes < 1048576LL)
        snprintf(text, sizeof(text), "%0.2fKB", double(bytes) / kKilo);
    else if (bytes < 1073741824LL)
        snprintf(text, sizeof(text), "%0.2fMB", double(bytes) / kMega);
    else if (bytes < 1099511627776LL)
        snprintf(text, sizeof(text), "%0.2fGB", double(bytes) / kGiga);
    else
        snprintf(text, sizeof(text), "%0.2fTB", double(bytes) / kTera);
    return text;
}

std::string ResourceHelper::LoadResString(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero length LoadStringW hands out a pointer into the resource itself.
    int length = LoadStringW(GetResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return std::string();
    return ToAnsiString(std::wstring(text, size_t(length)));
}
