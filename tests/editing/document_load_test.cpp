// The document's loaders with unlucky files: other encodings, binary files,
// devices, pipes, oversized files and names that are not UTF-8.
#include "document/FileName.h"
#include "editing/Document.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace petari;

namespace {

struct Sink : ErrorSink {
    void report(const QString&, int number, const QString& description) override
    {
        numbers.push_back(number);
        descriptions.push_back(description);
    }
    std::vector<int> numbers;
    QStringList descriptions;
};

struct Loader {
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("petari.ini")};
    ScriptedPrompt prompt;
    Sink sink;
    Document doc{settings, prompt, dir.filePath("home")};

    Loader()
    {
        setErrorSink(&sink);
        QDir().mkpath(dir.filePath("home"));
    }
    ~Loader() { setErrorSink(nullptr); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        FILE* f = std::fopen(encodeFileName(path).constData(), "wb");
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
        std::fclose(f);
        return path;
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

QString u(const char16_t* text) { return QString::fromUtf16(text); }

}  // namespace

TEST(DocumentLoad, Utf8WithAStrayByteShowsAsUtf8AndAsksBeforeASave)
{
    Loader l;
    const QByteArray bytes("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xFF\r\n");
    const QString path = l.write("stray.txt", bytes);
    l.doc.open(path);
    EXPECT_EQ(l.doc.lines().lines(), QStringList({u(u"日本語\uFFFD")}));
    EXPECT_EQ(l.doc.state().encoding, TextEncoding::Utf8);
    l.prompt.pushAnswer(Answer::No);
    l.doc.saveOver();
    ASSERT_EQ(l.prompt.asked().size(), 1u);
    EXPECT_TRUE(l.prompt.asked()[0].text.contains(u(u"文字として読めないバイト")));
    EXPECT_EQ(Loader::read(path), bytes);
}

TEST(DocumentLoad, Utf16IsSavedBackWithItsByteOrderUnasked)
{
    Loader l;
    const QByteArray withBom("\xFF\xFE\xE5\x65\x2C\x67\r\0\n\0a\0\r\0\n\0", 16);
    const QByteArray without("a\0b\0\r\0\n\0", 8);
    for (const QByteArray& bytes : {withBom, without}) {
        const QString path = l.write("u16.txt", bytes);
        l.doc.open(path);
        ASSERT_EQ(l.doc.lines().count(), bytes == withBom ? 2 : 1);
        l.doc.saveOver();
        EXPECT_TRUE(l.prompt.asked().empty());
        EXPECT_EQ(Loader::read(path), bytes);
    }
    EXPECT_TRUE(l.sink.numbers.empty()) << l.sink.descriptions.join("|").toStdString();
}

TEST(DocumentLoad, BinaryFileIsShownAsBytesAndNeverSavedOverItself)
{
    Loader l;
    const QByteArray bytes("\x7F" "ELF\x02\x01\x01\0\0\0\r\n", 12);
    const QString path = l.write("tool", bytes);
    l.doc.open(path);
    EXPECT_TRUE(l.doc.state().hexView);
    ASSERT_EQ(l.prompt.asked().size(), 1u);
    EXPECT_EQ(l.prompt.asked()[0].kind, ScriptedPrompt::Asked::Message);
    EXPECT_TRUE(l.doc.lines().line(0).startsWith("00000000 7F 45 4C 46 02 01 01 00 00 00 0D 0A"));
    l.doc.saveOver();   // the save dialog, cancelled
    EXPECT_EQ(l.prompt.asked().back().kind, ScriptedPrompt::Asked::Save);
    EXPECT_EQ(Loader::read(path), bytes);
}

TEST(DocumentLoad, DevicesPipesAndOversizedFilesAreRefusedByBothLoaders)
{
    Loader l;
    const QString doc = l.write("doc.txt", "keep\r\n");
    const QString zero = l.dir.filePath("zero.txt");
    const QString pipe = l.dir.filePath("pipe.txt");
    const QString huge = l.write("huge.bin", "");
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(zero).constData()), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_EQ(::truncate(QFile::encodeName(huge).constData(), HexViewLimit + 1), 0);   // sparse
    for (const QString& bad : {zero, pipe, huge}) {
        for (int mode : {LoadText, LoadHex}) {
            SCOPED_TRACE(bad.toStdString() + " mode " + std::to_string(mode));
            l.doc.open(doc);
            l.sink.numbers.clear();
            l.doc.state().loadMode = mode;
            EXPECT_FALSE(l.doc.readFile(bad));
            l.doc.state().loadMode = LoadText;
            ASSERT_EQ(l.sink.numbers.size(), 1u);
            EXPECT_EQ(l.sink.numbers[0], 75);
            EXPECT_EQ(l.doc.lines().lines(), QStringList({"keep"}));
        }
    }
    EXPECT_TRUE(l.sink.descriptions.last().contains(u(u"大きすぎ")));
}

TEST(DocumentLoad, NameThatIsNotUtf8OpensByItsBytes)
{
    Loader l;
    const QString path = decodeFileName(QFile::encodeName(l.dir.path()) + "/lat\xE9.txt");
    l.write(path.mid(l.dir.path().size() + 1), "text\r\n");
    l.doc.open(path);
    EXPECT_TRUE(l.sink.numbers.empty()) << l.sink.descriptions.join("|").toStdString();
    EXPECT_EQ(l.doc.lines().lines(), QStringList({"text"}));
    EXPECT_EQ(l.doc.state().fileName, path);
    // As the command line gives it: relative to the current folder.
    const QString current = QDir::currentPath();
    QDir::setCurrent(l.dir.path());
    l.doc.open(path.mid(l.dir.path().size() + 1));
    QDir::setCurrent(current);
    EXPECT_TRUE(l.sink.numbers.empty()) << l.sink.descriptions.join("|").toStdString();
    EXPECT_EQ(l.doc.state().fileName, path);
    ::unlink(encodeFileName(path).constData());
}
