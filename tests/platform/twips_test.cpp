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

}  // namespace
}  // namespace petari
