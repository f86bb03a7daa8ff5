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
#include <array>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QListWidget;
class QModelIndex;
class QPushButton;
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
    // The names File1 shows.
    QStringList fileNames() const;

    // The mounted volumes offered in Drive1: the root, removable volumes,
    // the volumes of the home folder and of the program folder, those the
    // user may read.
    static QStringList volumes(const QString& programFolder);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Load();
    void Form_Unload();
    void Drive1_Change();
    void Dir1_Change(const QModelIndex& current);
    void Command1_Click(int index);
    void Check2_MouseUp(int index);
    void Command2_Click(int index);

    void setDrive(const QString& root);
    void showFolder(const QString& path);
    void refreshFiles();
    bool showHidden() const;
    QString drive() const;

    Document& doc_;
    QPointer<Document> docAlive_;
    FileNameTool tool_;
    bool open_ = false;
    WindowPlace place_;
    QString folder_;

    QComboBox* drive1_;
    QTreeView* dir1_;
    QFileSystemModel* dirModel_;
    QListWidget* file1_;
    std::array<QLabel*, 3> label1_{};
    QCheckBox* check1_2_;
    std::array<QPushButton*, 2> command1_{};
    QGroupBox* frame1_;
    std::array<QCheckBox*, 2> check2_{};
    std::array<QPushButton*, 3> command2_{};
};

}  // namespace petari
