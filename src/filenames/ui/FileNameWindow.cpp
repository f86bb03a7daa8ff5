#include "filenames/ui/FileNameWindow.h"

#include "document/FileName.h"
#include "editing/Document.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/ui/KeyboardAccess.h"
#include "services/Guard.h"
#include "platform/ui/WindowPlace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace petari {

namespace {

QString label(const char* procedure) { return QStringLiteral("F6 ") + QLatin1String(procedure); }

bool isUnder(const QString& path, const QString& root)
{
    return root == QLatin1String("/") || path == root || path.startsWith(root + QLatin1Char('/'));
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}
}  // namespace

QStringList FileNameWindow::volumes(const QString& programFolder)
{
    const QString home = QStorageInfo(QDir::homePath()).rootPath();
    const QString program = QStorageInfo(programFolder).rootPath();
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady())
            continue;
        const QString root = v.rootPath();
        // Removable media are mounted here by the desktop (udisks) or by hand.
        const bool removable = root.startsWith(QLatin1String("/media/")) ||
                               root.startsWith(QLatin1String("/run/media/")) ||
                               root.startsWith(QLatin1String("/mnt/"));
        if (!removable && root != home && root != program)
            continue;
        const QFileInfo info(root);
        if (info.isReadable() && info.isExecutable() && !roots.contains(root))
            roots << root;
    }
    std::sort(roots.begin() + 1, roots.end());
    return roots;
}

FileNameWindow::FileNameWindow(Document& doc, UserPrompt& prompt, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(doc), docAlive_(&doc), tool_(doc, prompt)
{
    announceAs(this, QAccessible::Window);
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("ファイル名の表示"));
    closeOnEscape(this);

    driveBox_ = new QComboBox(this);
    driveBox_->setObjectName(QStringLiteral("Drive1"));
    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folderModel_->setReadOnly(true);
    folderTree_ = new QTreeView(this);
    folderTree_->setObjectName(QStringLiteral("Dir1"));
    folderTree_->setModel(folderModel_);
    folderTree_->setHeaderHidden(true);
    for (int column = 1; column < folderModel_->columnCount(); ++column)
        folderTree_->hideColumn(column);
    fileList_ = new QListWidget(this);
    fileList_->setObjectName(QStringLiteral("File1"));

    auto newLabel = [this](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    pathLabel_ = newLabel(QStringLiteral("Label1_0"));
    QLabel* pathHeading = newLabel(QStringLiteral("Label1_1"));
    explanationLabel_ = newLabel(QStringLiteral("Label1_2"));
    pathHeading->setText(QStringLiteral("Path"));
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    explanationLabel_->setWordWrap(true);
    withoutExtensionBox_ = new QCheckBox(QStringLiteral("ファイル名の拡張子を表示しない。"), this);
    withoutExtensionBox_->setObjectName(QStringLiteral("Check1_2"));
    auto button = [](QWidget* parent, const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(name);
        return b;
    };
    QPushButton* listButton = button(this, QStringLiteral("Command1_0"), QStringLiteral("表示"));
    QPushButton* closeButton = button(this, QStringLiteral("Command1_1"), QStringLiteral("閉じる"));
    connect(listButton, &QPushButton::clicked, this, [this] { showListings(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });

    auto* renameArea = new QGroupBox(QStringLiteral("ファイル名の直接変更"), this);
    renameArea->setObjectName(QStringLiteral("Frame1"));
    lowerCaseBox_ = new QCheckBox(QStringLiteral("[a]　小文字にする"), renameArea);
    lowerCaseBox_->setObjectName(QStringLiteral("Check2_0"));
    upperCaseBox_ = new QCheckBox(QStringLiteral("[A]　大文字にする"), renameArea);
    upperCaseBox_->setObjectName(QStringLiteral("Check2_1"));
    // On the state, so a key or an accessibility action acts as a click does.
    // Setting the other box brings its own toggle here, which finds the
    // first box already the opposite and changes nothing more.
    for (QCheckBox* box : {lowerCaseBox_, upperCaseBox_})
        connect(box, &QCheckBox::toggled, this, [this, box] { keepOneLetterCase(box); });
    lowerCaseBox_->setChecked(true);
    QPushButton* renameButton = button(renameArea, QStringLiteral("Command2_0"), QStringLiteral("変更"));
    QPushButton* undoButton = button(renameArea, QStringLiteral("Command2_1"), QStringLiteral("元に戻す"));
    QPushButton* closeButton2 = button(renameArea, QStringLiteral("Command2_2"), QStringLiteral("閉じる"));
    connect(renameButton, &QPushButton::clicked, this, [this] { renameFiles(); });
    connect(undoButton, &QPushButton::clicked, this, [this] { undoRename(); });
    connect(closeButton2, &QPushButton::clicked, this, [this] { close(); });

    // Layout: the volume, tree and files on the left, the commands and the
    // rename area on the right.
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathHeading);
    pathRow->addWidget(pathLabel_, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(driveBox_);
    left->addWidget(folderTree_, 3);
    left->addWidget(fileList_, 2);
    auto* renameLayout = new QGridLayout(renameArea);
    renameLayout->addWidget(upperCaseBox_, 0, 0, 1, 3);
    renameLayout->addWidget(lowerCaseBox_, 1, 0, 1, 3);
    renameLayout->addWidget(renameButton, 2, 0);
    renameLayout->addWidget(undoButton, 2, 1);
    renameLayout->addWidget(closeButton2, 2, 2);
    auto* right = new QVBoxLayout;
    right->addWidget(withoutExtensionBox_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(listButton);
    buttons->addWidget(closeButton);
    right->addLayout(buttons);
    right->addWidget(renameArea);
    explanationLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    right->addWidget(explanationLabel_, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(pathRow);
    outer->addLayout(columns, 1);
    resize(720, 480);
    driveBox_->setAccessibleName(QStringLiteral("ドライブ"));
    folderTree_->setAccessibleName(QStringLiteral("フォルダ"));
    fileList_->setAccessibleName(QStringLiteral("ファイル"));
    setReadingOrder({driveBox_, folderTree_, fileList_, withoutExtensionBox_, listButton, closeButton, upperCaseBox_,
                     lowerCaseBox_, renameButton, undoButton, closeButton2});

    connect(driveBox_, qOverload<int>(&QComboBox::activated), this, [this] { chooseDrive(); });
    connect(folderTree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { chooseTreeFolder(current); });
    connect(folderModel_, &QAbstractItemModel::rowsInserted, this, &FileNameWindow::keepFolderInSight);
    connect(folderModel_, &QAbstractItemModel::layoutChanged, this, &FileNameWindow::keepFolderInSight);
    connect(folderTree_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { revealing_ = false; });
}

FileNameWindow::~FileNameWindow()
{
    // Destroyed with the main window at exit: the place and options are
    // kept, as long as the document they are kept through still lives.
    if (open_ && docAlive_)
        storeSettings();
}

void FileNameWindow::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!open_)
        loadSettings();
}

void FileNameWindow::closeEvent(QCloseEvent* e)
{
    if (open_) {
        tool_.commitIfListed();
        storeSettings();
    }
    e->accept();
}

void FileNameWindow::loadSettings()
{
    open_ = true;
    tool_.opened();
    guarded(label("Form_Load"), [&] {
        doc_.liftTopmost();
        SettingsStore& s = doc_.settings();
        place_.restore(*this, s, settings::fileNameWindowArea);
        withoutExtensionBox_->setChecked(s.text(settings::fileNamesWithoutExtension) ==
                                         QLatin1String("1"));

        const QStringList roots = volumes(doc_.programFolder());
        driveBox_->clear();
        driveBox_->addItems(roots);
        QString root = s.get(settings::fileNameDrive, QStorageInfo(doc_.programFolder()).rootPath());
        if (!roots.contains(root))
            root = QStorageInfo(doc_.programFolder()).rootPath();
        if (!roots.contains(root))
            root = QStringLiteral("/");
        driveBox_->setCurrentIndex(int(roots.indexOf(root)));
        setTreeRoot(root);

        // The file list always shows the tree's folder, so a rename never
        // works on names of one folder inside another; "a4" only stands in
        // for a lost "a3".
        QString chosen = s.get(settings::fileNameFolder);
        if (chosen.isEmpty() || !QFileInfo(chosen).isDir())
            chosen = s.get(settings::fileNameFolderCopy);
        if (chosen.isEmpty() || !QFileInfo(chosen).isDir() || !isUnder(chosen, root))
            chosen = isUnder(QDir::homePath(), root) ? QDir::homePath() : root;
        showFolder(chosen);
        explanationLabel_->setText(FileNameTool::explanation());
    });
}

void FileNameWindow::storeSettings()
{
    open_ = false;
    guarded(label("Form_Unload"), [&] {
        SettingsStore& s = doc_.settings();
        place_.store(*this, s, settings::fileNameWindowArea);
        s.set(settings::fileNamesWithoutExtension, withoutExtensionBox_->isChecked());
        s.set(settings::fileNameDrive, drive());
        s.set(settings::fileNameFolder, folder_);
        s.set(settings::fileNameFolderCopy, folder_);
        doc_.restoreTopmost();
    });
}

QString FileNameWindow::drive() const { return driveBox_->currentText(); }

bool FileNameWindow::showHidden() const { return folderModel_->filter().testFlag(QDir::Hidden); }

QStringList FileNameWindow::fileNames() const
{
    QStringList names;
    for (int i = 0; i < fileList_->count(); ++i)
        names << fileList_->item(i)->data(Qt::UserRole).toString();
    return names;
}

void FileNameWindow::setTreeRoot(const QString& root)
{
    folderModel_->setRootPath(root);
    folderTree_->setRootIndex(folderModel_->index(root));
}

void FileNameWindow::showFolder(const QString& path)
{
    const QString clean = withoutTrailingSlash(QDir::cleanPath(path));
    const QModelIndex index = folderModel_->index(clean);
    if (index.isValid() && index != folderTree_->rootIndex()) {
        folderTree_->setCurrentIndex(index);
        folderTree_->scrollTo(index);
        // The tree reads the folders on the way in the background, and the
        // rows read move the folder's row down: it is kept in sight until
        // the user scrolls.
        revealing_ = true;
    }
    if (clean != folder_ || !index.isValid() || index == folderTree_->rootIndex()) {
        folder_ = clean;
        pathLabel_->setText(folder_);
        refreshFiles();
    }
}

void FileNameWindow::keepFolderInSight()
{
    // After the view has taken in the model's change.
    QTimer::singleShot(0, this, [this] {
        if (revealing_)
            folderTree_->scrollTo(folderModel_->index(folder_));
    });
}

void FileNameWindow::chooseFolder(const QString& path)
{
    const QString clean = withoutTrailingSlash(QDir::cleanPath(path));
    QString best = QStringLiteral("/");
    for (int i = 0; i < driveBox_->count(); ++i) {
        const QString root = driveBox_->itemText(i);
        if (isUnder(clean, root) && root.size() > best.size())
            best = root;
    }
    if (best != drive()) {
        driveBox_->setCurrentIndex(driveBox_->findText(best));
        setTreeRoot(best);
    }
    showFolder(clean);
}

void FileNameWindow::chooseDrive()
{
    guarded(label("Drive1_Change"), [&] {
        setTreeRoot(drive());
        folderTree_->setCurrentIndex(QModelIndex());
        showFolder(drive());
    });
}

void FileNameWindow::chooseTreeFolder(const QModelIndex& current)
{
    guarded(label("Dir1_Change"), [&] {
        if (!current.isValid())
            return;
        folder_ = withoutTrailingSlash(folderModel_->filePath(current));
        pathLabel_->setText(folder_);
        refreshFiles();
    });
}

void FileNameWindow::refreshFiles()
{
    fileList_->clear();
    guarded(label("File1_Refresh"), [&] {
        // Shown on one line each, however the name is made; renamed by its own bytes.
        for (const QString& name : listFiles(folder_, showHidden()))
            (new QListWidgetItem(visibleFileName(name), fileList_))->setData(Qt::UserRole, name);
    });
}

void FileNameWindow::showListings()
{
    tool_.showListings(folder_, fileNames(), withoutExtensionBox_->isChecked(), showHidden());
}

void FileNameWindow::keepOneLetterCase(QCheckBox* clicked)
{
    QCheckBox* other = clicked == lowerCaseBox_ ? upperCaseBox_ : lowerCaseBox_;
    other->setChecked(!clicked->isChecked());
}

void FileNameWindow::renameFiles()
{
    tool_.renameFiles(folder_, fileNames(),
                      lowerCaseBox_->isChecked() ? LetterCase::Lower : LetterCase::Upper);
    refreshFiles();
}

void FileNameWindow::undoRename()
{
    tool_.undoFromLog(folder_);
    refreshFiles();
}

}  // namespace petari
