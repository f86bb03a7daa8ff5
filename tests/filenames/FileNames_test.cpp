#include "filenames/FileNames.h"
#include "document/Cp932.h"
#include "platform/Failure.h"
#include "support/CaseFoldingVolume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace petari {
namespace {

void touch(const QString& path, const QByteArray& bytes = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The names in a folder, as the disk has them, in plain order.
QStringList onDisk(const QString& folder)
{
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    names.sort();
    return names;
}

struct Folder {
    QTemporaryDir dir;
    QString web = dir.filePath(QStringLiteral("web"));
    Folder(const QStringList& files)
    {
        QDir().mkpath(web);
        QDir().mkpath(program());
        for (const QString& f : files)
            touch(web + QLatin1Char('/') + f, f.toUtf8());
    }
    QString program() const { return dir.filePath(QStringLiteral("prog")); }
};

TEST(FileNameListings, PathFolderAndFileListings)
{
    EXPECT_EQ(pathListing(QStringLiteral("/home/user/web")),
              (QStringList{"【パス名】", "/home/user/web/", "home/user/web/", "user/web/", "web/", ""}));
    EXPECT_EQ(pathListing(QStringLiteral("/home/user/web/")), pathListing(QStringLiteral("/home/user/web")));
    EXPECT_EQ(pathListing(QStringLiteral("/")), (QStringList{"【パス名】", "/", ""}));

    Folder f({"archive.tar.gz", "file10.txt", "File2.txt", "README", ".hidden", "b.htm"});
    QDir(f.web).mkdir(QStringLiteral("img10"));
    QDir(f.web).mkdir(QStringLiteral("Img9"));
    QDir(f.web).mkdir(QStringLiteral(".git"));

    const QStringList files = listFiles(f.web, false);
    EXPECT_EQ(files, (QStringList{"archive.tar.gz", "b.htm", "File2.txt", "file10.txt", "README"}));
    EXPECT_EQ(listFiles(f.web, true).first(), QStringLiteral(".hidden"));
    EXPECT_EQ(listSubfolders(f.web, false), (QStringList{f.web + "/Img9", f.web + "/img10"}));
    EXPECT_EQ(folderListing(listSubfolders(f.web, true)),
              (QStringList{"【フォルダ名】", ".git", "Img9", "img10", ""}));

    EXPECT_EQ(fileListing(files, false),
              (QStringList{"【ファイル名】", "archive.tar.gz", "b.htm", "File2.txt", "file10.txt", "README", ""}));
    EXPECT_EQ(fileListing(files + QStringList{".bashrc", ".config.bak"}, true),
              (QStringList{"【ファイル名】", "archive.tar", "b", "File2", "file10", "README", ".bashrc",
                           ".config", ""}));

    EXPECT_THROW(listFiles(f.dir.filePath(QStringLiteral("gone")), false), Failure);
}

struct RenameCase {
    LetterCase letterCase;
    QStringList before;
    QStringList after;      // the folder afterwards, plain order
    QStringList newNames;   // the log's new names, in list order
    int count;
};

TEST(FileNameRename, ChangesTheCaseOfSingleByteNamesOnly)
{
    const QStringList names{"My File-1.htm", "Readme.TXT", "index.html", "カナ.txt", "漢字.TXT",
                            "ｶﾅ.TXT", "café.TXT"};
    const RenameCase cases[] = {
        {LetterCase::Lower, names,
         {"café.TXT", "index.html", "my file-1.htm", "readme.txt", "カナ.txt", "漢字.TXT", "ｶﾅ.TXT"},
         {"my file-1.htm", "readme.txt", "", "", "", "", ""}, 2},
        {LetterCase::Upper, names,
         {"INDEX.HTML", "MY FILE-1.HTM", "README.TXT", "café.TXT", "カナ.txt", "漢字.TXT", "ｶﾅ.TXT"},
         {"MY FILE-1.HTM", "README.TXT", "INDEX.HTML", "", "", "", ""}, 3},
        // Both names exist side by side: neither may take the other's place.
        {LetterCase::Lower, {"Readme.TXT", "readme.txt"}, {"Readme.TXT", "readme.txt"}, {"", ""}, 0},
        {LetterCase::Upper, {"A.txt", "a.TXT"}, {"A.TXT", "a.TXT"}, {"A.TXT", ""}, 1},
        // Nothing to change.
        {LetterCase::Lower, {"a.txt", "b.htm"}, {"a.txt", "b.htm"}, {"", ""}, 0},
    };
    for (const RenameCase& c : cases) {
        SCOPED_TRACE(c.before.join(' ').toStdString());
        Folder f(c.before);
        QVector<RenameRow> rows;
        EXPECT_EQ(renameFiles(f.web, c.before, c.letterCase, rows), c.count);
        QStringList expected = c.after;
        expected.sort();
        EXPECT_EQ(onDisk(f.web), expected);
        ASSERT_EQ(rows.size(), c.before.size());
        for (int i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].oldName, c.before[i]);
            EXPECT_EQ(rows[i].newName, c.newNames[i]);
        }
        // Every file kept its own content under whichever name it has.
        for (const RenameRow& r : rows)
            EXPECT_EQ(readBytes(f.web + "/" + (r.newName.isEmpty() ? r.oldName : r.newName)),
                      r.oldName.toUtf8());
    }
}

TEST(FileNameRename, HardLinksAndLinksAreLeftAlone)
{
    Folder f({"Readme.TXT", "target.txt"});
    ASSERT_EQ(::link(QFile::encodeName(f.web + "/Readme.TXT"), QFile::encodeName(f.web + "/readme.txt")), 0);
    ASSERT_TRUE(QFile::link(f.web + "/target.txt", f.web + "/Link.TXT"));
    QVector<RenameRow> rows;
    EXPECT_EQ(renameFiles(f.web, {"Link.TXT", "Readme.TXT", "readme.txt"}, LetterCase::Lower, rows), 0);
    EXPECT_EQ(onDisk(f.web), (QStringList{"Link.TXT", "Readme.TXT", "readme.txt", "target.txt"}));
}

// A case-folding volume (vfat, exFAT): PETARI_CASEFOLD_DIR names an empty
// writable folder on one, or root mounts an exFAT image of its own.
TEST(FileNameRename, ChangesCaseOnACaseFoldingVolume)
{
    QTemporaryDir scratch;
    const test::CaseFoldingVolume volume(scratch.path());
    const QString base = volume.folder();
    if (base.isEmpty())
        GTEST_SKIP() << "no case-folding volume here: " << volume.why().toStdString();
    QTemporaryDir dir(base + "/petari-XXXXXX");
    touch(dir.path() + "/Readme.TXT");
    QVector<RenameRow> rows;
    EXPECT_EQ(renameFiles(dir.path(), {"Readme.TXT"}, LetterCase::Lower, rows), 1);
    EXPECT_EQ(onDisk(dir.path()), QStringList{"readme.txt"});
}

struct Immutable {
    QByteArray path;
    bool set = false;
    explicit Immutable(const QString& p) : path(QFile::encodeName(p)) { set = flag(true); }
    ~Immutable()
    {
        if (set)
            flag(false);
    }
    bool flag(bool on)
    {
        const int fd = ::open(path.constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }
};

TEST(FileNameRename, ARunThatFailsMidwayTellsWhatItDid)
{
    Folder f({"A.txt", "B.txt", "C.txt"});
    Immutable stuck(f.web + "/B.txt");
    if (!stuck.set)
        GTEST_SKIP() << "no right to make a file immutable here";
    QVector<RenameRow> rows;
    EXPECT_THROW(renameFiles(f.web, {"A.txt", "B.txt", "C.txt"}, LetterCase::Lower, rows), Failure);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].newName, QStringLiteral("a.txt"));
    EXPECT_EQ(rows[1].newName, QString());
    EXPECT_EQ(onDisk(f.web), (QStringList{"B.txt", "C.txt", "a.txt"}));
}

TEST(FileNameLog, WrittenInCp932OrUtf8AndNamedByTheMoment)
{
    Folder f({});
    const QDateTime at(QDate(2024, 1, 31), QTime(9, 30, 5));
    const QString path = writeRenameLog(f.program(), f.web, {{"Readme.TXT", "readme.txt"}, {"カナ.txt", ""}}, at);
    EXPECT_EQ(path, f.program() + "/作・ペタリ/Log/ファイル名の変更20240131_093005.txt");
    EXPECT_TRUE(QFileInfo::exists(f.program() + "/作・ペタリ/このフォルダの説明.txt"));
    const QString text = ",Path =,," + f.web + "/,\r\nReadme.TXT, → ,readme.txt,,\r\nカナ.txt, → ,,,\r\n";
    EXPECT_EQ(readBytes(path), cp932::encode(text));
    // A second run in the same second keeps the first run's log.
    EXPECT_EQ(writeRenameLog(f.program(), f.web, {}, at),
              f.program() + "/作・ペタリ/Log/ファイル名の変更20240131_093005_2.txt");
    EXPECT_EQ(readBytes(path), cp932::encode(text));

    // A name code page 932 cannot hold: the whole log in UTF-8 after a BOM.
    const QString utf = writeRenameLog(f.program(), f.web, {{"café.TXT", ""}}, at.addSecs(1));
    EXPECT_EQ(readBytes(utf), "\xEF\xBB\xBF" + (",Path =,," + f.web + "/,\r\ncafé.TXT, → ,,,\r\n").toUtf8());
}

struct UndoCase {
    const char* what;
    QStringList logRows;      // after the header
    UndoResult::Status status;
    int restored, skipped;
    QStringList after;
};

TEST(FileNameUndo, RenamesBackOnlyPlainNamesOfFilesInTheFolder)
{
    Folder other({});
    const QStringList untouched{"link.txt", "my file-1.htm", "readme.txt", "Taken.txt", "taken.txt",
                                "target.txt"};
    const UndoCase cases[] = {
        {"a rename run", {"Readme.TXT, → ,readme.txt,,", "My File-1.htm, → ,my file-1.htm,,", "カナ.txt, → ,,,"},
         UndoResult::Done, 2, 0,
         {"link.txt", "My File-1.htm", "Readme.TXT", "Taken.txt", "taken.txt", "target.txt"}},
        {"a renamed file deleted since", {"Readme.TXT, → ,readme.txt,,", "Gone.TXT, → ,gone.txt,,"},
         UndoResult::Done, 1, 1,
         {"link.txt", "my file-1.htm", "Readme.TXT", "Taken.txt", "taken.txt", "target.txt"}},
        {"names out of the folder",
         {"x, → ,../x,,", "../x, → ,readme.txt,,", "passwd, → ,/etc/passwd,,", "a, → ,..,,", ", → ,readme.txt,,",
          "evil, → ,link.txt,,", "Taken.txt, → ,taken.txt,,", "broken line", QString::fromUtf8("a\0b", 3) + ", → ,readme.txt,,"},
         UndoResult::Done, 0, 9, untouched},
        {"another folder's log", {}, UndoResult::OtherFolder, 0, 0, untouched},
    };
    for (const UndoCase& c : cases) {
        SCOPED_TRACE(c.what);
        Folder g({"readme.txt", "my file-1.htm", "Taken.txt", "taken.txt", "target.txt"});
        QFile::link(g.web + "/target.txt", g.web + "/link.txt");
        touch(g.dir.filePath("x"));
        const QString header = ",Path =,," + (c.status == UndoResult::OtherFolder ? other.web : g.web) + "/,";
        const QString log = g.dir.filePath("log.txt");
        touch(log, cp932::encode((QStringList{header} + c.logRows).join("\r\n") + "\r\n"));
        const UndoResult r = undoRenameLog(log, g.web);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.restored, c.restored);
        EXPECT_EQ(r.skipped, c.skipped);
        QStringList expected = c.after;
        expected.sort();
        EXPECT_EQ(onDisk(g.web), expected);
        EXPECT_TRUE(QFileInfo::exists(g.dir.filePath("x")));
        EXPECT_EQ(readBytes(g.dir.filePath("x")), QByteArray("x"));
    }
}

TEST(FileNameUndo, AFileThatIsNoLogChangesNothing)
{
    Folder f({"readme.txt"});
    const QByteArray notLogs[] = {"hello\r\nreadme.txt, → ,Readme.TXT,,\r\n", "", QByteArray("\x82\xFF\x00\x81", 4),
                                  ",Path =,,\r\n", "\xEF\xBB\xBF,Path =\xFF,,x/,\r\n"};
    for (const QByteArray& bytes : notLogs) {
        touch(f.dir.filePath("not.txt"), bytes);
        EXPECT_EQ(undoRenameLog(f.dir.filePath("not.txt"), f.web).status, UndoResult::NotALog);
    }
    EXPECT_EQ(onDisk(f.web), QStringList{"readme.txt"});
    EXPECT_THROW(undoRenameLog(f.dir.filePath("missing.txt"), f.web), Failure);
}

TEST(FileNameUndo, ReadsBackWhatARunWrote)
{
    Folder f({"Readme.TXT", "a,b.TXT", "café.TXT"});
    QVector<RenameRow> rows;
    ASSERT_EQ(renameFiles(f.web, {"Readme.TXT", "a,b.TXT", "café.TXT"}, LetterCase::Lower, rows), 2);
    const QString log = writeRenameLog(f.program(), f.web, rows);
    const UndoResult r = undoRenameLog(log, f.web + "/");
    EXPECT_EQ(r.status, UndoResult::Done);
    EXPECT_EQ(r.restored, 2);
    EXPECT_EQ(r.skipped, 0);
    EXPECT_EQ(onDisk(f.web), (QStringList{"Readme.TXT", "a,b.TXT", "café.TXT"}));
}

TEST(FileNameUndo, RowsAndHeadersThatMustBeRefused)
{
    const QString folderAndArrow = QStringLiteral("b, → ,c");   // a file name that holds the arrow
    struct Case {
        QString row;   // after a good header
        int restored, skipped;
        QStringList after;
    };
    const Case cases[] = {
        {"Readme.TXT, → ,readme.txt,,", 1, 0, {"...", "Readme.TXT", folderAndArrow}},
        {"a, → ," + folderAndArrow + ",,", 0, 1, {"...", folderAndArrow, "readme.txt"}},   // two arrows
        {"a, → ,readme.txt,", 0, 1, {"...", folderAndArrow, "readme.txt"}},
        {"a, → ,readme.txt", 0, 1, {"...", folderAndArrow, "readme.txt"}},
        {"a → readme.txt,,", 0, 1, {"...", folderAndArrow, "readme.txt"}},
        {"x, → ,...,,", 1, 0, {folderAndArrow, "readme.txt", "x"}},
        {".., → ,...,,", 0, 1, {"...", folderAndArrow, "readme.txt"}},
        {"., → ,...,,", 0, 1, {"...", folderAndArrow, "readme.txt"}},
        {"a/b, → ,...,,", 0, 1, {"...", folderAndArrow, "readme.txt"}},
        {"Y, → ,,,", 0, 0, {"...", folderAndArrow, "readme.txt"}},
        {"", 0, 0, {"...", folderAndArrow, "readme.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row.toStdString());
        Folder f({"readme.txt", "...", folderAndArrow});
        const QString log = f.dir.filePath("log.txt");
        touch(log, QByteArray("\xEF\xBB\xBF") + (",Path =,," + f.web + "/,\r\n" + c.row + "\r\n").toUtf8());
        const UndoResult r = undoRenameLog(log, f.web);
        EXPECT_EQ(r.status, UndoResult::Done);
        EXPECT_EQ(r.restored, c.restored);
        EXPECT_EQ(r.skipped, c.skipped);
        EXPECT_EQ(onDisk(f.web), c.after);
    }
    Folder f({"readme.txt"});
    const struct {
        QString header;
        UndoResult::Status status;
    } headers[] = {
        {",Path =,," + f.web + "/,", UndoResult::Done},
        {",Path =,," + f.web + ",", UndoResult::OtherFolder},
        {",Path =,," + f.web + "/x/,", UndoResult::OtherFolder},
        {",Path =,,,", UndoResult::NotALog},
        {",Path =,,", UndoResult::NotALog},
        {",Path =,," + f.web + "/", UndoResult::NotALog},
        {"Path =,," + f.web + "/,", UndoResult::NotALog},
    };
    for (const auto& h : headers) {
        touch(f.dir.filePath("log.txt"), (h.header + "\r\nreadme.txt, → ,README.TXT,,\r\n").toUtf8().prepend("\xEF\xBB\xBF"));
        EXPECT_EQ(undoRenameLog(f.dir.filePath("log.txt"), f.web).status, h.status) << h.header.toStdString();
    }
}

TEST(FileNameRename, WhichNamesChangeCaseAndHow)
{
    const struct {
        const char16_t* name;
        const char16_t* lower;   // "" : left alone
        const char16_t* upper;
    } cases[] = {
        {u"Readme.TXT", u"readme.txt", u"README.TXT"}, {u"readme.txt", u"", u"README.TXT"},
        {u"@AZ[`az{", u"@az[`az{", u"@AZ[`AZ{"},      {u"My File-1.htm", u"my file-1.htm", u"MY FILE-1.HTM"},
        {u" A", u" a", u""},                           {u"\x1F" "A", u"", u""},
        {u"\x7F" "A", u"\x7F" "a", u""},               {u"\uFF65A", u"\uFF65a", u""},   // ･ is code 165
        {u"\uFF66A", u"", u""},                        {u"\uFF71.TXT", u"", u""},        // ｦ 166, ｱ 177
        {u"カナ.TXT", u"", u""},                        {u"\u00E9A", u"", u""},
        {u"?A", u"?a", u""},                            {u"", u"", u""},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        EXPECT_EQ(caseChangedName(name, LetterCase::Lower), QString::fromUtf16(c.lower)) << name.toStdString();
        EXPECT_EQ(caseChangedName(name, LetterCase::Upper), QString::fromUtf16(c.upper)) << name.toStdString();
    }
    const char* stems[][2] = {{"archive.tar.gz", "archive.tar"}, {".bashrc", ".bashrc"}, {"a.", "a"},
                              {"a", "a"}, {".a.b", ".a"}, {"x.y", "x"}};
    for (const auto& s : stems)
        EXPECT_EQ(nameWithoutExtension(QString::fromUtf8(s[0])), QString::fromUtf8(s[1])) << s[0];
    Folder f({"a.txt", "B.txt"});
    EXPECT_EQ(renameWithin(f.web, "a.txt", "A.TXT"), RenameOutcome::Renamed);
    EXPECT_EQ(renameWithin(f.web, "A.TXT", "B.txt"), RenameOutcome::NameTaken);
    EXPECT_EQ(renameWithin(f.web, "gone.txt", "x.txt"), RenameOutcome::NotAFile);
    EXPECT_THROW(renameWithin(f.web, "../a.txt", "x.txt"), Failure);
    EXPECT_THROW(renameWithin(f.web, "A.TXT", ".."), Failure);
    EXPECT_EQ(onDisk(f.web), (QStringList{"A.TXT", "B.txt"}));
}

}  // namespace
}  // namespace petari
