#pragma once
// What the main window's logic needs from the window itself.  The window
// implements it; tests use the recording default.

#include "editing/Document.h"
#include "platform/SettingsSchema.h"
#include "platform/Twips.h"

#include <QString>

namespace petari {

class MainView : public DocumentView {
public:
    virtual void setGeometryTwips(const TwipsRect& r) { rect_ = r; }
    virtual TwipsRect geometryTwips() const { return rect_; }
    // Neither minimised nor maximised.
    virtual bool isNormalState() const { return true; }
    // False where the desktop never tells a window where it is (Wayland).
    virtual bool reportsPosition() const { return true; }
    virtual void requestClose() { ++closeRequests_; }
    virtual void setSplitListVisible(bool on) { splitVisible_ = on; }
    virtual bool isSplitListVisible() const { return splitVisible_; }

    int closeRequests() const { return closeRequests_; }

private:
    TwipsRect rect_ = settings::mainWindowArea.byDefault;
    int closeRequests_ = 0;
    bool splitVisible_ = false;
};

}  // namespace petari
