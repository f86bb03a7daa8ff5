#include "support/Fixture.h"

#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

// Copies made in other windows between two ticks, as a clipboard watcher
// reports them: each one counts, in order, once.
TEST(ClipboardWatch, EveryCopySinceTheLastTickArrivesInOrder)
{
    const struct {
        int mode;
        QStringList copies;
        const char* result;
    } cases[] = {
        {1, {"監視A", "監視B"}, "監視B"},
        {2, {"監視A", "監視B"}, "x監視A監視B"},
        {3, {"監視A", "監視B"}, "x監視A\r\n監視B\r\n"},
        {2, {"監視A", "監視A", "監視B"}, "x監視A監視B"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.c->setMonitorMode(c.mode);
        for (const QString& t : c.copies)
            f.clipboard.copiedElsewhere(t);
        EXPECT_EQ(f.c->monitorTick("x", false), std::optional<QString>(QString::fromUtf8(c.result))) << c.mode;
        EXPECT_FALSE(f.c->monitorTick(QString::fromUtf8(c.result), false).has_value());
    }
}

TEST(ClipboardWatch, CopiesWaitWhileComposingAndTheWatcherRunsOnlyWhileTheMonitorIsOn)
{
    Fixture f;
    f.c->monitorTick("", false);
    EXPECT_FALSE(f.clipboard.watching());
    f.c->setMonitorMode(2);
    f.clipboard.copiedElsewhere("監視A");
    f.clipboard.copiedElsewhere("監視B");
    EXPECT_FALSE(f.c->monitorTick("にほ", true).has_value());
    EXPECT_TRUE(f.clipboard.watching());
    EXPECT_EQ(f.c->monitorTick("日本", false), std::optional<QString>("日本監視A監視B"));
    f.c->setMonitorMode(0);
    f.c->monitorTick("", false);
    EXPECT_FALSE(f.clipboard.watching());
}

namespace {
class PlacelessView : public MainView {
public:
    bool reportsPosition() const override { return false; }
};
}  // namespace

TEST(ClipboardWatch, ExitKeepsTheStoredPlaceWhereTheDesktopHidesIt)
{
    Fixture f;
    f.settings->write("F1", "top", "1234");
    f.settings->write("F1", "Left", "567");
    PlacelessView view;
    f.c->setView(&view);
    InstanceRegistry reg(f.path("run"));
    f.c->startUp({}, reg);
    view.setGeometryTwips({0, 0, 8000, 6000});
    EXPECT_TRUE(f.c->confirmClose());
    EXPECT_EQ(f.settings->read("F1", "top"), "1234");
    EXPECT_EQ(f.settings->read("F1", "Left"), "567");
    EXPECT_EQ(f.settings->read("F1", "Width"), "8000");
    EXPECT_EQ(f.settings->read("F1", "Height"), "6000");
    f.c->setView(nullptr);
}
