#include "mainwindow/ClipboardMonitor.h"

namespace petari {

ClipboardMonitor::ClipboardMonitor(int mode)
{
    setMode(mode);
}

void ClipboardMonitor::setMode(int mode)
{
    mode_ = (mode >= MonitorOff && mode <= MonitorAppendLine) ? mode : MonitorOff;
}

std::optional<QString> ClipboardMonitor::tick(const QString& clipboardText,
                                              const QString& inputText, bool composing)
{
    if (mode_ == MonitorOff || composing)
        return std::nullopt;
    // Exact comparison: a text copied twice in a row is taken in once.
    if (clipboardText == lastSeen_)
        return std::nullopt;

    QString result;
    switch (mode_) {
    case MonitorShow:
        result = clipboardText;
        break;
    case MonitorAppend:
        result = inputText + clipboardText;
        break;
    default:   // MonitorAppendLine
        result = inputText + clipboardText + QStringLiteral("\r\n");
        break;
    }
    lastSeen_ = clipboardText;
    return result;
}

}  // namespace petari
