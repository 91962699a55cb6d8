// tests/ui/dialogs/WrappedTextTest.cpp
// Line breaking and the highlighted phrase, measured in a real font on a memory DC.
#include <gtest/gtest.h>

#include "app/ResourceHelper.h"
#include "ui/dialogs/WrappedText.h"

using namespace WrappedText;

namespace {

class Measured : public ::testing::Test {
protected:
    void SetUp() override
    {
        dc_ = CreateCompatibleDC(nullptr);
        SelectObject(dc_, ResourceHelper::Instance().GetFont(18, 400, false));
    }
    void TearDown() override { DeleteDC(dc_); }
    int Width(const std::string& text) const
    {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    std::string Piece(const std::string& text, const WrappedText::Run& run) const
    {
        return text.substr(run.start, run.length);
    }
    HDC dc_ = nullptr;
};

} // namespace

TEST_F(Measured, ThePhraseIsHighlightedWhereTheTextHasIt)
{
    const std::string text = "The files are in the Recycle Bin now.";
    const Layout layout = Make(dc_, text, 2000, "recycle bin");
    ASSERT_EQ(layout.lines, 1);
    ASSERT_EQ(layout.runs.size(), 3u);
    EXPECT_EQ(Piece(text, layout.runs[0]), "The files are in the ");
    EXPECT_EQ(Piece(text, layout.runs[1]), "Recycle Bin");
    EXPECT_TRUE(layout.runs[1].highlighted);
    EXPECT_FALSE(layout.runs[0].highlighted || layout.runs[2].highlighted);
    // It starts exactly where the words before it end.
    EXPECT_EQ(layout.runs[1].x, Width("The files are in the "));
}

TEST_F(Measured, ATranslationWithoutThePhraseHighlightsNothing)
{
    for (const char* text : {"Die Dateien liegen jetzt im Papierkorb.",
                             "Les fichiers sont dans la corbeille.", ""}) {
        const Layout layout = Make(dc_, text, 300, "recycle bin");
        for (const WrappedText::Run& run : layout.runs)
            EXPECT_FALSE(run.highlighted) << text;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 400, 60);
    SelectObject(dc, bitmap);
    const RECT box = {0, 0, 400, 60};
    const RECT covered = Draw(dc, "Les fichiers sont dans la corbeille.", box,
                              ResourceHelper::Instance().GetFont(18, 400, false), 0xFFFFFF,
                              "recycle bin", 0x5388FF);
    EXPECT_TRUE(IsRectEmpty(&covered));
    const RECT hit = Draw(dc, "Moved to the recycle bin.", box,
                          ResourceHelper::Instance().GetFont(18, 400, false), 0xFFFFFF,
                          "recycle bin", 0x5388FF);
    EXPECT_FALSE(IsRectEmpty(&hit));
    EXPECT_EQ(hit.left, Width("Moved to the "));
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST_F(Measured, LinesBreakAtSpacesNewLinesAndInsideOverlongWords)
{
    const std::string text = "alpha beta gamma delta\nepsilon Supercalifragilisticexpialidocious";
    const int width = Width("alpha beta gamma");
    const Layout layout = Make(dc_, text, width, "gamma delta");
    std::vector<std::string> lines(layout.lines);
    for (const WrappedText::Run& run : layout.runs)
        lines[run.line] += Piece(text, run);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "alpha beta gamma");
    EXPECT_EQ(lines[1], "delta");
    EXPECT_EQ(lines[2], "epsilon");
    // The long word is cut where the line is full, and no line is wider than the box.
    std::string rejoined;
    for (size_t i = 3; i < lines.size(); ++i) {
        EXPECT_LE(Width(lines[i]), width) << lines[i];
        rejoined += lines[i];
    }
    EXPECT_EQ(rejoined, "Supercalifragilisticexpialidocious");
    // A phrase that the break splits is highlighted on both lines.
    int highlighted = 0;
    for (const WrappedText::Run& run : layout.runs)
        highlighted += run.highlighted;
    EXPECT_EQ(highlighted, 2);
}
