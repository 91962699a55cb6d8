// tests/uikit/draw/SkinArtTest.cpp
// The skin that res/skin/make-skin.sh draws: every picture the program names is there, decodes
// through GDI+ at 96 dpi in the size its callers lay out, and every bitmap id loads.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/support/WinePath.h"
#include "uikit/draw/GDIPlus.h"
#include "app/ImageOwnSize.h"

namespace {

std::wstring PicturePath(const std::string& name)
{
    const std::string path = ToWinePath(SKIN_PICTURE_DIR "/" + name);
    return std::wstring(path.begin(), path.end());
}

struct Picture
{
    const char* name;
    UINT width, height; // 0: any size
    UINT frames;        // GIF frames; 0 for still pictures
};

const Picture kPictures[] = {
    {"warning.png", 48, 48, 0}, {"remove_finished.png", 48, 48, 0},
    {"scan_a.png", 200, 200, 0}, {"scan_b.png", 200, 200, 0},
    {"index_bg.png", 0, 0, 0}, {"icon_disk.png", 32, 32, 0}, {"icon_forder.png", 32, 32, 0},
    {"checkbox_yes_list.png", 16, 16, 0}, {"checkbox_no_list.png", 16, 16, 0},
    {"tips.png", 0, 0, 0}, {"pic.png", 16, 16, 0}, {"preview.png", 0, 0, 0},
    {"arrow2_normal.png", 10, 10, 0}, {"arrow2_hover.png", 10, 10, 0}, {"arrow2_press.png", 10, 10, 0},
    {"arrow3_normal.png", 10, 10, 0}, {"arrow3_hover.png", 10, 10, 0}, {"arrow3_press.png", 10, 10, 0},
    {"preview_normal.png", 20, 16, 0}, {"preview_hover.png", 20, 16, 0}, {"preview_press.png", 20, 16, 0},
    {"tree_item_pic.png", 16, 16, 0}, {"tree_item_aud.png", 16, 16, 0}, {"tree_item_vid.png", 16, 16, 0},
    {"tree_item_doc.png", 16, 16, 0}, {"tree_item_oth.png", 16, 16, 0},
    {"about_logo.png", 0, 0, 0}, {"helpFound.png", 0, 0, 0},
    {"loading.gif", 32, 32, 12}, {"loading_common_tip.gif", 40, 40, 12},
};

TEST(SkinArt, EveryNamedPictureDecodesInItsOwnSize)
{
    CGDIPlus gdiplus;
    for (const Picture& p : kPictures) {
        Gdiplus::Image image(PicturePath(p.name).c_str(), FALSE);
        ASSERT_EQ(image.GetLastStatus(), Gdiplus::Ok) << p.name;
        if (p.width) {
            EXPECT_EQ(image.GetWidth(), p.width) << p.name;
            EXPECT_EQ(image.GetHeight(), p.height) << p.name;
        }
        EXPECT_NEAR(image.GetHorizontalResolution(), 96.0f, 0.5f) << p.name;
        if (p.frames) {
            GUID dimension;
            ASSERT_EQ(image.GetFrameDimensionsList(&dimension, 1), Gdiplus::Ok) << p.name;
            EXPECT_EQ(image.GetFrameCount(&dimension), p.frames) << p.name;
        }
    }
    for (int i = 1; i <= 34; ++i) {
        const std::string name = "progress" + std::to_string(i) + ".png";
        Gdiplus::Image image(PicturePath(name).c_str(), FALSE);
        EXPECT_EQ(image.GetLastStatus(), Gdiplus::Ok) << name;
    }
}

struct Bitmap
{
    int firstId, lastId;
    int width, height;
};

const Bitmap kBitmaps[] = {
    {193, 193, 13, 13}, {195, 195, 13, 13},          // check box
    {199, 205, 80, 28}, {350, 350, 80, 28},          // buttons, styles 0 and 2
    {383, 386, 110, 40}, {530, 533, 110, 40},        // buttons, style 1
    {525, 525, 16, 50},                              // bottom strip
    {549, 551, 30, 30}, {600, 611, 30, 30},          // caption buttons
    {347, 347, 360, 30},                             // 12 frames of 30 px
    {268, 268, 48, 48}, {321, 321, 48, 48}, {324, 324, 48, 48}, {361, 361, 48, 48},
    {441, 476, 65, 65}, {293, 293, 65, 65},
    {1008, 1008, 144, 48},                           // scroll-bar skin: a = 16
};

TEST(SkinArt, EveryBitmapIdLoadsInItsSize)
{
    for (const Bitmap& b : kBitmaps) {
        for (int id = b.firstId; id <= b.lastId; ++id) {
            const std::string path = ToWinePath(SKIN_BITMAP_DIR "/" + std::to_string(id) + ".bmp");
            HBITMAP bitmap = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_LOADFROMFILE);
            ASSERT_NE(bitmap, nullptr) << id;
            BITMAP info = {};
            GetObject(bitmap, sizeof(info), &info);
            EXPECT_EQ(info.bmWidth, b.width) << id;
            EXPECT_EQ(info.bmHeight, b.height) << id;
            DeleteObject(bitmap);
        }
    }
}

TEST(SkinArt, ThumbCellsAreUniformBetweenTheirCaps)
{
    // The scroll thumb and track are tiled: their middles must join without seams.
    const std::string path = ToWinePath(SKIN_BITMAP_DIR "/1008.bmp");
    HBITMAP skin = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    ASSERT_NE(skin, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, skin);
    for (int row = 0; row < 3; ++row) {
        const int y0 = row * 16;
        for (int x = 32; x < 48; ++x) // vertical thumb, column 2
            for (int y = y0 + 3; y < y0 + 13; ++y)
                ASSERT_EQ(GetPixel(dc, x, y), GetPixel(dc, x, y0 + 3)) << "row " << row;
        for (int x = 48; x < 64; ++x) // vertical track, column 3
            for (int y = y0; y < y0 + 16; ++y)
                ASSERT_EQ(GetPixel(dc, x, y), GetPixel(dc, x, y0)) << "row " << row;
        for (int y = y0; y < y0 + 16; ++y) // horizontal thumb, column 6
            for (int x = 99; x < 109; ++x)
                ASSERT_EQ(GetPixel(dc, x, y), GetPixel(dc, 99, y)) << "row " << row;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(skin);
}

} // namespace
