// The main window's doors to the other windows.  Each receives the document
// and the prompts, nothing of this window.

#include "filenames/ui/Form6.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/Form1.h"

#include <QAction>

namespace petari {

void Form1::connectSecondaryWindows()
{
    QAction* fileNames = action(QStringLiteral("fileMeiHyouji"));
    fileNames->setEnabled(true);
    connect(fileNames, &QAction::triggered, this, [this] {
        if (!fileNameWindow_) {
            fileNameWindow_ = new Form6(c_.document(), c_.prompt(), this);
            connect(fileNameWindow_, &QObject::destroyed, this, [this] { fileNameWindow_ = nullptr; });
        }
        fileNameWindow_->show();
        fileNameWindow_->raise();
        fileNameWindow_->activateWindow();
    });
}

void Form1::closeModelessWindows()
{
    // Their close records what they put into the list, before this window's
    // settings are written and the document goes.
    for (QWidget* w : {fileNameWindow_, priceWindow_})
        if (w && w->isVisible())
            w->close();
}

}  // namespace petari
