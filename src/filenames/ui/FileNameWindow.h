#pragma once
// The file name window "ファイル名の表示": a volume, a folder tree and the
// folder's files; listings into the document, and the case-changing rename
// with its undo.  Modeless: shown with show(), it may be closed and shown
// again; its options and place live in settings section "F6".

#include "editing/Document.h"
#include "filenames/FileNameTool.h"
#include "platform/ui/WindowPlace.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QModelIndex;
class QTreeView;

namespace petari {

class UserPrompt;

class FileNameWindow : public QWidget {
    Q_OBJECT
public:
    FileNameWindow(Document& doc, UserPrompt& prompt, QWidget* parent = nullptr);
    ~FileNameWindow() override;

    // The folder the tree shows as chosen, without a trailing "/" (the root
    // is "/").
    QString folder() const { return folder_; }
    // Chooses the volume holding path and path in the tree.
    void chooseFolder(const QString& path);
    // The names the file list (File1) shows.
    QStringList fileNames() const;

    // The mounted volumes offered in the drive box (Drive1): the root,
    // removable volumes, the volumes of the home folder and of the program
    // folder, those the user may read.
    static QStringList volumes(const QString& programFolder);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void loadSettings();
    void storeSettings();
    void chooseDrive();
    void chooseTreeFolder(const QModelIndex& current);
    // 表示: the path, folder and file listings into the document.
    void showListings();
    // The two case boxes: exactly one stays chosen.
    void keepOneLetterCase(QCheckBox* clicked);
    // 変更 and 元に戻す.
    void renameFiles();
    void undoRename();

    void setTreeRoot(const QString& root);
    void showFolder(const QString& path);
    // Rows the tree read in the background: the chosen folder is scrolled
    // into sight again, until the user scrolls.
    void keepFolderInSight();
    void refreshFiles();
    bool showHidden() const;
    QString drive() const;

    Document& doc_;
    QPointer<Document> docAlive_;
    FileNameTool tool_;
    bool open_ = false;
    WindowPlace place_;
    QString folder_;
    bool revealing_ = false;

    QComboBox* driveBox_;
    QTreeView* folderTree_;
    QFileSystemModel* folderModel_;
    QListWidget* fileList_;
    QLabel* pathLabel_;
    QLabel* explanationLabel_;
    QCheckBox* withoutExtensionBox_;
    QCheckBox* lowerCaseBox_;
    QCheckBox* upperCaseBox_;
};

}  // namespace petari
