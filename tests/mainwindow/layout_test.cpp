#include "mainwindow/Layout.h"

#include <gtest/gtest.h>

namespace petari {
namespace {

// A window as it comes up: splitter at 2000 twips.
MainWindowLayout startLayout()
{
    MainWindowLayout l;
    l.inputArea = {830, 100, 6000, 1400};
    l.tocLabel = {50, 2100, 600, 300};
    l.toc = {700, 2100, 6000, 300};
    l.lineList = {50, 2500, 6800, 3000};
    l.statusLine = {50, 5700, 6800, 250};
    l.favouritesBar = {50, 6000, 6800, 400};
    l.splitterY = 2000;
    l.splitterLeft = 50;
    l.splitterRight = 6850;
    l.buttons = {{{50, 100, 700, 300}, {50, 500, 700, 300}, {50, 900, 700, 300},
                  {50, 1300, 700, 300}}};
    return l;
}

TEST(FormResize, HeightFollowsOnlyWhileTheListKeepsRoom)
{
    const MainWindowLayout start = startLayout();
    MainWindowLayout l = resizedLayout(start, 8000, 7000);
    EXPECT_EQ(l.lineList.height, 8000 - 2000 - 900);
    EXPECT_EQ(l.statusLine.top, 8000 - 300);

    // Splitter y + 1400 must be below the inner height.
    l = resizedLayout(start, 3400, 7000);
    EXPECT_EQ(l.lineList.height, start.lineList.height);
    EXPECT_EQ(l.statusLine.top, start.statusLine.top);
    EXPECT_EQ(resizedLayout(start, 3401, 7000).lineList.height, 501);
}

TEST(FormResize, WidthsAboveEighteenHundred)
{
    const MainWindowLayout l = resizedLayout(startLayout(), 8000, 9000);
    EXPECT_EQ(l.lineList.width, 8850);
    EXPECT_EQ(l.inputArea.width, 8020);
    EXPECT_EQ(l.toc.width, 8250);
    EXPECT_EQ(l.statusLine.width, 8850);
    EXPECT_EQ(l.splitterRight, 8850);
    EXPECT_EQ(l.favouritesBar.width, 8850);
    // Lefts and tops do not move with the width.
    EXPECT_EQ(l.inputArea.left, 830);
    EXPECT_EQ(l.splitterLeft, 50);
}

TEST(FormResize, NarrowWindowKeepsTheWidthsOfTheLastWiderSize)
{
    const MainWindowLayout wide = resizedLayout(startLayout(), 8000, 5000);
    for (int narrow : {1800, 1000, 0}) {
        const MainWindowLayout l = resizedLayout(wide, 8000, narrow);
        EXPECT_EQ(l, wide) << narrow;
    }
    EXPECT_EQ(resizedLayout(wide, 8000, 1801).lineList.width, 1651);
}

TEST(Splitter, PointerWithinTwentyFiveTwips)
{
    EXPECT_FALSE(splitterPointerShown(2000, 1975));
    EXPECT_TRUE(splitterPointerShown(2000, 1976));
    EXPECT_TRUE(splitterPointerShown(2000, 2024));
    EXPECT_FALSE(splitterPointerShown(2000, 2025));
}

TEST(Splitter, BandLimits)
{
    EXPECT_FALSE(withinSplitterBand(1199, 9000));
    EXPECT_TRUE(withinSplitterBand(1200, 9000));
    EXPECT_TRUE(withinSplitterBand(7000, 9000));
    EXPECT_FALSE(withinSplitterBand(7001, 9000));
    // A window too short for any band.
    EXPECT_FALSE(withinSplitterBand(1200, 3000));
}

TEST(Splitter, DragMovesTheControlsAndHidesButtonsItPasses)
{
    MainWindowLayout l = dragSplitter(startLayout(), 1200, 9000);
    EXPECT_EQ(l.splitterY, 1200);
    EXPECT_EQ(l.tocLabel.top, 1300);
    EXPECT_EQ(l.toc.top, 1300);
    EXPECT_EQ(l.lineList.top, 1700);
    EXPECT_EQ(l.lineList.height, 9000 - 1200 - 1700);
    EXPECT_EQ(l.inputArea.height, 600);
    EXPECT_EQ(l.buttonVisible, (std::array<bool, 4>{{true, true, true, false}}));
    // "確認" stays even when the splitter is above it.
    l.buttons[0].top = 5000;
    l = dragSplitter(l, 1250, 9000);
    EXPECT_TRUE(l.buttonVisible[0]);
    // Dragging down again brings them back.
    l = dragSplitter(l, 3000, 9000);
    EXPECT_EQ(l.buttonVisible, (std::array<bool, 4>{{true, true, true, true}}));
}

TEST(Splitter, DragStartsOnlyOnTheSplitterAndEndsOutsideTheBand)
{
    const int height = 9000;
    MainWindowLayout l = startLayout();
    SplitterDrag drag;

    // Pressed away from the splitter: no drag.
    EXPECT_FALSE(drag.mouseMove(3000, height, l));
    drag.mousePress();
    EXPECT_FALSE(drag.dragging());
    drag.mouseRelease();

    EXPECT_FALSE(drag.mouseMove(2010, height, l));
    EXPECT_TRUE(drag.resizePointer());
    drag.mousePress();
    ASSERT_TRUE(drag.dragging());
    EXPECT_TRUE(drag.mouseMove(2600, height, l));
    EXPECT_EQ(l.splitterY, 2600);
    EXPECT_TRUE(drag.resizePointer());

    // Above 1200 the drag ends and nothing moves; coming back does not
    // resume it.
    const MainWindowLayout before = l;
    EXPECT_FALSE(drag.mouseMove(1100, height, l));
    EXPECT_FALSE(drag.dragging());
    EXPECT_EQ(l, before);
    EXPECT_FALSE(drag.mouseMove(2000, height, l));
    EXPECT_EQ(l, before);

    // Closer than 2000 to the bottom ends it too.
    drag.mouseMove(2600, height, l);
    drag.mousePress();
    EXPECT_TRUE(drag.mouseMove(7000, height, l));
    EXPECT_FALSE(drag.mouseMove(7001, height, l));
    EXPECT_FALSE(drag.dragging());
    EXPECT_EQ(l.splitterY, 7000);

    drag.mouseMove(7000, height, l);
    drag.mousePress();
    drag.mouseRelease();
    EXPECT_FALSE(drag.mouseMove(6500, height, l));
    EXPECT_EQ(l.splitterY, 7000);
}

std::array<bool, kFavouriteButtons> usedUpTo(int k)
{
    std::array<bool, kFavouriteButtons> enabled{};
    for (int i = 0; i < k; ++i)
        enabled[i] = true;
    return enabled;
}

TEST(FavouritesBar, NavigationButtonPositionsByWidth)
{
    const struct {
        int width, previous, next, firstButton;
    } cases[] = {
        {8000, 5880, 6255, 850}, {6730, 5880, 6255, 850}, {6729, 5879, 6254, 850},
        {4621, 3771, 4146, 850}, {4620, 3770, 4145, 0},   {3000, 2150, 2525, 0},
    };
    for (const auto& c : cases) {
        const FavouritesBarLayout b = favouritesBarLayout(c.width, 10, usedUpTo(10));
        EXPECT_EQ(b.previousLeft, c.previous) << c.width;
        EXPECT_EQ(b.nextLeft, c.next) << c.width;
        for (int i = 0; i < kFavouriteButtons; ++i)
            EXPECT_EQ(b.buttonLeft[i], c.firstButton + i * 375) << c.width;
    }
}

TEST(FavouritesBar, TenFavouritesKeepTheNavigationPositions)
{
    // Even where the used buttons run under "<".
    const FavouritesBarLayout b = favouritesBarLayout(2000, 10, usedUpTo(10));
    EXPECT_EQ(b.previousLeft, 1150);
    EXPECT_EQ(b.nextLeft, 1525);
    for (bool v : b.buttonVisible)
        EXPECT_TRUE(v);
}

TEST(FavouritesBar, DisabledButtonsHiddenBeforeTheyReachTheNavigation)
{
    // Width 5000: "<" at 4150, buttons from 850 in steps of 375.
    const FavouritesBarLayout b = favouritesBarLayout(5000, 3, usedUpTo(3));
    EXPECT_EQ(b.previousLeft, 4150);
    const std::array<bool, kFavouriteButtons> visible{
        {true, true, true, true, true, true, true, true, false, false}};
    EXPECT_EQ(b.buttonVisible, visible);
    // 3475 + 380 < 4150 shown; 3850 + 380 is not.
    EXPECT_EQ(b.buttonLeft[7], 3475);
    EXPECT_EQ(b.buttonLeft[8], 3850);

    // Strictly less: left + 380 equal to the left of "<" hides.
    const FavouritesBarLayout edge = favouritesBarLayout(1230, 0, usedUpTo(0));
    EXPECT_EQ(edge.previousLeft, 380);
    EXPECT_FALSE(edge.buttonVisible[0]);
    EXPECT_TRUE(favouritesBarLayout(1231, 0, usedUpTo(0)).buttonVisible[0]);
}

TEST(FavouritesBar, NavigationMovesPastTheLastUsedButton)
{
    // Width 2000: "<" would be at 1150, but eight buttons are in use.
    FavouritesBarLayout b = favouritesBarLayout(2000, 8, usedUpTo(8));
    EXPECT_EQ(b.previousLeft, 3000);
    EXPECT_EQ(b.nextLeft, 3375);
    EXPECT_FALSE(b.buttonVisible[8]);
    EXPECT_FALSE(b.buttonVisible[9]);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(b.buttonVisible[i]) << i;

    // Nothing in use: the first free button is at 0, "<" stays.
    b = favouritesBarLayout(2000, 0, usedUpTo(0));
    EXPECT_EQ(b.previousLeft, 1150);
    EXPECT_EQ(b.buttonVisible,
              (std::array<bool, kFavouriteButtons>{
                  {true, true, true, false, false, false, false, false, false, false}}));
    EXPECT_EQ(favouritesBarLayout(2000, -3, usedUpTo(0)), b);
}

TEST(SplitListPlacement, PieceListGoesToTheCornerAwayFromTheClick)
{
    const TwipsRect main{100, 2000, 6000, 4000};
    const TwipsRect piece{0, 0, 1000, 800};
    const struct {
        int x, y;
        TwipsRect placed;
    } cases[] = {
        // Lower right: top left.
        {4000, 3000, {200, 2100, 3000, 2000}},
        // Upper left: bottom right, 300 clear of the right edge.
        {100, 100, {2800, 3900, 3000, 2000}},
        // Exactly on the middle counts as the upper / left half.
        {3000, 2000, {2800, 3900, 3000, 2000}},
        {3001, 2001, {200, 2100, 3000, 2000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitListPlacement(main, piece, c.x, c.y), c.placed) << c.x << "," << c.y;
}

TEST(SplitListPlacement, SmallMainListKeepsThePieceListSize)
{
    const TwipsRect piece{0, 0, 700, 600};
    // Half of 1000 is not over 500.
    EXPECT_EQ(splitListPlacement({0, 0, 1000, 1000}, piece, 0, 0), (TwipsRect{0, 300, 700, 600}));
    // Half of 1001 is over 500 (500.5); the size is kept in whole twips.
    EXPECT_EQ(splitListPlacement({0, 0, 1001, 1001}, piece, 0, 0), (TwipsRect{201, 401, 500, 500}));
    // 1001: the point 500 is above the middle (500.5), 501 below it.
    EXPECT_EQ(splitListPlacement({0, 0, 1001, 1001}, piece, 501, 501).top, 100);
    EXPECT_EQ(splitListPlacement({0, 0, 1001, 1001}, piece, 500, 500).top, 401);
}

}  // namespace
}  // namespace petari
