// tests/app/PictureTest.cpp
// Bitmap resources (TestResources.rc), picture drawing, GDI+ images and the string table.
#include "app/ResourceHelper.h"
#include "app/SkinImage.h"
#include "app/GdiplusSession.h"
#include "tests/support/DibSurface.h"
#include "../support/WinePath.h"

#include <windows.h>
#include <gdiplus.h>
#include <olectl.h>

#include <gtest/gtest.h>

namespace {

using Surface = DibSurface;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);

struct BitmapCase {
    int id;
    int width;
    const char* what;
};
// Each is red above and blue below; make-test-pictures.sh says how they are stored.
const BitmapCase kBitmaps[] = {
    {601, 8, "1 bit, 2 colours"},
    {602, 8, "4 bits, 16 colours"},
    {603, 24, "8 bits, 256 colours"},
    {604, 8, "24 bits, no colour table"},
};

}  // namespace

TEST(LoadPicture, MissingResourceIsNullAndNotCached)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    helper.ReleasePictures();
    EXPECT_EQ(helper.LoadPicture(9999, 2), nullptr);
    EXPECT_EQ(helper.LoadPicture(9999, 2), nullptr);
    EXPECT_EQ(helper.LoadPicture(601, 10), nullptr);   // right id, wrong type
    EXPECT_EQ(helper.LoadPicture(606, 2), nullptr);    // colour table past the end
    EXPECT_EQ(helper.LoadPicture(606, 2), nullptr);
    EXPECT_EQ(helper.CachedPictureCount(), 0u);
}

TEST(LoadPicture, BitmapsLoadOnceWithTheirPixelsInPlace)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    helper.ReleasePictures();
    size_t count = 0;
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.what);
        IPicture* picture = helper.LoadPicture(c.id, 2);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(helper.LoadPicture(c.id, 2), picture);
        EXPECT_EQ(helper.CachedPictureCount(), ++count);
        SHORT type = 0;
        picture->get_Type(&type);
        EXPECT_EQ(type, PICTYPE_BITMAP);

        // Pixels read from the colour table (a fixed offset) would not give these.
        Surface surface(c.width, 8, kGreen);
        ASSERT_EQ(helper.DrawPicture(surface.dc(), picture, 0, 0, c.width, 8, 0), 1);
        EXPECT_EQ(surface.At(0, 0), kRed);
        EXPECT_EQ(surface.At(c.width - 1, 1), kRed);
        EXPECT_EQ(surface.At(0, 7), kBlue);
        EXPECT_EQ(surface.At(c.width - 1, 4), kBlue);
    }
    // Other types go to the loader as they are.
    IPicture* gif = helper.LoadPicture(605, 300);
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(helper.LoadPicture(605, 300), gif);
    Surface surface(8, 8, kGreen);
    ASSERT_EQ(helper.DrawPicture(surface.dc(), gif, 0, 0, 8, 8, 0), 1);
    EXPECT_EQ(surface.At(0, 0), kRed);
    EXPECT_EQ(surface.At(7, 7), kBlue);

    EXPECT_EQ(helper.SetResourceModule(nullptr), 0);   // drops the cache
    EXPECT_EQ(helper.CachedPictureCount(), 0u);
}

// JPEG keeps colours close, not exact.
static bool Near(COLORREF seen, COLORREF want)
{
    auto off = [](int a, int b) { return a > b ? a - b : b - a; };
    return off(GetRValue(seen), GetRValue(want)) < 40 && off(GetGValue(seen), GetGValue(want)) < 40 &&
           off(GetBValue(seen), GetBValue(want)) < 40;
}

TEST(LoadPicture, ANamedTypeLoadsTheFileAsItIsAndIsCachedApart)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    helper.ReleasePictures();
    EXPECT_EQ(helper.LoadPicture(607, 2), nullptr);   // no bitmap of that id
    EXPECT_EQ(helper.LoadPicture(607, "BITMAPS"), nullptr);
    EXPECT_EQ(helper.LoadPicture(607, static_cast<const char*>(nullptr)), nullptr);
    EXPECT_EQ(helper.CachedPictureCount(), 0u);
    IPicture* jpeg = helper.LoadPicture(607, "JPEG");
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(helper.LoadPicture(607, "JPEG"), jpeg);
    EXPECT_EQ(helper.CachedPictureCount(), 1u);
    Surface surface(16, 16, kGreen);
    ASSERT_EQ(helper.DrawPicture(surface.dc(), jpeg, 0, 0, 16, 16, 0), 1);
    EXPECT_PRED2(Near, surface.At(2, 2), kRed);
    EXPECT_PRED2(Near, surface.At(13, 13), kBlue);
    helper.ReleasePictures();
}

TEST(DrawPicture, TransparentColourKeepsTheBackground)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    IPicture* picture = helper.LoadPicture(604, 2);
    ASSERT_NE(picture, nullptr);
    Surface surface(20, 16, kGreen);
    // Stretched to twice its size at (2, 0): the red half is left out.
    ASSERT_EQ(helper.DrawPicture(surface.dc(), picture, 2, 0, 18, 16, kRed), 1);
    EXPECT_EQ(surface.At(3, 1), kGreen);
    EXPECT_EQ(surface.At(17, 6), kGreen);
    EXPECT_EQ(surface.At(3, 9), kBlue);
    EXPECT_EQ(surface.At(17, 15), kBlue);
    EXPECT_EQ(surface.At(0, 12), kGreen);    // outside the rectangle
    EXPECT_EQ(surface.At(19, 12), kGreen);

    EXPECT_EQ(helper.DrawPicture(nullptr, picture, 0, 0, 8, 8, 0), -2);
    EXPECT_EQ(helper.DrawPicture(surface.dc(), nullptr, 0, 0, 8, 8, 0), -2);
}

TEST(DrawGdiImage, DrawsAtTheImagesOwnSizeWhateverItsResolution)
{
    ASSERT_TRUE(EnsureGdiplus());
    Gdiplus::Bitmap image(10, 6, PixelFormat32bppARGB);
    image.SetResolution(72.0f, 72.0f);   // DrawImage(image, x, y) would make it 4/3 larger
    {
        Gdiplus::Graphics g(&image);
        g.Clear(Gdiplus::Color(255, 255, 0, 0));
    }
    Surface surface(40, 30, kGreen);
    ResourceHelper::Instance().DrawGdiImage(surface.dc(), &image, 5, 5);
    EXPECT_EQ(surface.At(5, 5), kRed);
    EXPECT_EQ(surface.At(14, 10), kRed);
    EXPECT_EQ(surface.At(15, 10), kGreen);
    EXPECT_EQ(surface.At(14, 11), kGreen);
    ResourceHelper::Instance().DrawGdiImage(surface.dc(), nullptr, 0, 0);   // nothing, no crash
}

TEST(LoadSkinImage, LoadsFromResEngAndRefusesWhatCannotLoad)
{
    EXPECT_EQ(LoadSkinImage(nullptr), nullptr);
    EXPECT_EQ(LoadSkinImage("NoSuchPicture.png"), nullptr);
    EXPECT_EQ(LoadSkinImage((std::string(300, 'x') + ".png").c_str()), nullptr);

    // The test picture sits beside the program folder: build/fixtures vs build/program.
    std::string name = "..\\..\\..\\fixtures\\app_pictures\\skin.png";
    ASSERT_NE(GetFileAttributesA(ToWinePath(APP_TEST_PICTURES "/skin.png").c_str()),
              INVALID_FILE_ATTRIBUTES);
    Gdiplus::Image* image = LoadSkinImage(name.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 12u);
    EXPECT_EQ(image->GetHeight(), 5u);
    Surface surface(30, 20, kGreen);
    ResourceHelper::Instance().DrawGdiImage(surface.dc(), image, 1, 1);
    EXPECT_EQ(surface.At(12, 5), kRed);
    EXPECT_EQ(surface.At(13, 5), kGreen);
    delete image;
}

TEST(LoadResString, ReadsTheStringTable)
{
    EXPECT_EQ(ResourceHelper::Instance().LoadResString(700), "Resource string");
    EXPECT_EQ(ResourceHelper::Instance().LoadResString(701), "");
}
