#pragma once
// Follows the clipboard while other windows have the focus, where a Wayland
// desktop allows it.  Wayland hands the clipboard only to the focused window;
// compositors that offer the data-control protocol (KDE Plasma, sway and the
// other wlroots desktops) let wl-clipboard's `wl-paste --watch` see every new
// clipboard content, and it runs this program's relay mode for each one
// (ClipboardRelay.h).  Where the protocol is missing (GNOME), wl-paste ends
// at once and the watcher reports that it is not active.

#include "platform/ClipboardRelay.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QProcess;

namespace petari {

class ClipboardWatcher : public QObject {
    Q_OBJECT
public:
    explicit ClipboardWatcher(QObject* parent = nullptr);
    ~ClipboardWatcher() override;

    // The wl-paste command line that relays through `relayProgram`.
    static QStringList watchArguments(const QString& relayProgram);

    // Starts `program` with `arguments` (no shell); its standard output is
    // relay frames of UTF-8 text.  Ends with this program.
    void start(const QString& program, const QStringList& arguments);
    void stop();
    // Starting or running: the clipboard texts come from here.
    bool active() const;
    // The watcher could not start or ended on its own.
    bool failed() const { return failed_; }

    // The texts copied since the last call, oldest first; when there are
    // none, the latest text again (nothing before the first arrives).
    QStringList take();

signals:
    void textArrived();

private:
    void readOutput();

    QProcess* process_ = nullptr;
    RelayFrameReader reader_;
    QStringList pending_;
    std::optional<QString> latest_;
    bool failed_ = false;
    bool stopping_ = false;
};

}  // namespace petari
