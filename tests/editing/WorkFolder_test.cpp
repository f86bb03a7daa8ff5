#include "editing/WorkFolder.h"
#include "support/FailureNumber.h"
#include "support/OrdinaryUser.h"
#include "document/TextFile.h"
#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace petari {
namespace {

using test::failureNumber;

void touch(const QString& path, const QByteArray& bytes = QByteArray())
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(WorkFolder, MakesTheFolderOnceAndRefusesAFileInTheWay)
{
    QTemporaryDir dir;
    const QString made = createFolderIn(dir.path(), workFolderName());
    EXPECT_EQ(made, dir.path() + QStringLiteral("/作・ペタリ"));
    EXPECT_TRUE(QFileInfo(made).isDir());
    EXPECT_EQ(createFolderIn(dir.path(), workFolderName()), made);

    touch(dir.filePath(QStringLiteral("mk_000")));
    EXPECT_EQ(failureNumber([&] { createFolderIn(dir.path(), QStringLiteral("mk_000")); }), 75);
    EXPECT_EQ(failureNumber([&] { createFolderIn(dir.filePath(QStringLiteral("gone")), QStringLiteral("x")); }), 76);
    // a file where the base folder should be
    EXPECT_EQ(failureNumber([&] { createFolderIn(dir.filePath(QStringLiteral("mk_000")), QStringLiteral("x")); }), 76);
}

TEST(WorkFolder, ReadOnlyBaseIsPermissionDenied)
{
    // Root ignores folder rights: this runs as an ordinary user.
    test::OrdinaryUser user;
    if (!user.ordinary())
        GTEST_SKIP() << "root cannot act as an ordinary user here (setresuid refused)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid()) << "no temporary folder an ordinary user may write in";
    const QString base = dir.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkdir(base));
    QFile::setPermissions(base, QFile::ReadOwner | QFile::ExeOwner);
    if (::access(QFile::encodeName(base).constData(), W_OK) == 0) {
        QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_EQ(failureNumber([&] { createFolderIn(base, workFolderName()); }), 70);
    QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(WorkFolder, DescriptionFileIsWrittenOnlyWhenMissing)
{
    const QDateTime t(QDate(2024, 1, 5), QTime(9, 30, 5));
    const QStringList lines = descriptionLines(t);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("　このフォルダ「作・ペタリ」は「ペタリ.exe  」が作成したものです。"));
    EXPECT_EQ(lines[9], QStringLiteral("　「ペタリ.exe  」が起動中で無ければ、削除しても良いです。"));
    EXPECT_EQ(lines[11], QStringLiteral("【 ペタリ.exe  Ver 2.40.167  2024/ 1/ 5 】"));
    for (int i : {1, 4, 7, 10})
        EXPECT_TRUE(lines[i].isEmpty()) << i;

    QTemporaryDir dir;
    const QString file = dir.filePath(descriptionFileName());
    EXPECT_TRUE(writeDescriptionFile(dir.path(), t));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    EXPECT_TRUE(bytes.startsWith("\x81\x40"));   // a full-width space in CP932
    EXPECT_TRUE(bytes.endsWith("\x81\x7a\r\n"));  // "】" and the last line end
    EXPECT_EQ(bytes.count("\r\n"), 12);
    const TextFileContent back = readTextFile(file);
    EXPECT_EQ(back.encoding, TextEncoding::Cp932);
    EXPECT_EQ(back.lines, lines);

    // present: left alone, even when its content differs
    touch(file, "mine");
    EXPECT_FALSE(writeDescriptionFile(dir.path(), t));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("mine"));
    f.close();
    // deleted: written again
    QFile::remove(file);
    EXPECT_TRUE(writeDescriptionFile(dir.path(), t));
    EXPECT_EQ(readTextFile(file).lines, lines);
}

TEST(WorkFolder, FreeNumberedNameIsTheFirstUnusedNumber)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath(QStringLiteral("data.bin"));
    const QString base = QStringLiteral("バイナリ表示");
    const QString stem = dir.path() + QLatin1Char('/') + base;
    EXPECT_EQ(freeNumberedName(doc, base), stem + QStringLiteral("001"));
    touch(stem + QStringLiteral("001.txt"));
    touch(stem + QStringLiteral("003.txt"));
    EXPECT_EQ(freeNumberedName(doc, base), stem + QStringLiteral("002"));
    // the backslash separates too
    EXPECT_EQ(freeNumberedName(dir.path() + QStringLiteral("\\data.bin"), base), stem + QStringLiteral("002"));
    for (int a = 1; a <= 999; ++a)
        touch(stem + QStringLiteral("%1.txt").arg(a, 3, 10, QLatin1Char('0')));
    EXPECT_EQ(freeNumberedName(doc, base), stem + QStringLiteral("000"));
    touch(stem + QStringLiteral("000.txt"));
    EXPECT_EQ(freeNumberedName(doc, base), stem + QStringLiteral("000"));   // all taken: the last one
    // no folder part: a name in the current folder, never one at the root
    EXPECT_EQ(freeNumberedName(QStringLiteral("data.bin"), QStringLiteral("zzz-petari-test-")),
              QStringLiteral("zzz-petari-test-001"));
}

}  // namespace
}  // namespace petari

namespace petari {
namespace {

TEST(WorkFolder, ASubFolderThatIsASymbolicLinkIsRefused)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target"));
    ASSERT_TRUE(QDir().mkdir(target));
    for (const QString& name : {QStringLiteral("mk_000"), QStringLiteral("mk_backup"), QStringLiteral("Log")}) {
        ASSERT_TRUE(QFile::link(target, dir.filePath(name)));
        EXPECT_EQ(failureNumber([&] { createFolderIn(dir.path(), name); }), 75) << name.toStdString();
    }
}

}  // namespace
}  // namespace petari
