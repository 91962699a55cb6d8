// tests/finder/picturehash/PictureReductionTest.cpp
#include "finder/picturehash/PictureReduction.h"

#include <gtest/gtest.h>

#include <vector>

using namespace picturehash;

namespace {

// A picture of width x height filled by pixel(x, y), reduced.
template <typename Pixel>
bool Reduce(int width, int height, Pixel pixel, ReducedPicture* out)
{
    PictureReducer reducer(width, height);
    std::vector<uint32_t> row(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            row[x] = pixel(x, y);
        reducer.AddRow(y, row.data());
    }
    return reducer.Finish(out);
}

}  // namespace

TEST(PictureReduction, CellSpansCoverEverySideWithoutGapsOrEmptyCells)
{
    for (int length : {1, 5, 31, 32, 33, 97, 100, 1000, 65535}) {
        SCOPED_TRACE(length);
        int coveredTo = 0;
        for (int cell = 0; cell < kGridSize; ++cell) {
            const CellSpan span = SourceSpanOfCell(cell, kGridSize, length);
            EXPECT_GE(span.first, 0);
            EXPECT_LT(span.first, span.end);
            EXPECT_LE(span.end, length);
            EXPECT_LE(span.first, coveredTo);  // no pixel is skipped
            if (length >= kGridSize) {
                EXPECT_EQ(span.first, coveredTo);  // shrinking: cells do not overlap
            }
            coveredTo = span.end;
        }
        EXPECT_EQ(coveredTo, length);
    }
}

TEST(PictureReduction, AveragesEachCellAndTheColours)
{
    // Left half black, right half white, over an odd width: the middle cells mix.
    ReducedPicture r;
    ASSERT_TRUE(Reduce(64, 64, [](int x, int) { return x < 32 ? 0xFF000000u : 0xFFFFFFFFu; }, &r));
    for (int y = 0; y < kGridSize; ++y) {
        EXPECT_FLOAT_EQ(r.grey[y * kGridSize + 0], 0.0f);
        EXPECT_FLOAT_EQ(r.grey[y * kGridSize + 15], 0.0f);
        EXPECT_NEAR(r.grey[y * kGridSize + 16], 255.0f, 0.01);
        EXPECT_NEAR(r.grey[y * kGridSize + 31], 255.0f, 0.01);
    }
    EXPECT_NEAR(r.meanRed, 127.5f, 0.01);

    ASSERT_TRUE(Reduce(97, 50, [](int, int) { return 0xFFFF0000u; }, &r));  // pure red
    EXPECT_NEAR(r.meanRed, 255.0f, 0.01);
    EXPECT_NEAR(r.meanGreen, 0.0f, 0.01);
    EXPECT_NEAR(r.meanBlue, 0.0f, 0.01);
    for (float g : r.grey)
        EXPECT_NEAR(g, 0.299f * 255, 0.01);
}

TEST(PictureReduction, SeesTransparentPixelsOverWhite)
{
    ReducedPicture r;
    // Fully transparent "black" is white; half-transparent black is mid grey.
    ASSERT_TRUE(Reduce(40, 40, [](int x, int) { return x < 20 ? 0x00000000u : 0x80000000u; }, &r));
    EXPECT_NEAR(r.grey[0], 255.0f, 0.01);
    EXPECT_NEAR(r.grey[kGridSize - 1], 255.0f * (1 - 128 / 255.0f), 0.5);
}

TEST(PictureReduction, EnlargesPicturesSmallerThanTheGrid)
{
    ReducedPicture r;
    ASSERT_TRUE(Reduce(1, 1, [](int, int) { return 0xFF404040u; }, &r));
    for (float g : r.grey)
        EXPECT_NEAR(g, 64.0f, 0.01);
    // 2x1: left cells take the left pixel, right cells the right one.
    ASSERT_TRUE(Reduce(2, 1, [](int x, int) { return x ? 0xFFFFFFFFu : 0xFF000000u; }, &r));
    EXPECT_FLOAT_EQ(r.grey[0], 0.0f);
    EXPECT_NEAR(r.grey[kGridSize - 1], 255.0f, 0.01);
}

TEST(PictureReduction, FinishesOnlyWhenEveryRowArrived)
{
    ReducedPicture r;
    PictureReducer reducer(10, 3);
    std::vector<uint32_t> row(10, 0xFF000000u);
    reducer.AddRow(0, row.data());
    reducer.AddRow(2, row.data());
    reducer.AddRow(7, row.data());       // outside the picture: ignored
    reducer.AddRow(1, nullptr);          // no row: ignored
    EXPECT_FALSE(reducer.Finish(&r));
    reducer.AddRow(1, row.data());
    EXPECT_TRUE(reducer.Finish(&r));
    EXPECT_FALSE(reducer.Finish(nullptr));

    PictureReducer empty(0, 5);
    empty.AddRow(0, row.data());
    EXPECT_FALSE(empty.Finish(&r));
}

TEST(PictureReduction, ShrinkGridAveragesBoxes)
{
    std::vector<float> grid(kGridSize * kGridSize);
    for (int y = 0; y < kGridSize; ++y)
        for (int x = 0; x < kGridSize; ++x)
            grid[y * kGridSize + x] = float(x);
    const std::vector<float> small = ShrinkGrid(grid.data(), kGridSize, kGridSize, 4, 2);
    ASSERT_EQ(small.size(), 8u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_FLOAT_EQ(small[y * 4 + x], 8 * x + 3.5f);  // mean of columns 8x .. 8x+7
}
