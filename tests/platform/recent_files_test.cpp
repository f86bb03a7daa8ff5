// The desktop's recent files: what GTK and KDE programs read back.

#include "platform/RecentFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace petari {
namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct Bookmark {
    QString href, added, visited, mime, application, exec, count;
};

// Every bookmark of a list, read by a plain XML parser; fails on bad XML.
std::vector<Bookmark> bookmarksOf(const QString& list)
{
    std::vector<Bookmark> all;
    QXmlStreamReader xml(readAll(list));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.qualifiedName() == u"bookmark")
            all.push_back({a.value("href").toString(), a.value("added").toString(), a.value("visited").toString()});
        else if (xml.qualifiedName() == u"mime:mime-type")
            all.back().mime = a.value("type").toString();
        else if (xml.qualifiedName() == u"bookmark:application")
            all.back().application = a.value("name").toString(), all.back().exec = a.value("exec").toString(),
            all.back().count = a.value("count").toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return all;
}

const QByteArray kOtherProgram =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\" xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <bookmark href=\"file:///home/u/notes.md\" added=\"2026-01-02T03:04:05.000000Z\"\n"
    "            modified=\"2026-01-02T03:04:05.000000Z\" visited=\"2026-01-02T03:04:05.000000Z\">\n"
    "    <info><metadata owner=\"http://freedesktop.org\"><mime:mime-type type=\"text/markdown\"/>\n"
    "      <bookmark:groups><bookmark:group>gedit</bookmark:group></bookmark:groups>\n"
    "      <bookmark:applications><bookmark:application name=\"gedit\" exec=\"'gedit %u'\"\n"
    "        modified=\"2026-01-02T03:04:05.000000Z\" count=\"4\"/></bookmark:applications>\n"
    "    </metadata></info>\n"
    "  </bookmark>\n"
    "</xbel>\n";

class RecentFilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString list = dir.filePath(QStringLiteral("share/recently-used.xbel"));
    QString file = dir.filePath(QStringLiteral("日本 語.txt"));
    QDateTime at = QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0), Qt::UTC);
};

TEST_F(RecentFilesTest, ANewListNamesTheFileTheProgramAndTheMimeType)
{
    writeAll(file, "a\n");
    ASSERT_TRUE(addRecentFile(file, list, at));
    const auto b = bookmarksOf(list);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].href, QDir(dir.path()).absolutePath().prepend("file://") +
                             QStringLiteral("/%E6%97%A5%E6%9C%AC%20%E8%AA%9E.txt"));
    EXPECT_EQ(b[0].added, QStringLiteral("2026-12-08T10:00:00.000000Z"));
    EXPECT_EQ(b[0].mime, QStringLiteral("text/plain"));
    EXPECT_EQ(b[0].application, QStringLiteral("petari"));
    EXPECT_EQ(b[0].exec, QStringLiteral("'petari %u'"));
    EXPECT_EQ(b[0].count, QStringLiteral("1"));
}

TEST_F(RecentFilesTest, AFileUsedAgainIsCountedOnceMoreAndOtherProgramsEntriesStay)
{
    QDir().mkpath(dir.filePath(QStringLiteral("share")));
    writeAll(list, kOtherProgram);
    ASSERT_TRUE(addRecentFile(file, list, at));
    ASSERT_TRUE(addRecentFile(file, list, at.addSecs(60)));
    const auto b = bookmarksOf(list);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0].href, QStringLiteral("file:///home/u/notes.md"));
    EXPECT_EQ(b[0].count, QStringLiteral("4"));
    EXPECT_EQ(b[0].mime, QStringLiteral("text/markdown"));
    EXPECT_TRUE(readAll(list).contains("<bookmark:group>gedit</bookmark:group>"));
    EXPECT_EQ(b[1].count, QStringLiteral("2"));
    EXPECT_EQ(b[1].added, QStringLiteral("2026-12-08T10:00:00.000000Z"));
    EXPECT_EQ(b[1].visited, QStringLiteral("2026-12-08T10:01:00.000000Z"));
}

TEST_F(RecentFilesTest, AListThatIsNotABookmarkFileOrTooLargeIsLeftAlone)
{
    QDir().mkpath(dir.filePath(QStringLiteral("share")));
    for (const QByteArray& bytes : {QByteArray("<xbel><bookmark"), QByteArray("<html/>"),
                                    QByteArray(16 * 1024 * 1024 + 1, ' ')}) {
        writeAll(list, bytes);
        QString why;
        EXPECT_FALSE(addRecentFile(file, list, at, &why));
        EXPECT_FALSE(why.isEmpty());
        EXPECT_EQ(readAll(list), bytes);
    }
}

TEST_F(RecentFilesTest, ALinkInTheListsPlaceIsReplacedNotWrittenThrough)
{
    QDir().mkpath(dir.filePath(QStringLiteral("share")));
    const QString target = dir.filePath(QStringLiteral("elsewhere.xbel"));
    writeAll(target, kOtherProgram);
    ASSERT_TRUE(QFile::link(target, list));
    ASSERT_TRUE(addRecentFile(file, list, at));
    EXPECT_EQ(readAll(target), kOtherProgram);
    EXPECT_FALSE(QFileInfo(list).isSymLink());
    EXPECT_EQ(QFile(list).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
}

}  // namespace
}  // namespace petari
