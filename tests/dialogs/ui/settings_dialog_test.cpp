#include "dialogs/ui/SettingsDialog.h"
#include "support/Fixture.h"

#include "copy/CopyEngine.h"
#include "editing/Document.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;

namespace {


struct SettingsDialogTest : ::testing::Test, test::DocumentFixture {
    template <class T = QCheckBox>
    static T* find(SettingsDialog& f, const char* name) { return test::child<T>(f, name); }
    // On the box itself: a check box stretched by its layout takes no click
    // beyond its caption.
    static void click(SettingsDialog& f, const char* name)
    {
        QAbstractButton* b = find<QAbstractButton>(f, name);
        const QPoint at = qobject_cast<QCheckBox*>(b) ? QPoint(8, b->height() / 2) : b->rect().center();
        QTest::mouseClick(b, Qt::LeftButton, {}, at);
    }
};

}  // namespace

TEST_F(SettingsDialogTest, TickedConversionsApplyToTheNextCopy)
{
    SettingsDialog f(*doc, prompt);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QApplication::setActiveWindow(&f);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("設定"));
    EXPECT_EQ(find<QGroupBox>(f, "Frame1_3")->title(), QStringLiteral("クリップボードの内容を入力場所に"));
    EXPECT_EQ(find(f, "Check2_3")->text(), QStringLiteral("[全]　半角を全角にする。"));
    EXPECT_EQ(find<QLineEdit>(f, "Text10_0")->text(), QStringLiteral("''"));
    EXPECT_FALSE(find<QLineEdit>(f, "Text10_0")->isEnabled());

    click(f, "Check2_0");   // [a], then [A] takes its place
    click(f, "Check2_1");
    click(f, "Check2_3");
    EXPECT_FALSE(find(f, "Check2_0")->isChecked());
    EXPECT_TRUE(find(f, "Check2_1")->isChecked());
    EXPECT_TRUE(find(f, "Check2_3")->isChecked());

    // Typing a line length too large for the box is reported and undone.
    QLineEdit* length = find<QLineEdit>(f, "Text5");
    click(f, "Check9_3");
    ASSERT_TRUE(length->isEnabled());
    length->setFocus();
    length->selectAll();
    QTest::keyClicks(length, "40000");
    EXPECT_EQ(length->text(), QStringLiteral("100"));   // as it was when the box got the focus
    ASSERT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(sink.got[0].label, QStringLiteral("F5 Text5_Change"));
    EXPECT_EQ(sink.got[0].number, 6);

    // Always on top disables "更新"; clearing a monitor box stops the monitor now.
    click(f, "Check7");
    EXPECT_FALSE(find<QPushButton>(f, "Command2_2")->isEnabled());
    click(f, "Check7");
    QSignalSpy stopped(&f, &SettingsDialog::monitorModeChanged);
    click(f, "Check10_0");
    click(f, "Check10_1");
    EXPECT_FALSE(find(f, "Check10_0")->isChecked());
    ASSERT_EQ(stopped.size(), 1);
    EXPECT_EQ(stopped[0][0].toInt(), 0);

    // The close box after a change asks first; No keeps the dialog open.
    prompt.pushAnswer(Answer::No);
    f.close();
    EXPECT_TRUE(f.isVisible());
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, QStringLiteral("設定の変更を更新せずに閉じますか？"));

    click(f, "Command2_0");   // ＯＫ
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(settings->read("F5", "s1"), QStringLiteral("100"));
    EXPECT_EQ(settings->read("F5", "21"), QStringLiteral("1"));

    const CopyOptions saved = CopyOptions::fromSettings(*settings);
    EXPECT_EQ(buildCopyText({QStringLiteral("abc 1")}, true, LineNone, LetterNone, saved),
              QStringLiteral("ＡＢＣ　１"));
    // What the main window's next start reads is on disk already.
    EXPECT_EQ(SettingsStore().read("F5", "3"), QStringLiteral("1"));
}

// The space bar and a screen reader's action change a box without a click:
// the boxes act on their state, so the exclusions and what ＯＫ stores follow.
TEST_F(SettingsDialogTest, BoxesActOnTheirStateWhateverChangesIt)
{
    SettingsDialog f(*doc, prompt);
    f.show();
    find(f, "Check2_3")->toggle();   // [全]
    find(f, "Check2_4")->toggle();   // [半] takes its place
    EXPECT_FALSE(find(f, "Check2_3")->isChecked());
    find(f, "Check10_0")->setChecked(true);
    QSignalSpy stopped(&f, &SettingsDialog::monitorModeChanged);
    find(f, "Check10_1")->toggle();
    EXPECT_FALSE(find(f, "Check10_0")->isChecked());
    EXPECT_EQ(stopped.size(), 1);
    find<QPushButton>(f, "Command2_0")->click();   // ＯＫ
    EXPECT_EQ(settings->read("F5", "3"), QStringLiteral("0"));
    EXPECT_EQ(settings->read("F5", "4"), QStringLiteral("1"));
    EXPECT_EQ(settings->read("F5", "21"), QStringLiteral("1"));
}
