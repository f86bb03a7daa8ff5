// The declared settings against a settings file and an export written by the
// program before the settings were declared in one place: every value reads
// back, and an export holds exactly the declared keys.

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/SettingsExport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

using namespace petari;
namespace s = petari::settings;

namespace {

const QString kData = QStringLiteral(PETARI_TEST_DATA "/settings/");

QString shown(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }
QString shown(int n) { return QString::number(n); }
QString shown(const QString& text) { return text; }

// What the file holds, through the declarations: one of each kind and of
// each family, with the values written in the file.
std::vector<std::pair<const char*, QString>> readBack(const SettingsStore& st)
{
    return {
        {"main window top", shown(st.get(s::mainWindowArea.top()))},
        {"main window width", shown(st.get(s::mainWindowArea.width()))},
        {"right-click menu", shown(st.get(s::rightClickMenu))},
        {"line length", shown(st.get(s::lineLength))},
        {"start-up file", shown(st.get(s::startupFile, QString()))},
        {"keep backups", shown(st.get(s::keepBackups))},
        {"editor name", shown(st.get(s::editorName))},
        {"monitor 21", shown(st.get(s::clipboardMonitor.at(1)))},
        {"conversion 3", shown(st.get(s::copyConversions.at(3)))},
        {"terminals", shown(st.get(s::terminalClasses, QString()))},
        {"template kana", shown(st.get(s::templateKana))},
        {"line-up 30", shown(st.get(s::templateLineUpHistory.at(0)))},
        {"set j13", shown(st.get(s::randomSetsUsed[3]))},
        {"characters j17", shown(st.get(s::randomSetCharacters.at(3)))},
        {"table height", shown(st.get(s::tableWindowArea.height()))},
        {"notice left", shown(st.get(s::noticeDialogArea.left()))},
        {"file name folder", shown(st.get(s::fileNameFolder))},
        {"price T16", shown(st.get(s::priceTexts.at(6), QString()))},
        {"price O11", shown(st.get(s::priceRoundings.at(1)))},
        {"price C1", shown(st.get(s::priceHistory.at(1)))},
        {"price menu", shown(st.get(s::priceMenuVisible))},
        {"next backup", shown(st.get(s::nextBackup))},
        {"history 2", shown(st.get(s::history.at(1)))},
        {"favourite 1", shown(st.get(s::favourites.at(0)))},
        {"notice 167b", shown(st.get(s::versionNoticeState.at(167)))},
    };
}

const char* const kExpected[] = {
    "1200", "9000", "2", "80", "/home/user/メモ.txt", "off", "マウスパッド", "on", "on", "xterm;kitty",
    "0", "あいう", "on", "!#$", "7000", "800", "/home/user/写真", "=", "on", "980", "on", "42",
    "/home/user/b.txt", "/home/user/fav.txt", "0",
};

void expectReadsBack(const SettingsStore& st)
{
    const auto got = readBack(st);
    ASSERT_EQ(got.size(), std::size(kExpected));
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i].second, QString::fromUtf8(kExpected[i])) << got[i].first;
}

struct SettingsSchemaTest : ::testing::Test {
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    QString copyOfPreviousFile()
    {
        const QString path = dir.filePath(QStringLiteral("petari.ini"));
        QFile::copy(kData + QStringLiteral("petari.ini"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
};

}  // namespace

TEST_F(SettingsSchemaTest, PreviousSettingsFileReadsBack)
{
    const SettingsStore st(copyOfPreviousFile());
    expectReadsBack(st);
}

TEST_F(SettingsSchemaTest, PreviousExportReadsBack)
{
    SettingsStore st(dir.filePath(QStringLiteral("imported/petari.ini")));
    ASSERT_EQ(importSettingsFrom(st, prompt, kData + QStringLiteral("exported-settings.txt")),
              SettingsImport::Replaced);
    expectReadsBack(st);
}

TEST_F(SettingsSchemaTest, ExportWritesExactlyTheDeclaredKeys)
{
    SettingsStore st(copyOfPreviousFile());
    const QString out = dir.filePath(QStringLiteral("export.txt"));
    ASSERT_TRUE(writeSettingsExport(st, out).isEmpty());
    std::set<std::pair<QString, QString>> written;
    for (const SettingsRecord& r : readSettingsExport(out))
        if (r.key != QStringLiteral("レジストリ保存"))
            written.insert({r.section, r.key});
    std::set<std::pair<QString, QString>> declared;
    for (const QString& section : exportedSections())
        for (const s::Place& p : s::declaredPlaces(section, 167))
            declared.insert({p.section, p.key});
    EXPECT_EQ(written, declared);
    EXPECT_EQ(declared.size(), 176u - 11u);
}

TEST_F(SettingsSchemaTest, EachKindReadsItsTextAndWritesItsForm)
{
    SettingsStore st(dir.filePath(QStringLiteral("kinds/petari.ini")));
    EXPECT_TRUE(st.get(s::keepBackups));   // absent: its default
    EXPECT_FALSE(st.get(s::priceMenuVisible));
    EXPECT_EQ(st.get(s::lineLength), 100);
    EXPECT_EQ(st.text(s::lineLength), QStringLiteral("100"));
    EXPECT_EQ(st.text(s::keepBackups), QStringLiteral("1"));
    const struct {
        const char* stored;
        bool flag;    // keepBackups
        bool truth;   // priceMenuVisible
    } onOff[] = {
        {"1", true, true}, {"1.0", true, true}, {"2", false, true}, {"0", false, false},
        {"True", false, true}, {" tRUE ", false, true}, {"False", false, false}, {"-1", false, true},
    };
    for (const auto& c : onOff) {
        st.write(QStringLiteral("F5"), QStringLiteral("s7"), QString::fromLatin1(c.stored));
        st.write(QStringLiteral("F7"), QStringLiteral("Visible"), QString::fromLatin1(c.stored));
        EXPECT_EQ(st.get(s::keepBackups), c.flag) << c.stored;
        EXPECT_EQ(st.get(s::priceMenuVisible), c.truth) << c.stored;
    }
    const struct {
        const char* stored;
        int menu;   // rightClickMenu, held to -1..5
    } wholes[] = {{"5", 5}, {"6", 5}, {"-1", -1}, {"-2", -1}, {"4.9", 4}};
    for (const auto& c : wholes) {
        st.write(QStringLiteral("F1"), QStringLiteral("rcrh0"), QString::fromLatin1(c.stored));
        EXPECT_EQ(st.get(s::rightClickMenu), c.menu) << c.stored;
    }
    st.set(s::keepBackups, false);
    st.set(s::priceMenuVisible, true);
    EXPECT_EQ(st.read(QStringLiteral("F5"), QStringLiteral("s7")), QStringLiteral("0"));
    EXPECT_EQ(st.read(QStringLiteral("F7"), QStringLiteral("Visible")), QStringLiteral("True"));
}

TEST(SettingsSchema, FamiliesNumberTheirKeys)
{
    EXPECT_EQ(s::priceTexts.at(6).place.key, QStringLiteral("T16"));
    EXPECT_EQ(s::priceHistory.at(0).place.key, QStringLiteral("C0"));
    EXPECT_EQ(s::clipboardMonitor.at(2).place.key, QStringLiteral("22"));
    EXPECT_EQ(s::history.at(10).place.key, QStringLiteral("11"));
    EXPECT_EQ(s::randomSetCharacters.at(0).place.key, QStringLiteral("j14"));
    EXPECT_EQ(s::versionNoticeState.at(167).place.key, QStringLiteral("167b"));
    EXPECT_EQ(s::versionNoticeTitle.at(167).place.key, QStringLiteral("167a"));
}
