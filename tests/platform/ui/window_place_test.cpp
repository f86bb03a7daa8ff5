#include "platform/ui/WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>
#include <limits>

namespace petari {
namespace {

// Every window opens on a screen whatever its settings hold, and an unmoved
// one stores what it read, not the twips its rounded pixels give back.
TEST(WindowPlace, OpensOnAScreenAndStoresWhatItReadUnlessMoved)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double left, top;
        bool kept;   // stored back as read
    } cases[] = {
        {100, 100, true},   // 6.67 pixels: rounding alone would store 105
        {1e20, 300, false}, {-1e20, nan, false}, {nan, nan, true},   // NaN reads as 0, on the screen
        {-9000, 105, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + ", " + std::to_string(c.top));
        QWidget window;
        window.resize(200, 150);
        WindowPlace place;
        place.restore(window, c.left, c.top);
        EXPECT_TRUE(screen.contains(window.pos())) << window.pos().x() << "," << window.pos().y();
        const TwipsRect stored = place.current(window);
        EXPECT_EQ(stored.left, c.kept ? storedTwips(c.left) : pixelsToTwips(window.x()));
        window.move(window.pos() + QPoint(10, 0));
        EXPECT_EQ(place.current(window).left, pixelsToTwips(window.x()));
        EXPECT_EQ(place.current(window).top, stored.top);
    }

    // A sized window: no smaller than usable, no larger than the screen.
    QWidget window;
    WindowPlace place;
    place.restore(window, {105, 105, 600000, 0}, 3000, 2250);
    EXPECT_LE(window.width(), screen.width());
    EXPECT_EQ(window.height(), 150);
    EXPECT_EQ(place.current(window).height, 2250);
}

}  // namespace
}  // namespace petari
