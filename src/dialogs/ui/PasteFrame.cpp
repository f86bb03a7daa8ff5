#include "dialogs/ui/PasteFrame.h"

#include "platform/ui/KeyboardAccess.h"
#include "platform/ui/Widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace petari {

QString pasteUnavailableText()
{
    return QStringLiteral("このデスクトップでは、前のウィンドウへの貼り付けはできません（コピーだけします）。");
}

QString callKeyUnavailableText()
{
    return QStringLiteral("このデスクトップでは、ペタリがキーを受け取れません。"
                          "デスクトップのキーの設定で「petari --show」を割り当ててください（sway なら bindsym）。");
}

QString trayUnavailableText() { return QStringLiteral("このデスクトップには通知領域がありません。"); }

PasteFrame::PasteFrame(const DesktopAbilities& abilities, QWidget* parent)
    : QGroupBox(QStringLiteral("貼り付け"), parent), abilities_(abilities)
{
    setObjectName(QStringLiteral("pasteFrame"));
    auto* v = new QVBoxLayout(this);
    pasteBox_ = new QCheckBox(QStringLiteral("クリックした行を前のウィンドウに貼り付ける"), this);
    pasteBox_->setObjectName(QStringLiteral("pasteToPrevious"));
    terminalsLabel_ = new QLabel(QStringLiteral("端末（Ctrl+Shift+V）"), this);
    terminalsBox_ = namedLineEdit(this, QStringLiteral("terminalClasses"));
    terminalsBox_->setToolTip(QStringLiteral("Ctrl+V ではなく Ctrl+Shift+V で貼り付けるウィンドウです。"
                                             "クラス名（Wayland では app_id）を「;」で区切って並べます。"
                                             "xterm や urxvt には、この欄にかかわらず Shift+Insert で貼り付けます。"));
    terminalsLabel_->setBuddy(terminalsBox_);
    pasteNote_ = new QLabel(this);
    pasteNote_->setObjectName(QStringLiteral("pasteNote"));
    pasteNote_->setWordWrap(true);
    auto* keyLabel = new QLabel(QStringLiteral("呼び出すキー"), this);
    callKeyBox_ = new QKeySequenceEdit(this);
    callKeyBox_->setObjectName(QStringLiteral("callKey"));
    nameControl(callKeyBox_, keyLabel->text());
    keyLabel->setBuddy(callKeyBox_);
    trayBox_ = new QCheckBox(QStringLiteral("通知領域にアイコンを表示する"), this);
    trayBox_->setObjectName(QStringLiteral("trayIcon"));
    closeToTrayBox_ = new QCheckBox(QStringLiteral("閉じるときは通知領域にしまう"), this);
    closeToTrayBox_->setObjectName(QStringLiteral("closeToTray"));

    v->addWidget(pasteBox_);
    auto* terminals = new QHBoxLayout;
    terminals->addWidget(terminalsLabel_);
    terminals->addWidget(terminalsBox_, 1);
    v->addLayout(terminals);
    v->addWidget(pasteNote_);
    auto* key = new QHBoxLayout;
    key->addWidget(keyLabel);
    key->addWidget(callKeyBox_, 1);
    v->addLayout(key);
    auto* tray = new QHBoxLayout;
    tray->addWidget(trayBox_);
    tray->addWidget(closeToTrayBox_);
    tray->addStretch();
    v->addLayout(tray);

    if (!abilities_.paste) {
        pasteNote_->setText(pasteUnavailableText());
        pasteBox_->setToolTip(pasteUnavailableText());
    }
    pasteNote_->setVisible(!abilities_.paste);
    if (!abilities_.callKey)
        callKeyBox_->setToolTip(callKeyUnavailableText());
    if (!abilities_.tray) {
        trayBox_->setToolTip(trayUnavailableText());
        closeToTrayBox_->setToolTip(trayUnavailableText());
    }

    // On the box's state, not its click: the space bar and a screen reader's
    // toggle action change the box without clicking it.  setOptions blocks
    // these signals, so what arrives here is always the user's.
    connect(pasteBox_, &QCheckBox::toggled, this, [this](bool on) {
        options_.pasteToPrevious = on;
        showEnabled();
        emit edited();
    });
    connect(terminalsBox_, &QLineEdit::textEdited, this, [this](const QString& t) {
        options_.terminalClasses = t;
        emit edited();
    });
    connect(callKeyBox_, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence& k) {
        // One key with its modifiers: a second stroke would never be grabbed.
        const QKeySequence first = k.isEmpty() ? QKeySequence() : QKeySequence(k[0]);
        if (first != k) {
            const QSignalBlocker block(callKeyBox_);
            callKeyBox_->setKeySequence(first);
        }
        options_.callKey = first.toString(QKeySequence::PortableText);
        emit edited();
    });
    connect(trayBox_, &QCheckBox::toggled, this, [this](bool on) {
        options_.trayIcon = on;
        showEnabled();
        emit edited();
    });
    connect(closeToTrayBox_, &QCheckBox::toggled, this, [this](bool on) {
        options_.closeToTray = on;
        emit edited();
    });
}

void PasteFrame::setOptions(const PasteOptions& o)
{
    options_ = o;
    {
        const QSignalBlocker b1(pasteBox_), b2(terminalsBox_), b3(callKeyBox_), b4(trayBox_), b5(closeToTrayBox_);
        pasteBox_->setChecked(o.pasteToPrevious);
        terminalsBox_->setText(o.terminalClasses);
        callKeyBox_->setKeySequence(QKeySequence::fromString(o.callKey, QKeySequence::PortableText));
        trayBox_->setChecked(o.trayIcon);
        closeToTrayBox_->setChecked(o.closeToTray);
    }
    showEnabled();
}

void PasteFrame::showEnabled()
{
    // What the desktop cannot do stays visible, disabled, its tool tip saying why;
    // a setting already on can still be turned off.
    pasteBox_->setEnabled(abilities_.paste || options_.pasteToPrevious);
    terminalsLabel_->setEnabled(abilities_.paste && options_.pasteToPrevious);
    terminalsBox_->setEnabled(abilities_.paste && options_.pasteToPrevious);
    callKeyBox_->setEnabled(abilities_.callKey);
    trayBox_->setEnabled(abilities_.tray || options_.trayIcon);
    closeToTrayBox_->setEnabled(abilities_.tray && options_.trayIcon);
}

}  // namespace petari
