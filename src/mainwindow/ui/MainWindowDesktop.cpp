// MainWindow: the desktop around the window.  Pasting a chosen line into the
// window the user was typing in, the key that calls the window from
// anywhere, the icon in the tray and closing into it (all off until the
// user turns them on under 設定画面 → 貼り付け).

#include "mainwindow/ui/MainWindow.h"

#include "mainwindow/MainController.h"
#include "mainwindow/ui/LineListView.h"
#include "platform/Clipboard.h"
#include "platform/DesktopHooks.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>

namespace petari {

QString pasteFailedText()
{
    return QStringLiteral("前のウィンドウに貼り付けられませんでした（クリップボードにはコピーしました）。");
}

void MainWindow::setDesktopHooks(DesktopHooks* hooks, bool takesCallingKey)
{
    hooks_ = hooks;
    takesCallingKey_ = takesCallingKey;
    if (hooks_) {
        connect(hooks_, &DesktopHooks::keyPressed, this, &MainWindow::callByKey);
        // The line is on the clipboard all the same: say why it is not pasted.
        connect(hooks_, &DesktopHooks::pasted, this, [this](bool sent) {
            if (!sent)
                statusLine_->setText(pasteFailedText());
        });
    }
    // A settings import may bring other options: after the import itself.
    connect(importSettingsAction_, &QAction::triggered, this, &MainWindow::applyDesktopOptions);
    applyDesktopOptions();
}

DesktopAbilities MainWindow::desktopAbilities() const
{
    DesktopAbilities a;
    a.paste = hooks_ && hooks_->canPaste();
    a.callKey = hooks_ && hooks_->canBindKey();
    a.tray = QSystemTrayIcon::isSystemTrayAvailable();
    return a;
}

void MainWindow::applyDesktopOptions()
{
    pasteOptions_ = PasteOptions::load(controller_.settings());
    const QKeySequence key = QKeySequence::fromString(pasteOptions_.callKey, QKeySequence::PortableText);
    if (hooks_ && takesCallingKey_ && key != boundKey_) {
        boundKey_ = key;
        if (!hooks_->bindKey(key) && !key.isEmpty())
            controller_.prompt().showMessage(
                MainController::caption(),
                QStringLiteral("「") + key.toString(QKeySequence::NativeText) +
                    QStringLiteral("」は、ほかのプログラムが使っているため、呼び出すキーにできませんでした。"),
                Icon::Exclamation);
    }
    const bool tray = pasteOptions_.trayIcon && QSystemTrayIcon::isSystemTrayAvailable();
    if (tray && !tray_)
        buildTray();
    if (tray_)
        tray_->setVisible(tray);
}

void MainWindow::buildTray()
{
    tray_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
    tray_->setObjectName(QStringLiteral("trayIcon"));
    tray_->setToolTip(MainController::caption());
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("trayMenu"));
    QAction* show = menu->addAction(QStringLiteral("表示"));
    show->setObjectName(QStringLiteral("trayShow"));
    QAction* quit = menu->addAction(QStringLiteral("終了"));
    quit->setObjectName(QStringLiteral("trayQuit"));
    connect(show, &QAction::triggered, this, [this] { comeToFront(); });
    connect(quit, &QAction::triggered, this, [this] {
        quitting_ = true;
        close();
    });
    tray_->setContextMenu(menu);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            comeToFront();
    });
}

bool MainWindow::closesToTray() const
{
    return tray_ && tray_->isVisible() && pasteOptions_.closeToTray && controller_.exitState() != ExitState::Forced;
}

void MainWindow::lineActivated(int listIndex, bool byKey)
{
    if (!pasteOptions_.pasteToPrevious || !hooks_ || !hooks_->canPaste())
        return;
    // A click has copied the line already; Enter copies it here.
    if (byKey)
        controller_.lineChosen(listIndex);
    hooks_->pasteToPrevious(controller_.clipboard().text(), terminalClassList(pasteOptions_.terminalClasses));
}

void MainWindow::callByKey()
{
    // At the mouse pointer, where the user's eyes are, whole on its screen.
    const QPoint at = QCursor::pos();
    if (QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect room = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(at);
        frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
        move(frame.topLeft());
    }
    calledByKey_ = true;
    comeToFront();
    lineList_->setFocus();
}

void MainWindow::keyPressEvent(QKeyEvent* e)
{
    // Called by its key, the window goes away again with Escape and the
    // window the user came from gets the focus back.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier && calledByKey_) {
        calledByKey_ = false;
        hide();
        if (hooks_)
            hooks_->focusPrevious();
        e->accept();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void MainWindow::changeEvent(QEvent* e)
{
    // Left for another window, the window is the user's again: Escape no
    // longer sends it away.
    if (e->type() == QEvent::ActivationChange && !isActiveWindow() && !QApplication::activeModalWidget() &&
        !QApplication::activePopupWidget())
        calledByKey_ = false;
    QMainWindow::changeEvent(e);
}

}  // namespace petari
