#pragma once
// The decision of the clipboard monitor, ticked about every 200 ms by the
// main window: which text the input area gets when the clipboard holds a
// text it has not seen yet.

#include <QString>

#include <optional>

namespace petari {

enum ClipboardMonitorMode {
    MonitorOff = 0,
    MonitorShow = 1,            // "表示する。": the input area becomes the new text
    MonitorAppend = 2,          // "追加する": the new text is appended
    MonitorAppendLine = 3,      // "改行して追加する。": appended with CR LF after it
};

class ClipboardMonitor {
public:
    explicit ClipboardMonitor(int mode = MonitorOff);

    // A mode outside 0 to 3 switches the monitor off.
    void setMode(int mode);
    int mode() const { return mode_; }

    // The last clipboard text taken in ("" at first).
    const QString& lastSeen() const { return lastSeen_; }

    // One tick, given the clipboard text ("" when it holds no text) and the
    // input area's text.  Returns the input area's new text, or nothing when
    // it stays as it is.  While the monitor is off nothing is remembered, so
    // switching it on later takes in the clipboard's present text.  While
    // the user is composing with an input method the input area is left
    // alone and nothing is remembered either: the first tick after the
    // composition ends takes the text in.
    std::optional<QString> tick(const QString& clipboardText, const QString& inputText,
                                bool composing);

private:
    int mode_ = MonitorOff;
    QString lastSeen_;
};

}  // namespace petari
