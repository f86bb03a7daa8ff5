// MainWindow: its doors to the other windows.  Each receives the document
// and the prompts, nothing of this window.

#include "dialogs/ui/SettingsDialog.h"
#include "filenames/ui/FileNameWindow.h"
#include "generators/ui/GeneratorWindow.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/MainWindow.h"
#include "price/ui/PriceWindow.h"
#include "table/ui/TableWindow.h"

#include <QAction>

namespace petari {

void MainWindow::connectSecondaryWindows()
{
    // The generator window's five pages, each from its own menu item.
    QAction* const pages[] = {templateAction_, randomAction_, addCharactersAction_, addBlankLinesAction_,
                              editFavouritesAction_};
    for (int page = 0; page < 5; ++page) {
        QAction* item = pages[page];
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [this, page] {
            GeneratorWindow window(controller_.document(), controller_.prompt(), controller_.favourites(), page,
                                   this);
            window.exec();
            if (page == GeneratorWindow::FavouritesPage) {
                applyFavourites();
                controller_.storeLists();
            }
            controller_.refreshView();
        });
    }
    tableAction_->setEnabled(true);
    connect(tableAction_, &QAction::triggered, this, [this] {
        TableWindow window(controller_.document(), controller_.prompt(), this);
        window.exec();
    });

    fileNamesAction_->setEnabled(true);
    connect(fileNamesAction_, &QAction::triggered, this, [this] {
        showModeless(fileNameWindow_,
                     [this] { return new FileNameWindow(controller_.document(), controller_.prompt(), this); });
    });
    connect(settingsWindowAction_, &QAction::triggered, this, [this] {
        SettingsDialog dialog(controller_.document(), controller_.prompt(), this, desktopAbilities());
        // Unticking a monitor box stops the monitor at once, before the dialog closes.
        connect(&dialog, &SettingsDialog::monitorModeChanged, &controller_, &MainController::setMonitorMode);
        dialog.exec();
        controller_.pickUpSettings(false);
        applyDesktopOptions();
    });
    priceAction_->setEnabled(true);
    connect(priceAction_, &QAction::triggered, this, [this] {
        showModeless(priceWindow_,
                     [this] { return new PriceWindow(controller_.document(), controller_.prompt(), this); });
    });
}

void MainWindow::showModeless(QWidget*& window, const std::function<QWidget*()>& make)
{
    if (!window) {
        window = make();
        connect(window, &QObject::destroyed, this, [&window] { window = nullptr; });
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::closeModelessWindows()
{
    // Their close records what they put into the list, before this window's
    // settings are written and the document goes.
    for (QWidget* w : {fileNameWindow_, priceWindow_})
        if (w && w->isVisible())
            w->close();
}

}  // namespace petari
