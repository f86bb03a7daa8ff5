// MainWindow: calls from outside the window.  A later start of the program
// hands its file over, or asks for the window, through the instance channel.

#include "mainwindow/ui/MainWindow.h"

#include "mainwindow/MainController.h"
#include "platform/DesktopHooks.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>

namespace petari {

void MainWindow::takeRequest(const InstanceRequest& r)
{
    pendingRequests_.push_back(r);
    handlePendingRequests();
}

void MainWindow::handlePendingRequests()
{
    // A question or a modal window is open: opening a file now would pull the
    // document from under it.  The request waits until it has closed.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(250, this, &MainWindow::handlePendingRequests);
        return;
    }
    while (!pendingRequests_.empty()) {
        const InstanceRequest r = pendingRequests_.front();
        pendingRequests_.pop_front();
        comeToFront(r.activationToken);
        // As any open: the unsaved-change question first, the history after.
        if (r.kind == InstanceRequest::Open)
            controller_.openDocument(r.file);
    }
}

void MainWindow::comeToFront(const QByteArray& activationToken)
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    // A Wayland compositor gives the focus only to the window that presents
    // the token of the start that asked for it.
    if (!activationToken.isEmpty() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    raise();
    activateWindow();
    if (hooks_)
        hooks_->activate(windowHandle());
}

}  // namespace petari
