// Starting at login: the desktop entry written and removed.

#include "platform/Autostart.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace petari {
namespace {

TEST(Autostart, TheExecLineQuotesAndEscapesAsDesktopEntriesWant)
{
    struct Case {
        const char* executable;
        const char* arguments;
        const char* exec;
    } cases[] = {
        {"/usr/bin/petari", "--show", "/usr/bin/petari --show"},
        {"/opt/my apps/petari", "--show", "\"/opt/my apps/petari\" --show"},
        {"/a/b$c/petari", "", "\"/a/b\\\\$c/petari\""},
        {"/a/100%/petari", "--show", "/a/100%%/petari --show"},
        {"/a/\"q\"/petari", "", "\"/a/\\\\\"q\\\\\"/petari\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(desktopExec(QString::fromUtf8(c.executable), QString::fromUtf8(c.arguments)),
                  QString::fromUtf8(c.exec))
            << c.executable;
}

TEST(Autostart, TickingWritesAValidEntryAndUntickingRemovesIt)
{
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    const QString path = dir.filePath(QStringLiteral("autostart/petari.desktop"));
    EXPECT_EQ(autostartPath(), path);
    EXPECT_FALSE(isAutostartOn());

    setAutostart(true, QStringLiteral("/usr/bin/petari"), QStringLiteral("--show"));
    EXPECT_TRUE(isAutostartOn());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("\nExec=/usr/bin/petari --show\n"));
    const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validate.isEmpty()) {
        QProcess p;
        p.start(validate, {path});
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
        EXPECT_EQ(p.readAllStandardOutput(), QByteArray());
    }

    setAutostart(false, QString(), QString());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_NO_THROW(setAutostart(false, QString(), QString()));
    if (saved.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

}  // namespace
}  // namespace petari
