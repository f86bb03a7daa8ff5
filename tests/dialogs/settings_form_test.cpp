#include "dialogs/SettingsForm.h"
#include "platform/Failure.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace petari;

namespace {

struct SettingsFormTest : ::testing::Test {
    QTemporaryDir dir;
    SettingsStore store{dir.filePath("petari.ini")};
    ScriptedPrompt prompt;
    SettingsForm form;
    void SetUp() override { form.load(store, dir.path()); }
};

// Boxes as a string of seven 0/1, "[a]" first.
std::array<bool, 7> boxes(const char* s)
{
    std::array<bool, 7> b{};
    for (int i = 0; i < 7; ++i)
        b[i] = s[i] == '1';
    return b;
}

}  // namespace

TEST_F(SettingsFormTest, ConversionBoxesClearWhatContradictsThePressedOne)
{
    struct Case {
        const char* before;
        int pressed;
        const char* after;
    };
    const Case cases[] = {
        {"1000000", 1, "0100000"},   // [A] clears [a]
        {"0110000", 0, "1000000"},   // [a] clears [A] and [Abc]
        {"1100000", 2, "0010000"},   // [Abc] clears [a] and [A]
        {"0000100", 3, "0001000"},   // [全] clears [半]
        {"0001001", 4, "0000100"},   // [半] clears [全] and [あ]
        {"0000101", 5, "0000110"},   // [カ] clears [あ], leaves [半]
        {"0000110", 6, "0000001"},   // [あ] clears [半] and [カ]
        {"1001010", 3, "1000010"},   // unchecking [全] by pressing it again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " press " + std::to_string(c.pressed));
        form.values.conversions = boxes(c.before);
        const bool was = form.values.conversions[c.pressed];
        form.conversionPressed(c.pressed);
        form.setConversion(c.pressed, !was);
        EXPECT_EQ(form.values.conversions, boxes(c.after));
    }
}

TEST_F(SettingsFormTest, MonitorBoxesExcludeEachOtherAndAnyBoxGoingOffStopsTheMonitor)
{
    struct Case {
        std::array<bool, 3> before;
        int box;
        bool on;
        std::array<bool, 3> after;
        bool stop;
    };
    const Case cases[] = {
        {{false, false, false}, 1, true, {false, true, false}, false},
        {{true, false, false}, 2, true, {false, false, true}, true},
        {{false, true, false}, 1, false, {false, false, false}, true},
    };
    for (const Case& c : cases) {
        form.values.monitor = c.before;
        EXPECT_EQ(form.setMonitor(c.box, c.on), c.stop);
        EXPECT_EQ(form.values.monitor, c.after);
    }
}

TEST_F(SettingsFormTest, DependenciesAndClearingAllChecks)
{
    EXPECT_FALSE(form.lineLengthEnabled());
    EXPECT_FALSE(form.annotationEnabled());
    EXPECT_FALSE(form.chooseStartupFileEnabled());
    EXPECT_TRUE(form.updateEnabled());
    form.values.breakLongLines = form.values.annotationOn = form.values.openAtStartup = true;
    form.values.alwaysOnTop = true;
    EXPECT_TRUE(form.lineLengthEnabled());
    EXPECT_TRUE(form.annotationEnabled());
    EXPECT_TRUE(form.chooseStartupFileEnabled());
    EXPECT_FALSE(form.updateEnabled());

    form.values.conversions = boxes("1001010");
    form.values.trimLeading = form.values.trimTrailing = form.values.breakSingleLine = true;
    form.values.monitor = {true, false, false};
    form.clearAllChecks();
    EXPECT_EQ(form.values.conversions, boxes("0000000"));
    EXPECT_FALSE(form.values.trimLeading || form.values.trimTrailing || form.values.breakSingleLine);
    EXPECT_FALSE(form.annotationEnabled());
    // Not a conversion: the monitor, the line breaking and the start-up stay.
    EXPECT_TRUE(form.values.monitor[0]);
    EXPECT_TRUE(form.lineLengthEnabled());
    EXPECT_TRUE(form.changed());
}

TEST_F(SettingsFormTest, LineLengthIsASixteenBitWholeNumber)
{
    struct Case {
        const char* typed;
        const char* saved;   // nullptr: overflow, the text goes back
    };
    const Case cases[] = {
        {"100.5", "100"}, {"101.5", "102"}, {"40", "40"},      {"abc", "0"},
        {"-32768", "-32768"}, {"32767", "32767"}, {"40000", nullptr}, {"32767.5", nullptr},
        {"1e9", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        form.values.lineLength = QStringLiteral("80");
        form.lineLengthFocused();
        if (!c.saved) {
            try {
                form.lineLengthEdited(QString::fromLatin1(c.typed));
                ADD_FAILURE() << "no overflow";
            } catch (const Failure& f) {
                EXPECT_EQ(f.number(), err::Overflow);
            }
            EXPECT_EQ(form.values.lineLength, QStringLiteral("80"));
            continue;
        }
        form.lineLengthEdited(QString::fromLatin1(c.typed));
        form.save(store);
        EXPECT_EQ(store.read("F5", "s1"), QString::fromLatin1(c.saved));
    }
}

TEST_F(SettingsFormTest, CloseBoxAsksOnlyAfterAChange)
{
    EXPECT_TRUE(form.confirmCloseBox(prompt));
    EXPECT_TRUE(prompt.asked().empty());

    form.markChanged();
    prompt.pushAnswer(Answer::No);
    EXPECT_FALSE(form.confirmCloseBox(prompt));
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, QStringLiteral("設定の変更を更新せずに閉じますか？"));
    EXPECT_EQ(prompt.asked()[0].title, QStringLiteral("ペタリ"));
    EXPECT_EQ(prompt.asked()[0].icon, Icon::Question);
    prompt.pushAnswer(Answer::Yes);
    EXPECT_TRUE(form.confirmCloseBox(prompt));

    form.saveAndKeepOpen(store);   // "更新"
    EXPECT_TRUE(form.confirmCloseBox(prompt));
    EXPECT_EQ(prompt.asked().size(), 2u);
}

TEST_F(SettingsFormTest, EveryKeyLoadsWithItsDefaultAndSavesBack)
{
    const SettingsFormValues& v = form.values;
    EXPECT_EQ(v.lineLength, QStringLiteral("100"));
    EXPECT_EQ(v.startupFile, dir.path() + QStringLiteral("/ペタリ_はじめに読んでください.txt"));
    EXPECT_TRUE(v.keepBackups);
    EXPECT_EQ(v.annotation, QStringLiteral("''"));
    EXPECT_EQ(v.splitText, QStringLiteral(">"));
    EXPECT_EQ(v.editorPath, QStringLiteral("xdg-open"));
    EXPECT_EQ(v.editorName, QStringLiteral("テキストエディタ"));
    EXPECT_FALSE(form.changed());

    form.values.annotation = QStringLiteral("\u3000");
    EXPECT_EQ(form.annotationShown(), QStringLiteral("[全S]"));
    form.values.monitor = {false, false, true};
    form.values.conversions = boxes("0100100");
    form.save(store);
    const char* expected[][2] = {
        {"s1", "100"},  {"s2", "0"},      {"s4", "0"},        {"s5", "0"},   {"s6", "0"},
        {"s7", "1"},    {"s8", "0"},      {"s9", "0"},        {"st_t100", "\u3000"},
        {"st_t101", ">"}, {"exe1", "xdg-open"}, {"20", "0"}, {"21", "0"}, {"22", "1"},
        {"st_c10", "0"}, {"0", "0"}, {"1", "1"}, {"2", "0"}, {"3", "0"}, {"4", "1"}, {"5", "0"},
        {"6", "0"},     {"st_c30", "0"},  {"st_c31", "0"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(store.read("F5", key), QString::fromUtf8(value)) << key;

    // A second window reads back exactly what was saved.
    SettingsForm again;
    again.load(store, dir.path());
    EXPECT_EQ(again.values.monitor, form.values.monitor);
    EXPECT_EQ(again.values.conversions, form.values.conversions);
    EXPECT_EQ(again.values.annotation, form.values.annotation);
}

TEST_F(SettingsFormTest, TheEditorIsAnExecutableFileNamedByItsFileName)
{
    const QString tool = dir.filePath("bin/my-editor");
    QDir().mkpath(dir.filePath("bin"));
    QFile f(tool);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    const QString text = dir.filePath("notes.txt");
    QFile(tool).copy(text);
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);

    prompt.pushFileName(text);   // not executable: refused with a message
    EXPECT_FALSE(form.chooseEditor(prompt));
    EXPECT_EQ(form.values.editorPath, QStringLiteral("xdg-open"));
    EXPECT_EQ(prompt.asked().back().kind, ScriptedPrompt::Asked::Message);

    prompt.pushFileName(QString());   // cancelled
    EXPECT_FALSE(form.chooseEditor(prompt));
    EXPECT_FALSE(form.changed());

    prompt.pushFileName(tool);
    EXPECT_TRUE(form.chooseEditor(prompt));
    EXPECT_EQ(form.values.editorPath, tool);
    EXPECT_EQ(form.values.editorName, QStringLiteral("my-editor"));
    EXPECT_EQ(prompt.asked().back().filters, QStringLiteral("All Files (*.*)|*.*"));
    EXPECT_TRUE(form.changed());
}
