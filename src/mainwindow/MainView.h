#pragma once
// What the main window's logic needs from the window itself.  The window
// implements it; tests use the recording default.

#include "mainwindow/Twips.h"

#include <QString>

namespace petari {

class MainView {
public:
    virtual ~MainView() = default;
    // The line shown at the top of the document list, and scrolling it there.
    virtual int topRow() const { return top_; }
    virtual void scrollToTop(int row) { top_ = row; }
    virtual void setGeometryTwips(const TwipsRect& r) { rect_ = r; }
    virtual TwipsRect geometryTwips() const { return rect_; }
    // Neither minimised nor maximised.
    virtual bool isNormalState() const { return true; }
    virtual void setAlwaysOnTop(bool on) { onTop_ = on; }
    virtual void requestClose() { ++closeRequests_; }
    virtual void setSplitListVisible(bool on) { splitVisible_ = on; }
    virtual bool isSplitListVisible() const { return splitVisible_; }

    bool alwaysOnTop() const { return onTop_; }
    int closeRequests() const { return closeRequests_; }

private:
    int top_ = 0;
    TwipsRect rect_{105, 105, 7000, 5000};
    bool onTop_ = false;
    int closeRequests_ = 0;
    bool splitVisible_ = false;
};

}  // namespace petari
