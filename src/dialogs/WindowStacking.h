#pragma once
// The main window's always-on-top placement as a secondary window sees it:
// lifted while the window is open so that it is not hidden behind the main
// window, put back when it closes.

namespace petari {

class MainWindowStacking {
public:
    virtual ~MainWindowStacking() = default;
    // The always-on-top flag is 1.
    virtual bool alwaysOnTop() const = 0;
    // Topmost placement, without moving or resizing.
    virtual void temaeh() = 0;
    // Out of the topmost placement, to the bottom of the stacking order.
    virtual void temaeh2() = 0;
};

}  // namespace petari
