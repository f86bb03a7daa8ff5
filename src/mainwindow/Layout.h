#pragma once
// The main window's layout rules in twips: what a resize of the window, a
// drag of the splitter between the input area and the line list, and a
// resize of the favourites bar do to the controls.  The widgets keep a
// MainWindowLayout, hand it through these rules and apply the result.

#include "platform/Twips.h"

#include <array>
#include <vector>

namespace petari {

// The controls whose place the rules change.
struct MainWindowLayout {
    TwipsRect inputArea;
    TwipsRect lineList;        // the document's lines
    TwipsRect tocLabel;        // Label1(0) "目次"
    TwipsRect toc;             // the table-of-contents box
    TwipsRect statusLine;
    TwipsRect favouritesBar;
    int splitterY = 0;         // a horizontal line
    int splitterLeft = 0;
    int splitterRight = 0;
    // "確認", "追加", "書換" and "消す"; their places are fixed, a
    // drag of the splitter only hides the ones it passes.
    std::array<TwipsRect, 4> buttons{};
    std::array<bool, 4> buttonVisible{{true, true, true, true}};

    bool operator==(const MainWindowLayout& o) const;
    bool operator!=(const MainWindowLayout& o) const { return !(*this == o); }
};

// The smallest inner height (below the menu bar) that shows the window as
// designed whole: the input area above the splitter at 1900, the line list
// from 500 below it with three rows or so (900), and the status line in the
// 400 below the list.  A stored window size never opens smaller.
constexpr int kMinimumInnerHeight = 1900 + 500 + 900 + 400;
// As narrow as the window may open: the buttons, and beside them the input area.
constexpr int kMinimumWidth = 3000;

// The controls after the window was resized to the given inner height and
// outer width.  The list grows or shrinks with the height only while it
// keeps more than 500 twips; below 1800 twips of width the widths of the
// last wider size stay.
MainWindowLayout resizedLayout(const MainWindowLayout& current, int innerHeight, int outerWidth);

// True while the mouse at y is within 25 twips of the splitter: the
// vertical-resize pointer shows and a press starts a drag.
bool splitterPointerShown(int splitterY, int y);

// The band the splitter may be dragged in: 1200 twips from the top to 2000
// twips from the bottom of the window (outer height), ends included.
bool withinSplitterBand(int y, int outerHeight);

// The controls after the splitter has been dragged to y in a window of the
// given outer height (y assumed within the band).
MainWindowLayout dragSplitter(const MainWindowLayout& current, int y, int outerHeight);

// The splitter's mouse handling over the window background.
class SplitterDrag {
public:
    bool dragging() const { return dragging_; }
    bool resizePointer() const { return resizePointer_; }

    // Mouse moved to y.  Outside the band the drag ends; while dragging,
    // layout follows the mouse.  Then the pointer is judged against where
    // the splitter now is.  Returns true when layout was changed.
    bool mouseMove(int y, int outerHeight, MainWindowLayout& layout);
    // A press starts a drag only while the resize pointer shows.
    void mousePress();
    void mouseRelease();

private:
    bool dragging_ = false;
    bool resizePointer_ = false;
};

constexpr int kFavouriteButtons = 10;

// The favourites bar: "<" and ">" of the same-folder buttons, and the ten
// favourite buttons "1" to "10".
struct FavouritesBarLayout {
    int previousLeft = 0;   // "<"
    int nextLeft = 0;       // ">"
    std::array<int, kFavouriteButtons> buttonLeft{};
    std::array<bool, kFavouriteButtons> buttonVisible{};

    bool operator==(const FavouritesBarLayout& o) const;
};

// The favourites bar laid out for its width, given the highest favourites
// slot in use (0 when none, 10 when the last one is used) and which favourite buttons
// are enabled (a button is enabled when its slot is used).  Disabled buttons
// that would run into "<" are hidden; when the used buttons reach past "<",
// "<" and ">" move right, just after the last used one.
FavouritesBarLayout favouritesBarLayout(int barWidth, int lastUsedSlot,
                                   const std::array<bool, kFavouriteButtons>& buttonEnabled);

// Where to put the piece list (current rectangle piece) over the main list
// (mainList) so that it leaves the point x, y free, x and y being relative
// to the main list: the piece list takes half the main list's size when that
// is over 500 twips, and goes to the top when the point is in the lower half
// and to the right when it is in the left half (and the other way round),
// 100 twips in from the edges, 300 from the right one (the scroll bar).
TwipsRect splitListPlacement(const TwipsRect& mainList, const TwipsRect& piece, int x, int y);

}  // namespace petari
