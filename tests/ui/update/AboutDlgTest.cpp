// tests/ui/update/AboutDlgTest.cpp
// The about box reads the product version from the program's own version resource, as it
// stands there; a file without one gives -2 and leaves the texts empty.
#include <gtest/gtest.h>

#include <string>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/about/AboutDlg.h"
#include "ui/about/ProductVersion.h"

using namespace dialogtest;

TEST(ProductVersion, ReadsTheVersionResourceOrSaysWhyNot)
{
    std::string version = "x", copyright = "y";
    EXPECT_EQ(GetProductVersion(nullptr, version, copyright), -1);
    EXPECT_EQ(version, "x");

    // This test program carries a version resource of its own (AboutVersion.rc).
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(GetProductVersion(self, version, copyright), 0);
    EXPECT_EQ(version, "3.2.0.41");
    EXPECT_EQ(copyright, "Test copyright");

    // A file with no version resource at all.
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string plain = std::string(folder) + "about-test-plain.txt";
    HANDLE file = CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "plain", 5, &written, nullptr);
    CloseHandle(file);
    std::string none, noCopyright;
    EXPECT_EQ(GetProductVersion(plain.c_str(), none, noCopyright), -2);
    EXPECT_EQ(none, "");
    DeleteFileA(plain.c_str());
}

TEST(AboutWindow, ShowsTheProgramsVersionAndClosesFromTheCaption)
{
    AboutDlg dlg(nullptr);
    std::string shown;
    bool linkThere = false;
    RECT link = {};
    int labelLeft = 0, valueLeft = 0, homepageWidth = 0;
    RunLater(250, [&] {
        dlg.UpdateWindow();
        shown = dlg.ProductVersionText();
        linkThere = dlg.FindClientItem(800) != nullptr;
        if (linkThere)
            dlg.FindClientItem(800)->GetRect(link);
        labelLeft = dlg.LabelLeft();
        valueLeft = dlg.ValueLeft();
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, ResourceHelper::Instance().GetFont(16, 400, false));
        const std::string label = GetLangString("Homepage");
        SIZE size = {};
        GetTextExtentPoint32A(screen, label.c_str(), static_cast<int>(label.size()), &size);
        homepageWidth = size.cx;
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        PostKey(dlg.m_hWnd, VK_ESCAPE);
        Settle(100);
        ClickCaptionItem(dlg, 148);
    });
    RunLater(5000, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, "3.2.0.41");
    EXPECT_TRUE(linkThere);
    // The link sits on the home-page line, right of its label and clear of it.
    EXPECT_EQ(85, link.top);
    EXPECT_EQ(105, link.bottom);
    EXPECT_EQ(valueLeft, link.left);
    EXPECT_GT(homepageWidth, 0);
    EXPECT_GE(link.left, labelLeft + homepageWidth);
    EXPECT_GT(link.right, link.left);
}
