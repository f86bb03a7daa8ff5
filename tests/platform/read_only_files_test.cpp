#include "platform/Help.h"
#include "platform/ProgramFolder.h"
#include "platform/UserPrompt.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace petari;

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// Stands in for the user's browser: records what it was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

}  // namespace

TEST(ReadOnlyFiles, ProgramFolderWinsThenTheInstallationsShareFolder)
{
    QTemporaryDir home;
    const QString share =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/petari");
    ASSERT_GE(readOnlyFolders(home.path()).size(), 2);
    EXPECT_EQ(readOnlyFolders(home.path())[0], QDir::cleanPath(home.path()));
    EXPECT_EQ(readOnlyFolders(home.path())[1], share);

    // A name no installation ships, so an installed copy cannot interfere.
    const QString name = QStringLiteral("ペタリ_試験_%1.txt").arg(QCoreApplication::applicationPid());
    EXPECT_EQ(findReadOnlyFile(home.path(), name), QString());

    touch(share + '/' + name);
    EXPECT_EQ(findReadOnlyFile(home.path(), name), share + '/' + name);
    touch(home.filePath(name));
    EXPECT_EQ(findReadOnlyFile(home.path(), name), QDir::cleanPath(home.filePath(name)));
    QFile::remove(share + '/' + name);

    // A folder of that name is no file.
    QDir(home.path()).mkdir("folder.html");
    EXPECT_EQ(findReadOnlyFile(home.path(), "folder.html"), QString());
}

TEST(Help, OpensTheHelpFileInTheBrowser)
{
    QTemporaryDir home;
    touch(home.filePath(helpFileName()));
    UrlRecorder browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");
    ScriptedPrompt prompt;
    EXPECT_TRUE(openHelp(home.path(), prompt));
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl::fromLocalFile(QDir::cleanPath(home.filePath(helpFileName()))));
    EXPECT_TRUE(prompt.asked().empty());
}

TEST(Help, MissingHelpFileIsToldWithTheFoldersLookedIn)
{
    QTemporaryDir home;
    if (!findReadOnlyFile(home.path(), helpFileName()).isEmpty())
        GTEST_SKIP() << "an installed copy of the help is on this machine";
    UrlRecorder browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");
    ScriptedPrompt prompt;
    EXPECT_FALSE(openHelp(home.path(), prompt));
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_TRUE(browser.opened.isEmpty());
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].kind, ScriptedPrompt::Asked::Message);
    EXPECT_TRUE(prompt.asked()[0].text.contains(helpFileName()));
    EXPECT_TRUE(prompt.asked()[0].text.contains(QDir::toNativeSeparators(QDir::cleanPath(home.path()))));
}

#include "read_only_files_test.moc"
