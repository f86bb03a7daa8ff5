#include "platform/Help.h"
#include "platform/ProgramFolder.h"
#include "platform/UserPrompt.h"

#include <QCoreApplication>
#include <QTest>
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

// Stands in for the desktop's opener, xdg-open, first on PATH: records what
// it was asked to open, says what it is told and ends with that status.
class FakeOpener {
public:
    FakeOpener(const QString& said, int status)
    {
        const QString script = bin_.filePath("xdg-open");
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\necho '%2' >&2\nexit %3\n")
                    .arg(bin_.filePath("asked"), said)
                    .arg(status)
                    .toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin_.path()) + ':' + path_);
    }
    ~FakeOpener() { qputenv("PATH", path_); }
    QString asked() const
    {
        QFile f(bin_.filePath("asked"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private:
    QTemporaryDir bin_;
    QByteArray path_ = qgetenv("PATH");
};

}  // namespace

TEST(ReadOnlyFiles, ProgramFolderWinsThenTheInstallationsShareFolder)
{
    QTemporaryDir home;
    const QString share =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/petari");
    ASSERT_GE(readOnlyFolders(home.path()).size(), 3);
    EXPECT_EQ(readOnlyFolders(home.path())[0], QDir::cleanPath(home.path()));
    EXPECT_EQ(readOnlyFolders(home.path())[1], share);
    // Read from, never written to: a build folder's copies.
    EXPECT_EQ(readOnlyFolders(home.path())[2], QDir::cleanPath(QCoreApplication::applicationDirPath()));

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
    FakeOpener opener(QString(), 0);
    ScriptedPrompt prompt;
    QObject context;
    int failures = 0;
    EXPECT_TRUE(openHelp(home.path(), prompt, &context, [&](const Failure&) { ++failures; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opener.asked().isEmpty(); }, 10000));
    EXPECT_EQ(opener.asked(), QDir::cleanPath(home.filePath(helpFileName())));
    QTest::qWait(200);
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(prompt.asked().empty());
}

TEST(Help, AnOpenerThatFailsIsToldWithWhatItSaid)
{
    QTemporaryDir home;
    touch(home.filePath(helpFileName()));
    FakeOpener opener(QStringLiteral("xdg-open: no method available for opening"), 3);
    ScriptedPrompt prompt;
    QObject context;
    std::vector<Failure> failures;
    EXPECT_TRUE(openHelp(home.path(), prompt, &context, [&](const Failure& f) { failures.push_back(f); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !failures.empty(); }, 10000));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].number(), err::FileNotFound);
    EXPECT_TRUE(failures[0].description().endsWith(QStringLiteral("no method available for opening")));
}

TEST(Help, MissingHelpFileIsToldWithTheFoldersLookedIn)
{
    QTemporaryDir home;
    if (!findReadOnlyFile(home.path(), helpFileName()).isEmpty())
        GTEST_SKIP() << "an installed copy of the help is on this machine";
    FakeOpener opener(QString(), 0);
    ScriptedPrompt prompt;
    QObject context;
    EXPECT_FALSE(openHelp(home.path(), prompt, &context, [](const Failure&) {}));
    QTest::qWait(200);
    EXPECT_EQ(opener.asked(), QString());
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].kind, ScriptedPrompt::Asked::Message);
    EXPECT_TRUE(prompt.asked()[0].text.contains(helpFileName()));
    EXPECT_TRUE(prompt.asked()[0].text.contains(QDir::toNativeSeparators(QDir::cleanPath(home.path()))));
}

