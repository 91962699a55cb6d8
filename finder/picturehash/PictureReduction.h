// finder/picturehash/PictureReduction.h
// Shrinks a picture, fed to it row by row, to a 32x32 grid of grey levels by box averaging,
// and keeps the picture's mean colour. Averaging every source pixel (rather than sampling a
// few) is what makes the grid the same for a picture and its resized or recompressed copies.
#pragma once
#include <stdint.h>
#include <vector>

namespace picturehash {

enum { kGridSize = 32 };

// Source pixels [first, end) that make up output cell `cell` of `cells` along a side of
// `length` pixels. Cells partition the side when shrinking and overlap when enlarging, so
// no cell is ever empty.
struct CellSpan {
    int first;
    int end;
};
CellSpan SourceSpanOfCell(int cell, int cells, int length);

// The reduced picture: grey levels 0..255 (Rec. 601 weights), row-major, and the mean of
// each colour channel 0..255. Transparent pixels are seen over white.
struct ReducedPicture {
    float grey[kGridSize * kGridSize];
    float meanRed;
    float meanGreen;
    float meanBlue;
};

class PictureReducer {
public:
    PictureReducer(int width, int height);

    // One source row of `width` pixels as 0xAARRGGBB (non-premultiplied).
    void AddRow(int y, const uint32_t* argb);

    // False unless every row was added exactly once.
    bool Finish(ReducedPicture* out) const;

private:
    int width_;
    int height_;
    int rowsAdded_;
    std::vector<CellSpan> columnSpans_;
    std::vector<CellSpan> rowSpans_;
    std::vector<double> cellSums_;  // kGridSize * kGridSize grey sums
    std::vector<float> rowGrey_;    // scratch: grey of the row being added
    double redSum_;
    double greenSum_;
    double blueSum_;
};

// Box-averages a grid of grey levels to outWidth x outHeight (used for the gradient hash).
std::vector<float> ShrinkGrid(const float* grid, int width, int height, int outWidth, int outHeight);

}  // namespace picturehash
