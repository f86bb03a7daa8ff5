#include "filenames/ui/FileNameWindow.h"

#include "editing/Document.h"
#include "platform/SettingsStore.h"
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
#include <QVBoxLayout>
#include <algorithm>

namespace petari {

namespace {
const QString kSection = QStringLiteral("F6");
constexpr int kDefaultPosition = 105;

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
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("ファイル名の表示"));

    drive1_ = new QComboBox(this);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dirModel_->setReadOnly(true);
    dir1_ = new QTreeView(this);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    dir1_->setModel(dirModel_);
    dir1_->setHeaderHidden(true);
    for (int column = 1; column < dirModel_->columnCount(); ++column)
        dir1_->hideColumn(column);
    file1_ = new QListWidget(this);
    file1_->setObjectName(QStringLiteral("File1"));

    for (int i = 0; i < 3; ++i) {
        label1_[i] = new QLabel(this);
        label1_[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }
    label1_[1]->setText(QStringLiteral("Path"));
    label1_[0]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label1_[2]->setWordWrap(true);
    check1_2_ = new QCheckBox(QStringLiteral("ファイル名の拡張子を表示しない。"), this);
    check1_2_->setObjectName(QStringLiteral("Check1_2"));
    const char* captions1[2] = {"表示", "閉じる"};
    for (int i = 0; i < 2; ++i) {
        command1_[i] = new QPushButton(QString::fromUtf8(captions1[i]), this);
        command1_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(command1_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    frame1_ = new QGroupBox(QStringLiteral("ファイル名の直接変更"), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    const char* captions2[2] = {"[a]　小文字にする", "[A]　大文字にする"};
    for (int i = 0; i < 2; ++i) {
        check2_[i] = new QCheckBox(QString::fromUtf8(captions2[i]), frame1_);
        check2_[i]->setObjectName(QStringLiteral("Check2_%1").arg(i));
        connect(check2_[i], &QCheckBox::clicked, this, [this, i] { Check2_MouseUp(i); });
    }
    check2_[0]->setChecked(true);
    const char* captions3[3] = {"変更", "元に戻す", "閉じる"};
    for (int i = 0; i < 3; ++i) {
        command2_[i] = new QPushButton(QString::fromUtf8(captions3[i]), frame1_);
        command2_[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        connect(command2_[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }

    // Layout: the volume, tree and files on the left, the commands and the
    // rename area on the right.
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(label1_[1]);
    pathRow->addWidget(label1_[0], 1);
    auto* left = new QVBoxLayout;
    left->addWidget(drive1_);
    left->addWidget(dir1_, 3);
    left->addWidget(file1_, 2);
    auto* frameLayout = new QGridLayout(frame1_);
    frameLayout->addWidget(check2_[1], 0, 0, 1, 3);
    frameLayout->addWidget(check2_[0], 1, 0, 1, 3);
    for (int i = 0; i < 3; ++i)
        frameLayout->addWidget(command2_[i], 2, i);
    auto* right = new QVBoxLayout;
    right->addWidget(check1_2_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1_[0]);
    buttons->addWidget(command1_[1]);
    right->addLayout(buttons);
    right->addWidget(frame1_);
    label1_[2]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    right->addWidget(label1_[2], 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(pathRow);
    outer->addLayout(columns, 1);
    resize(720, 480);

    connect(drive1_, qOverload<int>(&QComboBox::activated), this, [this] { Drive1_Change(); });
    connect(dir1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { Dir1_Change(current); });
}

FileNameWindow::~FileNameWindow()
{
    // Destroyed with the main window at exit: the place and options are
    // kept, as long as the document they are kept through still lives.
    if (open_ && docAlive_)
        Form_Unload();
}

void FileNameWindow::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!open_)
        Form_Load();
}

void FileNameWindow::closeEvent(QCloseEvent* e)
{
    if (open_) {
        tool_.commitIfListed();
        Form_Unload();
    }
    e->accept();
}

void FileNameWindow::Form_Load()
{
    open_ = true;
    tool_.opened();
    guarded(label("Form_Load"), [&] {
        doc_.liftTopmost();
        SettingsStore& s = doc_.settings();
        place_.restore(*this, s, kSection, kDefaultPosition, kDefaultPosition);
        check1_2_->setChecked(s.read(kSection, QStringLiteral("a1"), QStringLiteral("0")) ==
                              QLatin1String("1"));

        const QStringList roots = volumes(doc_.programFolder());
        drive1_->clear();
        drive1_->addItems(roots);
        QString root = s.read(kSection, QStringLiteral("a2"),
                              QStorageInfo(doc_.programFolder()).rootPath());
        if (!roots.contains(root))
            root = QStorageInfo(doc_.programFolder()).rootPath();
        if (!roots.contains(root))
            root = QStringLiteral("/");
        drive1_->setCurrentIndex(int(roots.indexOf(root)));
        setDrive(root);

        // The file list always shows the tree's folder, so a rename never
        // works on names of one folder inside another; "a4" only stands in
        // for a lost "a3".
        QString chosen = s.read(kSection, QStringLiteral("a3"));
        if (chosen.isEmpty() || !QFileInfo(chosen).isDir())
            chosen = s.read(kSection, QStringLiteral("a4"));
        if (chosen.isEmpty() || !QFileInfo(chosen).isDir() || !isUnder(chosen, root))
            chosen = isUnder(QDir::homePath(), root) ? QDir::homePath() : root;
        showFolder(chosen);
        label1_[2]->setText(FileNameTool::explanation());
    });
}

void FileNameWindow::Form_Unload()
{
    open_ = false;
    guarded(label("Form_Unload"), [&] {
        SettingsStore& s = doc_.settings();
        place_.store(*this, s, kSection);
        s.write(kSection, QStringLiteral("a1"), check1_2_->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        s.write(kSection, QStringLiteral("a2"), drive());
        s.write(kSection, QStringLiteral("a3"), folder_);
        s.write(kSection, QStringLiteral("a4"), folder_);
        doc_.restoreTopmost();
    });
}

QString FileNameWindow::drive() const { return drive1_->currentText(); }

bool FileNameWindow::showHidden() const { return dirModel_->filter().testFlag(QDir::Hidden); }

QStringList FileNameWindow::fileNames() const
{
    QStringList names;
    for (int i = 0; i < file1_->count(); ++i)
        names << file1_->item(i)->text();
    return names;
}

void FileNameWindow::setDrive(const QString& root)
{
    dirModel_->setRootPath(root);
    dir1_->setRootIndex(dirModel_->index(root));
}

void FileNameWindow::showFolder(const QString& path)
{
    const QString clean = withoutTrailingSlash(QDir::cleanPath(path));
    const QModelIndex index = dirModel_->index(clean);
    if (index.isValid() && index != dir1_->rootIndex()) {
        dir1_->setCurrentIndex(index);
        dir1_->scrollTo(index);
    }
    if (clean != folder_ || !index.isValid() || index == dir1_->rootIndex()) {
        folder_ = clean;
        label1_[0]->setText(folder_);
        refreshFiles();
    }
}

void FileNameWindow::chooseFolder(const QString& path)
{
    const QString clean = withoutTrailingSlash(QDir::cleanPath(path));
    QString best = QStringLiteral("/");
    for (int i = 0; i < drive1_->count(); ++i) {
        const QString root = drive1_->itemText(i);
        if (isUnder(clean, root) && root.size() > best.size())
            best = root;
    }
    if (best != drive()) {
        drive1_->setCurrentIndex(drive1_->findText(best));
        setDrive(best);
    }
    showFolder(clean);
}

void FileNameWindow::Drive1_Change()
{
    guarded(label("Drive1_Change"), [&] {
        setDrive(drive());
        dir1_->setCurrentIndex(QModelIndex());
        showFolder(drive());
    });
}

void FileNameWindow::Dir1_Change(const QModelIndex& current)
{
    guarded(label("Dir1_Change"), [&] {
        if (!current.isValid())
            return;
        folder_ = withoutTrailingSlash(dirModel_->filePath(current));
        label1_[0]->setText(folder_);
        refreshFiles();
    });
}

void FileNameWindow::refreshFiles()
{
    file1_->clear();
    guarded(label("File1_Refresh"), [&] { file1_->addItems(listFiles(folder_, showHidden())); });
}

void FileNameWindow::Command1_Click(int index)
{
    if (index == 1) {
        close();
        return;
    }
    tool_.showListings(folder_, fileNames(), check1_2_->isChecked(), showHidden());
}

void FileNameWindow::Check2_MouseUp(int index)
{
    // Exactly one of the two cases stays chosen.
    check2_[1 - index]->setChecked(!check2_[index]->isChecked());
}

void FileNameWindow::Command2_Click(int index)
{
    switch (index) {
    case 0:
        tool_.renameFiles(folder_, fileNames(),
                          check2_[0]->isChecked() ? LetterCase::Lower : LetterCase::Upper);
        refreshFiles();
        break;
    case 1:
        tool_.undoFromLog(folder_);
        refreshFiles();
        break;
    default:
        close();
        break;
    }
}

}  // namespace petari
