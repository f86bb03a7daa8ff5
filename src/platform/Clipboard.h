#pragma once
// The system clipboard, behind an interface so tests use one in memory.

#include "platform/ClipboardDesktop.h"

#include <QString>
#include <QStringList>

#include <memory>

class QObject;

namespace petari {

class ClipboardWatcher;

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;

    // What the clipboard monitor takes in at one tick: the texts copied since
    // the last call, oldest first, or the present text once more when nothing
    // was copied (nothing while that is not known yet).
    virtual QStringList monitorTexts() { return {text()}; }
    // Whether the monitor is on: where the desktop needs a helper process to
    // follow the clipboard while other windows have the focus, it runs only
    // while this is on.
    virtual void watch(bool on) { (void)on; }
    // At exit: when the last copy of this program is still on the clipboard,
    // hand it to something that outlives the program.
    virtual void keepAfterExit() {}
};

// QClipboard's CLIPBOARD selection (not the X11 primary selection); what
// the desktop adds to it comes from a ClipboardDesktop.
class SystemClipboard : public Clipboard {
public:
    explicit SystemClipboard(std::unique_ptr<ClipboardDesktop> desktop = ClipboardDesktop::forThisDesktop());
    ~SystemClipboard() override;
    void clear() override;
    QString text() const override;
    void setText(const QString& text) override;

    // Through the desktop's watch helper where it has one and it runs
    // (wl-paste's watch mode where a Wayland compositor offers data-control);
    // otherwise QClipboard's own text, read again only after QClipboard
    // reported a change, so an owner that does not answer costs one wait per
    // copy, not one per tick.
    QStringList monitorTexts() override;
    void watch(bool on) override;
    // Through the desktop's keeper program, when this program still owns
    // the clipboard (on X11 a running clipboard manager gets it from Qt itself).
    void keepAfterExit() override;

    // The program that wl-paste runs for each copy (this program's relay mode).
    void setRelayProgram(const QString& path) { relayProgram_ = path; }

private:
    void followChanges();

    std::unique_ptr<ClipboardDesktop> desktop_;
    QString relayProgram_;
    std::unique_ptr<ClipboardWatcher> watcher_;
    std::unique_ptr<QObject> changes_;
    bool changed_ = true;
    QString seen_;
    QString copied_;
};

class MemoryClipboard : public Clipboard {
public:
    void clear() override { text_.clear(); ++clears_; }
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; ++sets_; }
    int clears() const { return clears_; }
    int sets() const { return sets_; }

    // A copy in another window, as a watcher reports it.
    void copiedElsewhere(const QString& text)
    {
        text_ = text;
        queued_ << text;
    }
    QStringList monitorTexts() override
    {
        if (queued_.isEmpty())
            return {text_};
        QStringList out;
        out.swap(queued_);
        return out;
    }
    void watch(bool on) override { watching_ = on; }
    bool watching() const { return watching_; }

private:
    QString text_;
    QStringList queued_;
    int clears_ = 0;
    int sets_ = 0;
    bool watching_ = false;
};

}  // namespace petari
