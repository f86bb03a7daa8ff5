#include "services/SettingsExport.h"

#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "support/FailureNumber.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace petari;

namespace {

struct Sink : ErrorSink {
    QStringList labels;
    void report(const QString& label, int, const QString&) override { labels << label; }
};

// The sections an export holds, written out here rather than taken from the
// code under test, so that a section it forgets shows.
const char* const kSections[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "M2", "rireki", "okiniiri", "ver"};

// Every exported section's keys and values.
std::map<QString, QList<QPair<QString, QString>>> contents(const SettingsStore& s)
{
    std::map<QString, QList<QPair<QString, QString>>> all;
    for (const char* section : kSections)
        all[QString::fromLatin1(section)] = s.section(QString::fromLatin1(section));
    return all;
}

struct SettingsExportTest : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store = std::make_unique<SettingsStore>(dir.filePath("a/petari.ini"));
    ScriptedPrompt prompt;
    Sink sink;
    void SetUp() override { setErrorSink(&sink); }
    void TearDown() override { setErrorSink(nullptr); }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    // A store holding every section, with values that are easy to get wrong.
    void fill(SettingsStore& s, bool withEmoji)
    {
        for (const char* section : kSections)
            s.write(QString::fromLatin1(section), "top", "105");
        s.write("F5", "st_t100", "  leading, spaces, commas ");
        s.write("F5", "exe2", "a=b %41 %% \"quoted\" ;semi");
        s.write("F5", "st_t101", "\t>");
        s.write("F7", "T15", "\\");
        s.write("F7", "Visible", "True");
        s.write("F2", "b6", QString());
        s.write("F2", "b7", "@Variant(x)");
        s.write("F2", "j17", "〜−¥");   // CP932 look-alikes that do not come back
        s.write("rireki", "1", withEmoji ? "/home/u/写真😀/a.txt" : "/home/u/写真/a.txt");
        s.write("okiniiri", "key with spaces", "ﾊﾝｶｸ");
        s.write("okiniiri", " k=;#%41[x] ", "v");
        for (int i = 0; i < 400; ++i)   // far more than 255 lines
            s.write("M2", QStringLiteral("k%1").arg(i), QString::number(i));
    }
};

}  // namespace

TEST_F(SettingsExportTest, ExportThenImportGivesBackEverySectionExactly)
{
    for (const bool emoji : {false, true}) {
        SCOPED_TRACE(emoji ? "with emoji" : "CP932");
        SettingsStore source(dir.filePath(emoji ? "src1/petari.ini" : "src2/petari.ini"));
        fill(source, emoji);
        const QString file = dir.filePath(emoji ? "e1.txt" : "e2.txt");
        ASSERT_TRUE(exportSettingsTo(source, prompt, file));

        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        // 〜 forces UTF-8 as much as the emoji does: CP932 would turn it into ～.
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_TRUE(bytes.contains("\r\npetari,F7,T15,\\\r\n"));
        EXPECT_TRUE(bytes.endsWith("\r\n"));

        SettingsStore target(dir.filePath(emoji ? "dst1/petari.ini" : "dst2/petari.ini"));
        target.write("A1", "No", "3");   // not a section of the export: gone afterwards
        EXPECT_EQ(importSettingsFrom(target, prompt, file), SettingsImport::Replaced);
        EXPECT_EQ(contents(target), contents(source));
        EXPECT_EQ(target.section("M2").size(), 402);
        EXPECT_EQ(target.read("F7", "レジストリ保存"), "7");
        EXPECT_FALSE(target.contains("A1", "No"));
        SettingsStore reopened(target.path());
        EXPECT_EQ(contents(reopened), contents(source));
    }
    EXPECT_TRUE(sink.labels.isEmpty());
}

TEST_F(SettingsExportTest, PlainTextStaysInCodePage932)
{
    store->write("F5", "exe2", "メモ帳");
    const QString file = dir.filePath("plain.txt");
    ASSERT_TRUE(exportSettingsTo(*store, prompt, file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\x83\x8C\x83\x57\x83\x58\x83\x67\x83\x8A\x82\xCC\x95\xDB\x91\xB6\x81\x79 "));
    EXPECT_TRUE(bytes.contains("\r\npetari,F5,exe2,\x83\x81\x83\x82\x92\xA0\r\n"));
    // Every section is marked with its number.
    EXPECT_TRUE(bytes.contains("\r\npetari,F1,\x83\x8C\x83\x57\x83\x58\x83\x67\x83\x8A\x95\xDB\x91\xB6,1\r\n"));
    EXPECT_TRUE(bytes.contains("\r\npetari,ver,\x83\x8C\x83\x57\x83\x58\x83\x67\x83\x8A\x95\xDB\x91\xB6,11\r\n"));
}

TEST_F(SettingsExportTest, HeaderAndDefaultFileName)
{
    const QDateTime at(QDate(2024, 1, 5), QTime(9, 30, 5));
    EXPECT_EQ(exportHeaderLine(at), QStringLiteral("レジストリの保存【 ペタリ.exe  Ver 2.40.167  2024/ 1/ 5 09:30:05 】"));
    EXPECT_EQ(defaultExportPath("/opt/petari", at), QStringLiteral("/opt/petari/レジストリ保存20240105_093005.txt"));
}

TEST_F(SettingsExportTest, LinesAreTakenOnlyWhenTheyAreSettingsOfThisProgram)
{
    struct Case {
        const char* line;
        const char* section;   // nullptr: ignored
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"petari,F1,top,105", "F1", "top", "105"},
        {"petari,F7,T10,1", "F7", "T10", "1"},
        {"petari,F5,st_t100,a,b,,c", "F5", "st_t100", "a,b,,c"},
        {"petari,F5,exe2,", "F5", "exe2", ""},
        {"petari,F5,exe2,  =%20", "F5", "exe2", "  =%20"},
        {"petari,F1,,105", nullptr, nullptr, nullptr},
        {"petari,f1,top,105", nullptr, nullptr, nullptr},
        {"Petari,F1,top,105", nullptr, nullptr, nullptr},
        {"otherapp,F1,top,105", nullptr, nullptr, nullptr},
        {"petari,A1,No,1", nullptr, nullptr, nullptr},
        {"petari,F1,top", nullptr, nullptr, nullptr},
        {"petari,F1,a/b,1", nullptr, nullptr, nullptr},
        {"petari,F1,top,1\r0", nullptr, nullptr, nullptr},
        {"レジストリの保存【 ペタリ.exe  】", nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto r = parseExportLine(QString::fromUtf8(c.line));
        ASSERT_EQ(r.has_value(), c.section != nullptr);
        if (r)
            EXPECT_EQ(*r, (SettingsRecord{c.section, c.key, QString::fromUtf8(c.value)}));
    }
}

TEST_F(SettingsExportTest, AFileWithoutValidLinesShowsTheMessageAndChangesNothing)
{
    store->write("F5", "s1", "80");
    store->sync();
    QFile huge(dir.filePath("huge.txt"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write("petari,F1,top,1\r\n");
    ASSERT_TRUE(huge.resize(100 * 1024 * 1024));   // sparse: costs no disk
    huge.close();
    const QString files[] = {
        writeFile("other.txt", "レジストリの保存【 other 】\r\nother,F1,top,1\r\npetari,f1,top,1\r\n"
                               "petari,F1,,1\r\n"),
        writeFile("empty.txt", ""),
        writeFile("binary.bin", QByteArray("\x00\x81\xFF\r\n\x80petari\x00,F1,top\n", 20)),
        writeFile("broken.txt", "petari,F5,exe2,\x81\r\n"),   // a lead byte without its trail
    };
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const size_t asked = prompt.asked().size();
        EXPECT_EQ(importSettingsFrom(*store, prompt, file), SettingsImport::NothingValid);
        ASSERT_EQ(prompt.asked().size(), asked + 1);
        const auto& m = prompt.asked().back();
        EXPECT_EQ(m.kind, ScriptedPrompt::Asked::Message);
        EXPECT_EQ(m.icon, Icon::Critical);
        EXPECT_EQ(m.title, QStringLiteral("ペタリ"));
        EXPECT_EQ(m.text, QStringLiteral("　このファイルには「ペタリ」に有効なレジストリの情報がありませんでした。"));
        EXPECT_EQ(store->read("F5", "s1"), "80");
    }
    // A file too large to be an export is told so, not read.
    EXPECT_EQ(importSettingsFrom(*store, prompt, huge.fileName()), SettingsImport::TooLarge);
    EXPECT_EQ(prompt.asked().back().text,
              QStringLiteral("このファイルは大きすぎるため読み込みません（16 MiB まで）。\r\n") + huge.fileName());
    EXPECT_EQ(store->read("F5", "s1"), "80");
    EXPECT_TRUE(sink.labels.isEmpty());
}

TEST_F(SettingsExportTest, AnImportThatCannotWriteKeepsTheOldSettings)
{
    store->write("F5", "s1", "80");
    store->sync();
    const QString file = writeFile("good.txt", "petari,F5,s1,40\r\npetari,F1,top,7\r\n");
    // Something that is not a file stands where the new store is written.
    ASSERT_TRUE(QDir().mkpath(store->path() + ".import/x"));
    EXPECT_EQ(importSettingsFrom(*store, prompt, file), SettingsImport::Failed);
    EXPECT_EQ(sink.labels, QStringList{"M2 regisuto1Y"});
    EXPECT_EQ(store->read("F5", "s1"), "80");
    EXPECT_FALSE(store->contains("F1", "top"));
    EXPECT_EQ(SettingsStore(store->path()).read("F5", "s1"), "80");

    // A file that cannot be read changes nothing either.
    EXPECT_EQ(importSettingsFrom(*store, prompt, dir.filePath("missing.txt")), SettingsImport::Failed);
    EXPECT_EQ(importSettingsFrom(*store, prompt, dir.path()), SettingsImport::Failed);
    EXPECT_EQ(store->read("F5", "s1"), "80");
}

TEST_F(SettingsExportTest, ValuesWithLineBreaksAreLeftOutAndNamed)
{
    store->write("ver", "167", "一行目\r\n二行目");
    store->write("ver", "167a", "お知らせ");
    const QString file = dir.filePath("breaks.txt");
    ASSERT_TRUE(exportSettingsTo(*store, prompt, file));
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].icon, Icon::Exclamation);
    EXPECT_TRUE(prompt.asked()[0].text.endsWith("\r\nver,167"));

    const QList<SettingsRecord> read = readSettingsExport(file);
    EXPECT_TRUE(read.contains(SettingsRecord{"ver", "167a", "お知らせ"}));
    for (const SettingsRecord& r : read)
        EXPECT_NE(r.key, "167");
}

TEST_F(SettingsExportTest, TheMenuCommandsAskForTheFile)
{
    const QString existing = writeFile("old.txt", "old");
    bool stored = false;
    prompt.pushFileName(existing);
    prompt.pushAnswer(Answer::No);       // do not overwrite: asked again
    prompt.pushFileName(existing);
    prompt.pushAnswer(Answer::Yes);
    EXPECT_TRUE(exportSettings(*store, prompt, "/opt/petari", [&] {
        stored = true;
        store->write("F1", "Width", "7000");
    }));
    EXPECT_TRUE(stored);
    EXPECT_TRUE(prompt.asked()[0].suggested.startsWith("/opt/petari/レジストリ保存"));
    EXPECT_EQ(prompt.asked()[1].text, existing + "\r\nは既に存在します。\r\n\r\nこのファイルに、上書き保存しますか。");
    EXPECT_EQ(prompt.asked()[1].defaultButton, Answer::No);
    EXPECT_TRUE(readSettingsExport(existing).contains(SettingsRecord{"F1", "Width", "7000"}));

    prompt.pushFileName(QString());
    EXPECT_FALSE(exportSettings(*store, prompt, "/opt/petari"));
    prompt.pushFileName(QString());
    EXPECT_EQ(importSettings(*store, prompt), SettingsImport::Cancelled);
    prompt.pushFileName(existing);
    EXPECT_EQ(importSettings(*store, prompt), SettingsImport::Replaced);
    EXPECT_EQ(store->read("F1", "Width"), "7000");
}

TEST_F(SettingsExportTest, EverySectionInItsPlaceAndNumber)
{
    const QString file = dir.filePath("marks.txt");
    ASSERT_TRUE(exportSettingsTo(*store, prompt, file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 13);   // the header, eleven sections, nothing after the last CR LF
    EXPECT_TRUE(lines.takeLast().isEmpty());
    lines.removeFirst();
    const QByteArray mark("\x83\x8C\x83\x57\x83\x58\x83\x67\x83\x8A\x95\xDB\x91\xB6");
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(lines[i], "petari," + QByteArray(kSections[i]) + "," + mark + "," + QByteArray::number(i + 1) + "\r")
            << kSections[i];
    EXPECT_EQ(exportedSections().size(), 11);
}

TEST_F(SettingsExportTest, KeysThatCannotStandOnALineAreRefusedOrLeftOut)
{
    struct Case {
        const char* line;
        bool taken;
    };
    const Case cases[] = {
        {"petari,F1,a\\b,1", false}, {"petari,F1,a/b,1", false},  {"petari,F1,ab,1", true},
        {"petari,,top,1", false},     {"petari,F8,top,1", false},  {"petari,ver,top,1", true},
        {"petari,F1,top,1\n", false}, {"petari,F1,top,\r", false}, {",F1,top,1", false},
        {"petari ,F1,top,1", false},  {"petari,F1 ,top,1", false}, {"petari,rireki,1,/a\\b.txt", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseExportLine(QString::fromUtf8(c.line)).has_value(), c.taken) << c.line;

    store->write("F5", "a,b", "1");
    store->write("F5", "x\ry", "2");
    store->write("F5", "plain", "3");
    store->write("F6", "v", "p\nq");
    const QString file = dir.filePath("left-out.txt");
    ASSERT_TRUE(exportSettingsTo(*store, prompt, file));
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, QStringLiteral("次の設定は改行などを含むため、ファイルに保存できませんでした。\r\n"
                                                     "\r\nF5,a,b\r\nF5,x y\r\nF6,v"));
    EXPECT_EQ(prompt.asked()[0].title, QStringLiteral("ペタリ"));
    const QList<SettingsRecord> back = readSettingsExport(file);
    EXPECT_TRUE(back.contains(SettingsRecord{"F5", "plain", "3"}));
    EXPECT_EQ(back.size(), 12);
}

TEST_F(SettingsExportTest, TheSizeCapOfAFileThatIsRead)
{
    for (const qint64 size : {kMaxImportBytes, kMaxImportBytes + 1}) {
        QByteArray bytes("petari,F1,top,1\npetari,F1,a,2\r\n");
        bytes.append(QByteArray(size - bytes.size() - 1, ' ')).append("\n");
        const QString file = writeFile(QStringLiteral("size%1.txt").arg(size), bytes);
        ASSERT_EQ(QFileInfo(file).size(), size);
        const QList<SettingsRecord> records = readSettingsExport(file);
        if (size == 16 * 1024 * 1024)
            EXPECT_EQ(records, (QList<SettingsRecord>{{"F1", "top", "1"}, {"F1", "a", "2"}}));
        else
            EXPECT_TRUE(records.isEmpty());
    }
    EXPECT_EQ(kMaxImportBytes, 16777216);
    EXPECT_EQ(test::failureNumber([&] { readSettingsExport(dir.filePath("missing.txt")); }), 53);
    EXPECT_EQ(test::failureNumber([&] { readSettingsExport(dir.path()); }), 75);
    // An empty first line is a line; the last line needs no line end.
    EXPECT_EQ(readSettingsExport(writeFile("end.txt", "\nx\r\npetari,F1,top,7")),
              (QList<SettingsRecord>{{"F1", "top", "7"}}));
}
