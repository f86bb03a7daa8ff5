#include "platform/Twips.h"

#include <gtest/gtest.h>
#include <limits>

namespace petari {
namespace {

TEST(StoredGeometry, AlwaysOpensVisibleAndUsable)
{
    const std::vector<TwipsRect> screens{{0, 0, 19200, 15360}, {19200, 0, 19200, 15360}};
    const struct {
        TwipsRect stored, opened;
    } cases[] = {
        {{105, 105, 7000, 5000}, {105, 105, 7000, 5000}},          // an ordinary place stays
        {{20000, 300, 7000, 5000}, {20000, 300, 7000, 5000}},      // on the second screen
        {{105, 105, 600000, 600000}, {105, 105, 19200, 15360}},    // no larger than a screen
        {{105, 105, 0, -5}, {105, 105, 3000, 2250}},               // never smaller than usable
        {{30000, 30000, 7000, 5000}, {0, 0, 7000, 5000}},          // off every screen
        {{-9000, 105, 7000, 5000}, {0, 0, 7000, 5000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitToScreens(c.stored, screens, 3000, 2250), c.opened) << c.stored.left << "," << c.stored.width;
    EXPECT_EQ(storedTwips(1e20), 1000000);
    EXPECT_EQ(storedTwips(-1e20), -1000000);
    EXPECT_EQ(storedTwips(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(StoredGeometry, ScreenEdgesAndLimitsExactly)
{
    // Two screens side by side, the second lower: 0..999 × 0..799 and 1000..1499 × 0..399.
    const std::vector<TwipsRect> screens{{0, 0, 1000, 800}, {1000, 0, 500, 400}};
    const struct {
        int left, top, openedLeft, openedTop;
    } places[] = {
        {999, 799, 999, 799},   {1000, 799, 0, 0},    // the first screen's right edge
        {1000, 399, 1000, 399}, {1000, 400, 0, 0},    // the second screen's bottom edge
        {1499, 0, 1499, 0},     {1500, 0, 0, 0},      // its right edge
        {0, 0, 0, 0},           {-1, 0, 0, 0},        {0, -1, 0, 0},
    };
    for (const auto& p : places) {
        const TwipsRect opened = fitToScreens({p.left, p.top, 300, 200}, screens, 100, 100);
        EXPECT_EQ(opened, (TwipsRect{p.openedLeft, p.openedTop, 300, 200})) << p.left << "," << p.top;
    }
    // Sizes: no larger than the largest screen, no smaller than asked unless
    // the screens are smaller still.
    const struct {
        int width, height, minWidth, minHeight, openedWidth, openedHeight;
    } sizes[] = {
        {1000, 800, 100, 100, 1000, 800}, {1001, 801, 100, 100, 1000, 800},
        {100, 100, 100, 100, 100, 100},   {99, 99, 100, 100, 100, 100},
        {50, 50, 2000, 900, 1000, 800},
    };
    for (const auto& s : sizes) {
        const TwipsRect opened = fitToScreens({5, 5, s.width, s.height}, screens, s.minWidth, s.minHeight);
        EXPECT_EQ(opened, (TwipsRect{5, 5, s.openedWidth, s.openedHeight})) << s.width << "x" << s.height;
    }
    EXPECT_EQ(fitToScreens({-5, -5, 1, 1}, {}, 100, 100), (TwipsRect{-5, -5, 1, 1}));

    const std::pair<double, int> stored[] = {{1000000.0, 1000000}, {1000000.5, 1000000}, {-1000000.0, -1000000},
                                             {999999.9, 999999},   {-0.9, 0},           {7.99, 7}};
    for (const auto& [value, twips] : stored)
        EXPECT_EQ(storedTwips(value), twips) << value;

    // 15 twips to the pixel at 96 dpi; halves away from zero.
    const struct {
        int twips, dpi, pixels;
    } toPixels[] = {{7, 96, 0}, {8, 96, 1}, {22, 96, 1}, {23, 96, 2}, {-7, 96, 0}, {-8, 96, -1}, {1440, 144, 144}, {5, 144, 1}, {-5, 144, -1}, {719, 1, 0}, {-719, 1, 0}};
    for (const auto& t : toPixels)
        EXPECT_EQ(twipsToPixels(t.twips, t.dpi), t.pixels) << t.twips << "@" << t.dpi;
    const struct {
        int pixels, dpi, twips;
    } toTwips[] = {{1, 96, 15}, {-1, 96, -15}, {1, 144, 10}, {1, 0, 0}, {1, -96, 0}, {1, 1000, 1}, {1, 2881, 0}, {24, 1000, 35}, {-24, 1000, -35}};
    for (const auto& t : toTwips)
        EXPECT_EQ(pixelsToTwips(t.pixels, t.dpi), t.twips) << t.pixels << "@" << t.dpi;
    EXPECT_EQ(TwipsRect{}, (TwipsRect{0, 0, 0, 0}));
    EXPECT_EQ((TwipsRect{1, 2, 3, 4}).right(), 4);
    EXPECT_EQ((TwipsRect{1, 2, 3, 4}).bottom(), 6);
    EXPECT_NE((TwipsRect{1, 2, 3, 4}), (TwipsRect{1, 2, 3, 5}));
    EXPECT_NE((TwipsRect{1, 2, 3, 4}), (TwipsRect{0, 2, 3, 4}));
}

}  // namespace
}  // namespace petari
