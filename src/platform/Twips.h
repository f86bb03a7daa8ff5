#pragma once
// Rectangles in twips (1/1440 inch): the unit of the windows' layout rules
// and of their stored places.  The widgets convert at the edge, 15 twips to
// the pixel at 96 dots per inch.

#include <QString>
#include <vector>

namespace petari {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const TwipsRect& o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
    bool operator!=(const TwipsRect& o) const { return !(*this == o); }
};

constexpr int kTwipsPerPixel96 = 15;

// Twips to pixels and back for a screen of the given logical dots per inch;
// rounds to the nearest whole unit.
constexpr int twipsToPixels(int twips, int dpi = 96)
{
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}
constexpr int pixelsToTwips(int pixels, int dpi = 96)
{
    if (dpi <= 0)
        return 0;
    const long long scaled = static_cast<long long>(pixels) * 1440;
    return static_cast<int>(scaled >= 0 ? (scaled + dpi / 2) / dpi : -((-scaled + dpi / 2) / dpi));
}

// A stored position or size as whole twips: anything beyond what a screen
// could show (1e20, NaN) becomes the nearest value that is not undefined.
int storedTwips(double value);
// Stored places are read within ±kStoredTwipsLimit (settings::WindowArea).
constexpr int kStoredTwipsLimit = 1000000;   // more than 40 metres of screen

// Where a window of the stored rectangle r may open: at least minWidth by
// minHeight, no larger than the largest screen, and with its top left corner
// on one of the screens (otherwise at the first screen's top left corner).
// screens are the screens' available areas; none leaves r as it is.
TwipsRect fitToScreens(TwipsRect r, const std::vector<TwipsRect>& screens, int minWidth, int minHeight);

}  // namespace petari
