// app/ResourceHelper.h
// The one process-wide source of language strings, fonts, resource pictures, picture and
// text drawing, and size texts for every window. UI thread only: nothing here is locked.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <map>
#include <string>
#include <tuple>

namespace Gdiplus {
class Image;
}

// The font character set of a code page (SHIFTJIS_CHARSET for 932, ANSI_CHARSET for 1252);
// DEFAULT_CHARSET for a code page that has none.
BYTE CharsetOfCodePage(UINT codePage);

class ResourceHelper {
public:
    static ResourceHelper& Instance();

    // Picks the language: sets the interface face (index 1 "Meiryo UI", else "Arial"),
    // re-creates every cached font in it under the same key, and reads strings from program
    // folder + fileName from now on. Returns the length of the new path; -1 with a null name
    // or a path that would not fit in MAX_PATH (then nothing changes).
    int SetLanguage(int languageIndex, const char* fileName);
    // The language file by full path (tests, tools). -1 and no change for an empty or
    // over-long path.
    int SetLanguagePath(const std::wstring& path);
    // Program folder + "English.dat" until SetLanguage runs.
    const std::wstring& GetLanguagePath() const { return languagePath_; }

    // Where the user's own values ("...User" keys) are read and written: program folder +
    // "English.dat", whatever the language. Tests point it at a copy.
    int SetUserStringsPath(const std::wstring& path);
    const std::wstring& GetUserStringsPath() const { return userStringsPath_; }

    // Releases every cached picture, then loads pictures from module (null = the program).
    int SetResourceModule(HMODULE module);
    HMODULE GetResourceModule() const;

    // The font of (height, weight, underline) in the current face, made once and kept until
    // exit; callers never delete it. Negative heights (character height) are kept apart from
    // positive ones (cell height). Null only when CreateFont fails; that is not cached.
    HFONT GetFont(int height, int weight, bool underline);
    // The same in the character set of the system's ANSI code page, for file names and paths:
    // they are in that code page whatever the interface language, and a font of another set
    // (Arial's Western one under code page 932) would show them as other characters.
    HFONT GetFileNameFont(int height, int weight);

    // A picture resource of resourceType (2 = RT_BITMAP, packed DIB) loaded through
    // OleLoadPicture and cached under "type:id"; the cache keeps the reference (borrowed by
    // the caller). Null, and nothing cached, when the resource is missing or does not load.
    IPicture* LoadPicture(int resourceId, int resourceType);
    // The same for a resource of a named type ("JPEG"): its bytes are the picture file as it
    // is, cached under "name:id".
    IPicture* LoadPicture(int resourceId, const char* typeName);
    int ReleasePictures();
    size_t CachedPictureCount() const { return pictures_.size(); }

    // Renders picture stretched into the rectangle; colour `transparent` (0 = opaque) is left
    // out through a mask. 1 when drawn, -3 when rendering failed, -2 for a null dc or picture.
    int DrawPicture(HDC dc, IPicture* picture, int left, int top, int right, int bottom,
                    COLORREF transparent);
    // Draws image at (x, y) in its own pixel width and height (never scaled by its DPI).
    void DrawGdiImage(HDC dc, Gdiplus::Image* image, int x, int y);
    // DrawText in GetFont(fontHeight, fontWeight, false) and colour; the dc's font and text
    // colour are restored afterwards.
    void DrawString(HDC dc, const char* text, const RECT& rect, COLORREF colour,
                    int fontHeight, int fontWeight, UINT drawTextFormat);

    // "1023B", "1.00KB", "1024.00KB", "1.00MB", "1.00GB", "1.00TB" (powers of 1024, no space).
    static std::string FormatSize(long long bytes);

    // A string of the resource module's string table; empty when absent.
    std::string LoadResString(UINT id);

    ResourceHelper(const ResourceHelper&) = delete;
    ResourceHelper& operator=(const ResourceHelper&) = delete;

private:
    ResourceHelper();
    ~ResourceHelper();

    using FontKey = std::tuple<int, int, bool, BYTE>;   // height, weight, underline, charset
    HFONT CachedFont(const FontKey& key);
    static HFONT CreateUiFont(const FontKey& key);
    IPicture* LoadCachedPicture(const char* key, int resourceId, const char* type, bool isBitmap);

    std::wstring languagePath_;
    std::wstring userStringsPath_;
    HMODULE module_ = nullptr;
    std::map<std::string, IPicture*> pictures_;
    std::map<FontKey, HFONT> fonts_;
};
