// MainWindow: calls from outside the window.  A later start of the program
// hands its file over, or asks for the window, through the instance channel.

#include "mainwindow/ui/MainWindow.h"

#include "mainwindow/HandOver.h"
#include "mainwindow/MainController.h"
#include "platform/DesktopHooks.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>

namespace petari {

void MainWindow::listenTo(InstanceChannel* channel)
{
    channel_ = channel;
    connect(channel, &InstanceChannel::requestsWaiting, this, &MainWindow::handlePendingRequests);
}

void MainWindow::handlePendingRequests()
{
    if (!channel_)
        return;
    // A question or a modal window is open: opening a file now would pull the
    // document from under it.  The requests wait in the channel until it has
    // closed, and one timer looks again however many arrive meanwhile.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || handlingRequests_) {
        if (!requestsRetry_) {
            requestsRetry_ = true;
            QTimer::singleShot(250, this, [this] {
                requestsRetry_ = false;
                handlePendingRequests();
            });
        }
        return;
    }
    const std::vector<InstanceRequest> batch = channel_->takeRequests();
    if (batch.empty())
        return;
    handlingRequests_ = true;
    comeToFront(batch.back().activationToken);
    QStringList files;
    for (const InstanceRequest& r : batch)
        if (r.kind == InstanceRequest::Open)
            files << r.file;
    // As any open: the unsaved-change question first, the history after.
    openHandedOver(controller_, files);
    handlingRequests_ = false;
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
