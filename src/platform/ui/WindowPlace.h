#pragma once
// Where a window opens and what it stores of its place, the same for every
// window: the stored twips (any number the settings hold, 1e20 and NaN
// included) fitted onto today's screens, and written back exactly as read
// for each value the user left alone, so that an unmoved window does not
// creep by a rounded pixel at each opening.

#include "platform/Twips.h"

#include <QRect>
#include <QString>

class QWidget;

namespace petari {

class SettingsStore;
namespace settings {
struct WindowArea;
}

class WindowPlace {
public:
    // Moves window to the stored top left corner, on a screen.
    void restore(QWidget& window, double left, double top);
    // Also sizes it: at least minimum (twips), no larger than a screen.
    void restore(QWidget& window, const TwipsRect& stored, int minWidth, int minHeight);
    // The same from a window's stored area: its position, and its size
    // where the area keeps one; the area's defaults where a key is missing.
    void restore(QWidget& window, const SettingsStore& settings, const settings::WindowArea& area,
                 int minWidth = 0, int minHeight = 0);
    // The place to store: what was restored where the window kept it.
    TwipsRect current(const QWidget& window) const;
    // Writes it back to the section it came from: the size when one was
    // restored, the position where the desktop tells it (worthStoring).
    void store(const QWidget& window, SettingsStore& settings, const settings::WindowArea& area) const;
    // Wayland tells no window where it is: there the stored place stays.
    static bool worthStoring();

private:
    void apply(QWidget& window, const TwipsRect& stored, bool sized, int minWidth, int minHeight);

    TwipsRect applied_;
    bool sized_ = false;
    QRect appliedPixels_{0, 0, -1, -1};
};

}  // namespace petari
