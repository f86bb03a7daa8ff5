// The file name window with names that are no plain text, logs too large to
// read, a program that ends while the count is shown, and a folder deep
// below the volume's root.

#include "filenames/ui/FileNameWindow.h"
#include "support/Fixture.h"

#include "platform/FileLimits.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace petari;

namespace {

// Counts the rename logs on the disk when the count is told: the program
// may be ended while that message is open.
struct LogWatchingPrompt : ScriptedPrompt {
    QString logFolder;
    int logsWhenTold = -1;
    void showMessage(const QString& title, const QString& text, Icon icon) override
    {
        logsWhenTold = int(QDir(logFolder).entryList({QStringLiteral("*.txt")}, QDir::Files).size());
        ScriptedPrompt::showMessage(title, text, icon);
    }
};

struct FileNameFaults : ::testing::Test {
    test::DocumentFixture f;
    LogWatchingPrompt prompt;
    QString folder = f.dir.filePath(QStringLiteral("names"));

    void makeFile(const QByteArray& name)
    {
        const int fd = ::open((QFile::encodeName(folder) + '/' + name).constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0) << name.constData();
        ::close(fd);
    }
    QString logFolder() const { return f.doc->programFolder() + QStringLiteral("/作・ペタリ/Log"); }
};

}  // namespace

TEST_F(FileNameFaults, NamesThatAreNoPlainTextAreShownOnOneLineAndNeverRenamed)
{
    QDir().mkpath(folder);
    makeFile("caf\xE9.TXT");
    makeFile("new\nLINE.TXT");
    makeFile("Plain.TXT");
    prompt.logFolder = logFolder();
    FileNameWindow window(*f.doc, prompt);
    window.show();
    window.chooseFolder(folder);

    auto* files = test::child<QListWidget>(window, "File1");
    ASSERT_EQ(files->count(), 3);
    EXPECT_EQ(files->item(0)->text(), QStringLiteral("caf\\xE9.TXT"));
    EXPECT_EQ(files->item(1)->text(), QStringLiteral("new␊LINE.TXT"));

    QTest::mouseClick(test::child<QPushButton>(window, "Command1_0"), Qt::LeftButton);
    const QStringList lines = f.doc->lines().toStringList();
    const qsizetype at = lines.indexOf(QStringLiteral("【ファイル名】"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines.mid(at + 1, 4),
              (QStringList{"caf\\xE9.TXT", "new␊LINE.TXT", "Plain.TXT", ""}));

    QTest::mouseClick(test::child<QPushButton>(window, "Command2_0"), Qt::LeftButton);
    EXPECT_EQ(prompt.asked().back().text, QStringLiteral("1 個のファイル名を変更しました。"));
    // The log was on the disk before the count was told.
    EXPECT_EQ(prompt.logsWhenTold, 1);
    const QStringList logs = QDir(logFolder()).entryList({QStringLiteral("*.txt")}, QDir::Files);
    ASSERT_EQ(logs.size(), 1);
    QFile log(logFolder() + QLatin1Char('/') + logs.first());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray bytes = log.readAll();
    // UTF-8 with its byte-order mark: "␊" has no CP932 code.
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n")).mid(1),
              (QStringList{"caf\\xE9.TXT, → ,,,", "new␊LINE.TXT, → ,,,", "Plain.TXT, → ,plain.txt,,", ""}));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/new\nLINE.TXT")));
    EXPECT_TRUE(f.sink.got.empty());
    // Qt cannot name it to remove it with the folder.
    ::unlink((QFile::encodeName(folder) + "/caf\xE9.TXT").constData());
}

TEST_F(FileNameFaults, ALogOverTheLimitIsRefusedUnread)
{
    QDir().mkpath(folder);
    FileNameWindow window(*f.doc, prompt);
    window.show();
    window.chooseFolder(folder);
    const struct {
        qint64 size;
        QString told;
    } cases[] = {
        {kMaxWholeReadBytes, QStringLiteral("このファイルには必要な情報がありません。")},
        {kMaxWholeReadBytes + 1, QString()},
    };
    for (const auto& c : cases) {
        const QString path = f.dir.filePath(QStringLiteral("log%1.txt").arg(c.size));
        QFile big(path);
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(c.size));
        big.close();
        prompt.pushFileName(path);
        QTest::mouseClick(test::child<QPushButton>(window, "Command2_1"), Qt::LeftButton);
        EXPECT_EQ(prompt.asked().back().text,
                  c.told.isEmpty() ? QStringLiteral("このファイルは大きすぎるため読み込みません（16 MiB まで）。\r\n") + path
                                   : c.told);
    }
}

TEST_F(FileNameFaults, TheTreeOpensAtTheFolderShown)
{
    const QString deep = f.dir.filePath(QStringLiteral("a/b/c/d"));
    QDir().mkpath(deep);
    for (int i = 0; i < 60; ++i)
        QDir().mkpath(f.dir.filePath(QStringLiteral("a/b/c/%1").arg(i, 2, 10, QLatin1Char('0'))));
    f.settings->write(QStringLiteral("F6"), QStringLiteral("a3"), deep);
    FileNameWindow window(*f.doc, prompt);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(test::child<QLabel>(window, "Label1_0")->text(), deep);

    auto* tree = test::child<QTreeView>(window, "Dir1");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    EXPECT_EQ(tree->currentIndex(), model->index(deep));
    // The tree reads the folders on the way in the background, and the rows
    // read move the folder's row down among its many siblings.
    EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(model->index(deep).parent()) == 61; }, 10000));
    QTest::qWait(500);
    const QModelIndex shown = model->index(deep);
    EXPECT_TRUE(tree->isExpanded(shown.parent()));
    EXPECT_FALSE(tree->visualRect(shown).isEmpty());
    EXPECT_TRUE(tree->viewport()->rect().contains(tree->visualRect(shown)));
}
