#include "document/Cp932.h"
#include "document/TextFile.h"
#include "support/FailureNumber.h"
#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace petari;

namespace {

QString u(const char16_t* text) { return QString::fromUtf16(text); }

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

using test::failureNumber;

// Root ignores file permissions.  Dropping the overriding capabilities from
// this thread's effective set lets the permission cases run as root too;
// they come back when the guard ends.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride()
    {
        if (::geteuid() != 0)
            return;
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2];
        std::memcpy(reduced, saved_, sizeof reduced);
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        active_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutPermissionOverride()
    {
        if (active_)
            ::syscall(SYS_capset, &header_, saved_);
    }

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

struct LineCase {
    QByteArray bytes;
    QStringList lines;
};

const QList<LineCase>& lineCases()
{
    static const QList<LineCase> cases = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"", {}},
        {"a", {"a"}},
        {"a\r", {"a"}},
        {"\r", {""}},
        {"\r\n", {""}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\nb\n", {"a\nb\n"}},                 // a lone LF stays in the line
        {"a\r\n\nb\r\n", {"a", "\nb"}},         // only one LF belongs to the break
        {"\n", {"\n"}},
        {"d\n\re", {"d", "", "e"}},              // LF CR: two breaks
        {"d\n\r\ne", {"d", "", "e"}},
        {"a\nb\n\r", {"a\nb", ""}},
        {"\n\r", {"", ""}},
        {QByteArray("a\0b\r\n\0", 6), {QString("a") + QChar(0) + "b", QString(QChar(0))}},
    };
    return cases;
}

}  // namespace

TEST(TextFile, LinesEndAtCarriageReturns)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int i = 0;
    for (const LineCase& c : lineCases()) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(decodeTextFile(c.bytes).lines, c.lines);
        EXPECT_EQ(splitFileLines(QString::fromLatin1(c.bytes)), c.lines);
        const QString path = dir.filePath(QString("f%1.txt").arg(i++));
        writeBytes(path, c.bytes);
        EXPECT_EQ(readTextFile(path).lines, c.lines);
        // UTF-8 and UTF-16 are cut into the same lines.
        const QString text = QString::fromLatin1(c.bytes);
        EXPECT_EQ(decodeTextFile("\xEF\xBB\xBF" + c.bytes).lines, c.lines);
        const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        EXPECT_EQ(decodeTextFile("\xFF\xFE" + utf16).lines, c.lines);
    }
}

TEST(TextFile, EncodingIsDetectedFromTheBytes)
{
    const struct {
        QByteArray bytes;
        TextEncoding encoding;
        QStringList lines;
        qsizetype invalid;
    } cases[] = {
        {"\xEF\xBB\xBF\xE3\x81\x82\r\nb", TextEncoding::Utf8Bom, {u(u"あ"), "b"}, 0},
        {"\xEF\xBB\xBF", TextEncoding::Utf8Bom, {}, 0},
        {"\xEF\xBB\xBF" "abc", TextEncoding::Utf8Bom, {"abc"}, 0},
        {"x\xE3\x81\x82\r\n", TextEncoding::Utf8, {u(u"xあ")}, 0},
        {"\xF0\x9F\x98\x80", TextEncoding::Utf8, {u(u"😀")}, 0},
        {"abc\r\n", TextEncoding::Cp932, {"abc"}, 0},
        {"\x82\xA0\xB1\r\n", TextEncoding::Cp932, {u(u"あｱ")}, 0},
        {"\xE3\x81\x82\x80", TextEncoding::Cp932, {u(u"縺\uFFFD")}, 1},
        {"\xC0\xAF", TextEncoding::Cp932, {u(u"ﾀｯ")}, 0},                   // overlong "/"
        {"\xED\xA0\x80", TextEncoding::Cp932, {u(u"\u605D\uFFFD")}, 1},         // a surrogate
        {"\xF4\x90\x80\x80", TextEncoding::Cp932, {u(u"\uE33F\uFFFD\uFFFD")}, 2}, // above U+10FFFF
        {"a\x80\r\n\xFF", TextEncoding::Cp932, {u(u"a\uFFFD"), u(u"\uFFFD")}, 2},
        // Faulty UTF-8 behind a byte order mark is counted; a real U+FFFD is not.
        {"\xEF\xBB\xBF" "a\xFF" "b\r\n\xEF\xBF\xBD", TextEncoding::Utf8Bom, {u(u"a\uFFFDb"), u(u"\uFFFD")}, 1},
        {"\xEF\xBB\xBF" "a\xE3\x81\r\nb", TextEncoding::Utf8Bom, {u(u"a\uFFFD\uFFFD"), "b"}, 2},
        // Only the mark at the very start of the file is a byte order mark:
        // a U+FEFF that starts a later line (or follows the mark) is text.
        {"x\xE3\x81\x82\r\n\xEF\xBB\xBFy\r\n", TextEncoding::Utf8, {u(u"xあ"), QStringLiteral("\uFEFFy")}, 0},
        {"\xEF\xBB\xBF\xEF\xBB\xBF" "a\r\n\xEF\xBB\xBF", TextEncoding::Utf8Bom, {QStringLiteral("\uFEFFa"), QStringLiteral("\uFEFF")}, 0},
        {QByteArray("\xFF\xFEx\0\r\0\n\0\xFF\xFEy\0", 12), TextEncoding::Utf16LeBom, {"x", QStringLiteral("\uFEFFy")}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(detectEncoding(c.bytes), c.encoding);
        const TextFileContent content = decodeTextFile(c.bytes);
        EXPECT_EQ(content.encoding, c.encoding);
        EXPECT_EQ(content.lines, c.lines);
        EXPECT_EQ(content.invalidBytes, c.invalid);
    }
}

TEST(TextFile, ReadFailuresCarryTheirNumbers)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeBytes(dir.filePath("plain.txt"), "x");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);

    EXPECT_EQ(failureNumber([&] { readTextFile(dir.filePath("missing.txt")); }), err::FileNotFound);
    EXPECT_EQ(failureNumber([&] { readTextFile(""); }), err::FileNotFound);
    EXPECT_EQ(failureNumber([&] { readTextFile(dir.path()); }), err::PathFileAccess);
    EXPECT_EQ(failureNumber([&] { readTextFile(dir.filePath("no/such/file.txt")); }), err::PathNotFound);
    EXPECT_EQ(failureNumber([&] { readTextFile(dir.filePath("plain.txt/file.txt")); }), err::PathNotFound);
    // A pipe with no writer would block a plain read for ever.
    EXPECT_EQ(failureNumber([&] { readTextFile(dir.filePath("pipe")); }), err::PathFileAccess);
}

TEST(TextFile, UnreadableFileIsAPermissionFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("secret.txt");
    writeBytes(path, "x");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    WithoutPermissionOverride guard;
    if (::access(QFile::encodeName(path).constData(), R_OK) == 0
        && ::open(QFile::encodeName(path).constData(), O_RDONLY) >= 0)
        GTEST_SKIP() << "file permissions are not enforced here";
    EXPECT_EQ(failureNumber([&] { readTextFile(path); }), err::PermissionDenied);
}

TEST(TextFile, LargeFileWithLoneLineFeedsIsRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray bytes;
    for (int i = 0; i < 200000; ++i)
        bytes.append("\x82\xA0line\n");
    bytes.append("\r\nlast");
    const QString path = dir.filePath("big.txt");
    writeBytes(path, bytes);
    const TextFileContent content = readTextFile(path);
    // The last LF comes before a CR: a break of its own.
    ASSERT_EQ(content.lines.size(), 3);
    EXPECT_EQ(content.lines[0].size(), 200000 * 6 - 1);
    EXPECT_EQ(content.lines[1], "");
    EXPECT_EQ(content.lines[2], "last");
    EXPECT_EQ(splitAddedText(content.lines[0], 0).size(), 200000);
}

// Files of many megabytes are decoded in pieces at once; the lines, and the
// count of undefined bytes, are those of one pass, wherever a piece ends.
TEST(TextFile, LargeFilesDecodeInPiecesAsInOne)
{
    const QByteArray longLine(200, 'a');
    const QByteArray cp932Unit = longLine + "\r\n\x82\xA0x\ry\n\r\n\x81\r\n";
    const QByteArray utf8Unit = longLine + QString::fromUtf16(u"日本\r\nx\ry\n\r\n").toUtf8();
    for (const QByteArray& unit : {cp932Unit, utf8Unit}) {
        const bool isCp932 = unit == cp932Unit;
        const QByteArray body = unit.repeated(int((qsizetype(9) << 20) / unit.size()));
        for (const QByteArray& padding : {QByteArray(), QByteArray("a"), QByteArray("ab"), QByteArray("abc")}) {
            SCOPED_TRACE(std::string(isCp932 ? "CP932 + " : "UTF-8 + ") + std::to_string(padding.size()));
            const QByteArray bytes = padding + body;
            qsizetype invalid = 0;
            const QString whole = isCp932 ? cp932::decode(bytes, &invalid) : QString::fromUtf8(bytes);
            const TextFileContent content = decodeTextFile(bytes);
            EXPECT_EQ(content.encoding, isCp932 ? TextEncoding::Cp932 : TextEncoding::Utf8);
            EXPECT_TRUE(content.lines == splitFileLines(whole));
            EXPECT_EQ(content.invalidBytes, invalid);
        }
    }
}

// Read from a file, the bytes go back to the system as they are decoded:
// the lines are still those of the whole text, wherever a megabyte ends.
TEST(TextFile, AFileReadGivingItsBytesBackGivesTheSameLines)
{
    QTemporaryDir dir;
    const QString unit = QString(200, u'a') + u(u"\r\n日本\r\nx\ry\n\r\n😀\r\n");
    const QString whole = unit.repeated(40000);   // over 8 MB: decoded in two pieces at once
    QByteArray utf16(reinterpret_cast<const char*>(whole.utf16()), whole.size() * 2);
    const struct {
        const char* name;
        QByteArray bytes;
        TextEncoding encoding;
    } cases[] = {
        {"cp932", cp932::encode(QString(whole).replace(u(u"😀"), "?")), TextEncoding::Cp932},
        {"utf-8", whole.toUtf8(), TextEncoding::Utf8},
        {"utf-16", QByteArray("\xFF\xFE") + utf16, TextEncoding::Utf16LeBom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(c.name);
        writeBytes(path, c.bytes);
        const TextFileContent content = readTextFile(path);
        EXPECT_EQ(content.encoding, c.encoding);
        const QString expected = c.encoding == TextEncoding::Cp932 ? QString(whole).replace(u(u"😀"), "?") : whole;
        EXPECT_TRUE(content.lines == splitFileLines(expected));
        EXPECT_EQ(content.lines.size(), 40000 * 6);
    }
}

TEST(TextFile, AddedTextIsBrokenAtEveryKindOfLineBreak)
{
    const struct {
        QString text;
        int width;
        QStringList lines;
    } cases[] = {
        {"", 0, {""}},
        {"", 3, {""}},
        {"abc", 0, {"abc"}},
        {"a\r\n\r\nb", 0, {"a", "", "b"}},
        {"abc\r\n", 0, {"abc"}},
        {"abc\r", 0, {"abc"}},
        {"\n", 0, {""}},
        {"\r\n", 0, {""}},
        {"\n\r", 0, {"", ""}},
        {"a\n\n", 0, {"a", ""}},
        {"a\rb\nc\r\nd", 0, {"a", "b", "c", "d"}},
        {"abcdefg", 3, {"abc", "def", "g"}},
        {"abcdef", 3, {"abc", "def"}},
        {"ab\r\n\r\nabcd", 3, {"ab", "", "abc", "d"}},
        {"abcdefg", 0, {"abcdefg"}},
        {"abcdefg", -2, {"abcdefg"}},
        {u(u"😀a😀b"), 1, {u(u"😀"), "a", u(u"😀"), "b"}},
        {u(u"漢字かな"), 3, {u(u"漢字か"), u(u"な")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + std::to_string(c.width));
        EXPECT_EQ(splitAddedText(c.text, c.width), c.lines);
    }
}

TEST(TextFile, LineFeedOnlyFileBecomesOneLinePerLineWhenAdded)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("unix.txt");
    writeBytes(path, "one\ntwo\n\nfour\n");
    const TextFileContent content = readTextFile(path);
    QStringList added;
    for (const QString& line : content.lines.toStringList())
        added += splitAddedText(line, 0);
    EXPECT_EQ(added, QStringList({"one", "two", "", "four"}));
}

TEST(TextFile, WritersEndLinesAsTheirFormatsSay)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("out.txt");
    const QStringList lines = {u(u"あ"), "b"};
    const struct {
        bool mac;
        QStringList lines;
        TextEncoding encoding;
        QByteArray bytes;
    } cases[] = {
        {false, lines, TextEncoding::Cp932, "\x82\xA0\r\nb\r\n"},
        {false, lines, TextEncoding::Utf8, "\xE3\x81\x82\r\nb\r\n"},
        {false, lines, TextEncoding::Utf8Bom, "\xEF\xBB\xBF\xE3\x81\x82\r\nb\r\n"},
        {false, {}, TextEncoding::Cp932, ""},
        {false, {""}, TextEncoding::Cp932, "\r\n"},
        {true, {"a", "b"}, TextEncoding::Cp932, "a\rb\r\r\n"},
        {true, lines, TextEncoding::Utf8, "\xE3\x81\x82\rb\r\r\n"},
        {true, {}, TextEncoding::Cp932, "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        if (c.mac)
            writeMacTextFile(path, c.lines, c.encoding);
        else
            writeTextFile(path, c.lines, c.encoding);
        EXPECT_EQ(readBytes(path), c.bytes);
    }
}

TEST(TextFile, WrittenFilesReadBackTheSame)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("round.txt");
    const QStringList lines = {u(u"漢字とｶﾅ"), "", "tab\there", u(u"①Ⅰ㈱～＼")};
    for (TextEncoding encoding : {TextEncoding::Cp932, TextEncoding::Utf8, TextEncoding::Utf8Bom}) {
        writeTextFile(path, lines, encoding);
        const TextFileContent content = readTextFile(path);
        EXPECT_EQ(content.lines, lines);
        EXPECT_EQ(content.encoding, encoding);
        EXPECT_EQ(content.invalidBytes, 0);
    }
}

// A U+FEFF inside the text survives a read and a save, in every encoding
// that can hold it.
TEST(TextFile, ZeroWidthNoBreakSpacesAtLineStartsAreWrittenBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("feff.txt");
    const QByteArray files[] = {
        "x\xE3\x81\x82\r\n\xEF\xBB\xBFy\r\n",
        "\xEF\xBB\xBF\xEF\xBB\xBF" "a\r\n\xEF\xBB\xBF\r\n",
        QByteArray("\xFF\xFE\xFF\xFEx\0\r\0\n\0\xFF\xFEy\0\r\0\n\0", 18),
    };
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        writeBytes(path, bytes);
        const TextFileContent content = readTextFile(path);
        ASSERT_EQ(content.lines.size(), 2);
        EXPECT_TRUE(content.lines.at(1).startsWith(QChar(0xFEFF)));
        writeTextFile(path, content.lines, content.encoding);
        EXPECT_EQ(readBytes(path), bytes);
    }
}

TEST(TextFile, UnencodableTextIsRefusedUnlessAllowed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("keep.txt");
    writeBytes(path, "old\r\n");
    const QStringList lines = {"abc", u(u"😀x〜"), u(u"é😀")};

    EXPECT_EQ(unencodableCharacters(lines), u(u"😀é"));
    EXPECT_EQ(unencodableCharacters({"abc", u(u"〜ｱ")}), "");
    EXPECT_EQ(unencodableCharacters(lines, TextEncoding::Utf8), "");

    try {
        writeTextFile(path, lines, TextEncoding::Cp932);
        FAIL() << "unencodable text was written";
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), err::InvalidArgument);
        EXPECT_TRUE(f.description().contains(u(u"😀é")));
    }
    EXPECT_EQ(failureNumber([&] { writeMacTextFile(path, lines, TextEncoding::Cp932); }), err::InvalidArgument);
    EXPECT_EQ(readBytes(path), "old\r\n");

    writeTextFile(path, lines, TextEncoding::Cp932, Unencodable::WriteQuestionMark);
    EXPECT_EQ(readBytes(path), "abc\r\n?x\x81\x60\r\n??\r\n");
    writeTextFile(path, lines, TextEncoding::Utf8);
    EXPECT_EQ(readTextFile(path).lines, lines);
}

TEST(TextFile, FailedWritesLeaveTheOldFileWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkdir(folder));
    writeBytes(dir.filePath("folder/inside.txt"), "inside");

    EXPECT_EQ(failureNumber([&] { writeTextFile(folder, {"x"}, TextEncoding::Cp932); }), err::PathFileAccess);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(readBytes(dir.filePath("folder/inside.txt")), "inside");
    EXPECT_EQ(failureNumber([&] { writeMacTextFile(folder, {"x"}, TextEncoding::Cp932); }), err::PathFileAccess);
    EXPECT_EQ(failureNumber([&] { writeTextFile(dir.filePath("none/x.txt"), {"x"}, TextEncoding::Cp932); }),
              err::PathNotFound);
    EXPECT_EQ(failureNumber([&] { writeTextFile(dir.filePath("folder/inside.txt/x.txt"), {"x"}, TextEncoding::Cp932); }),
              err::PathNotFound);
    EXPECT_EQ(failureNumber([&] { writeTextFile("", {"x"}, TextEncoding::Cp932); }), err::PathFileAccess);
}

TEST(TextFile, UnwritableFolderIsAPermissionFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    const QString path = locked + "/doc.txt";
    writeBytes(path, "old\r\n");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    {
        WithoutPermissionOverride guard;
        const QByteArray probe = QFile::encodeName(locked + "/probe");
        const int fd = ::open(probe.constData(), O_CREAT | O_WRONLY, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.constData());
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            GTEST_SKIP() << "folder permissions are not enforced here";
        }
        EXPECT_EQ(failureNumber([&] { writeTextFile(path, {"new"}, TextEncoding::Cp932); }), err::PermissionDenied);
        EXPECT_EQ(failureNumber([&] { writeMacTextFile(locked + "/other.txt", {"new"}, TextEncoding::Utf8); }),
                  err::PermissionDenied);
    }
    EXPECT_EQ(readBytes(path), "old\r\n");
    EXPECT_EQ(QDir(locked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"doc.txt"}));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
