// finder/picturehash/PictureReduction.cpp
#include "finder/picturehash/PictureReduction.h"

#include <stddef.h>

namespace picturehash {

CellSpan SourceSpanOfCell(int cell, int cells, int length)
{
    const int64_t first = int64_t(cell) * length / cells;
    int64_t end = int64_t(cell + 1) * length / cells;
    if (end <= first)
        end = first + 1;  // enlarging: the cell repeats its nearest pixel
    return CellSpan{int(first), int(end)};
}

PictureReducer::PictureReducer(int width, int height)
    : width_(width), height_(height), rowsAdded_(0), cellSums_(kGridSize * kGridSize, 0.0),
      redSum_(0), greenSum_(0), blueSum_(0)
{
    if (width_ <= 0 || height_ <= 0)
        return;
    rowGrey_.resize(width_);
    for (int i = 0; i < kGridSize; ++i) {
        columnSpans_.push_back(SourceSpanOfCell(i, kGridSize, width_));
        rowSpans_.push_back(SourceSpanOfCell(i, kGridSize, height_));
    }
}

void PictureReducer::AddRow(int y, const uint32_t* argb)
{
    if (y < 0 || y >= height_ || rowSpans_.empty() || !argb)
        return;
    ++rowsAdded_;
    double red = 0, green = 0, blue = 0;
    for (int x = 0; x < width_; ++x) {
        const uint32_t p = argb[x];
        const float a = float(p >> 24) / 255.0f;
        // Over white: a transparent pixel's colour bytes mean nothing.
        const float r = float((p >> 16) & 0xFF) * a + 255.0f * (1.0f - a);
        const float g = float((p >> 8) & 0xFF) * a + 255.0f * (1.0f - a);
        const float b = float(p & 0xFF) * a + 255.0f * (1.0f - a);
        red += r;
        green += g;
        blue += b;
        rowGrey_[x] = 0.299f * r + 0.587f * g + 0.114f * b;
    }
    redSum_ += red;
    greenSum_ += green;
    blueSum_ += blue;
    for (int j = 0; j < kGridSize; ++j) {
        if (y < rowSpans_[j].first || y >= rowSpans_[j].end)
            continue;
        double* sums = &cellSums_[j * kGridSize];
        for (int i = 0; i < kGridSize; ++i) {
            double s = 0;
            for (int x = columnSpans_[i].first; x < columnSpans_[i].end; ++x)
                s += rowGrey_[x];
            sums[i] += s;
        }
    }
}

bool PictureReducer::Finish(ReducedPicture* out) const
{
    if (!out || width_ <= 0 || height_ <= 0 || rowsAdded_ != height_)
        return false;
    for (int j = 0; j < kGridSize; ++j) {
        const double rows = rowSpans_[j].end - rowSpans_[j].first;
        for (int i = 0; i < kGridSize; ++i) {
            const double pixels = rows * (columnSpans_[i].end - columnSpans_[i].first);
            out->grey[j * kGridSize + i] = float(cellSums_[j * kGridSize + i] / pixels);
        }
    }
    const double total = double(width_) * double(height_);
    out->meanRed = float(redSum_ / total);
    out->meanGreen = float(greenSum_ / total);
    out->meanBlue = float(blueSum_ / total);
    return true;
}

std::vector<float> ShrinkGrid(const float* grid, int width, int height, int outWidth, int outHeight)
{
    std::vector<float> out(size_t(outWidth) * outHeight, 0.0f);
    for (int j = 0; j < outHeight; ++j) {
        const CellSpan rows = SourceSpanOfCell(j, outHeight, height);
        for (int i = 0; i < outWidth; ++i) {
            const CellSpan cols = SourceSpanOfCell(i, outWidth, width);
            double s = 0;
            for (int y = rows.first; y < rows.end; ++y)
                for (int x = cols.first; x < cols.end; ++x)
                    s += grid[y * width + x];
            out[j * outWidth + i] = float(s / double((rows.end - rows.first) * (cols.end - cols.first)));
        }
    }
    return out;
}

}  // namespace picturehash
