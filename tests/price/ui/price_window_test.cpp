#include "support/Fixture.h"

#include "editing/Document.h"
#include "editing/UndoChain.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "price/ui/PriceWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace petari {
namespace {

struct PriceWindowTest : ::testing::Test, test::DocumentFixture {
    void SetUp() override { doc->takeStartupSnapshot(); }

    template <class T>
    static T* control(QWidget& form, const char* name) { return test::child<T>(form, name); }
    static void type(QWidget& form, const char* box, const QString& text)
    {
        QLineEdit* edit = QString::fromLatin1(box) == QLatin1String("Combo1")
                              ? control<QComboBox>(form, box)->lineEdit()
                              : control<QLineEdit>(form, box);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    static void press(QWidget& form, const char* button)
    {
        QTest::mouseClick(control<QAbstractButton>(form, button), Qt::LeftButton);
    }
};

TEST_F(PriceWindowTest, FillsTheListKeepsTheHistoryAndCommitsOnClose)
{
    doc->setAlwaysOnTop(true);
    const QString startCaption = doc->undo().undoCaption();
    auto form = std::make_unique<PriceWindow>(*doc, prompt);
    form->show();
    EXPECT_FALSE(doc->view().placedOnTop());
    EXPECT_EQ(control<QLineEdit>(*form, "Text1_4")->text(), "10");
    EXPECT_EQ(control<QLineEdit>(*form, "Text1_5")->text(), QStringLiteral("\u00A5"));

    type(*form, "Combo1", "100.0");
    type(*form, "Text1_4", "5");
    type(*form, "Text1_3", "0");
    press(*form, "Check1_3");
    press(*form, "Command2_0");

    const QStringList lines = doc->lines().toStringList();
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[2], QStringLiteral("  \u00A5315- '' @100× 3個 ×1.05=  315"));
    EXPECT_EQ(control<QLineEdit>(*form, "Text1_3")->text(), "1");
    EXPECT_EQ(form->history(), QStringList{"100"});
    EXPECT_EQ(control<QComboBox>(*form, "Combo1")->currentText(), "100");
    EXPECT_EQ(settings->read("F5", "s9"), "1");
    EXPECT_EQ(settings->read("F5", "st_t100"), "''");
    EXPECT_EQ(settings->read("F7", "T14"), "5");
    EXPECT_EQ(settings->read("F7", "C0"), "100");

    // A second price goes on top; one too long is refused and changes nothing.
    type(*form, "Combo1", "200");
    press(*form, "Command2_0");
    EXPECT_EQ(form->history(), (QStringList{"200", "100"}));
    type(*form, "Combo1", "1234567890123456");
    press(*form, "Command2_0");
    ASSERT_FALSE(prompt.asked().empty());
    EXPECT_TRUE(prompt.asked().back().text.contains(QStringLiteral("15桁")));
    EXPECT_EQ(doc->lines().line(0), QStringLiteral("  \u00A5210- '' @200× 1個 ×1.05=  210"));
    EXPECT_EQ(form->calculationCount(), 2);

    // At most one padding position.
    press(*form, "Check1_1");
    EXPECT_FALSE(control<QCheckBox>(*form, "Check1_2")->isChecked());

    EXPECT_EQ(doc->undo().undoCaption(), startCaption);
    press(*form, "Command2_1");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(doc->undo().undoCaption(), QStringLiteral("戻す　(　価格　)　1"));
    EXPECT_EQ(doc->state().modified, 1);
    EXPECT_TRUE(doc->view().placedOnTop());

    // The next opening shows what the last calculation used.
    form = std::make_unique<PriceWindow>(*doc, prompt);
    EXPECT_EQ(form->history(), (QStringList{"200", "100"}));
    EXPECT_EQ(control<QComboBox>(*form, "Combo1")->currentText(), "200");
    EXPECT_EQ(control<QLineEdit>(*form, "Text1_4")->text(), "5");
    EXPECT_TRUE(control<QCheckBox>(*form, "Check1_2")->isChecked());
    press(*form, "Command1");
    EXPECT_TRUE(form->history().isEmpty());
    EXPECT_EQ(control<QComboBox>(*form, "Combo1")->currentText(), "200");
    // Closed without a calculation: nothing is committed.
    form->close();
    EXPECT_EQ(doc->undo().undoCaption(), QStringLiteral("戻す　(　価格　)　1"));
}

}  // namespace
TEST_F(PriceWindowTest, TheTwoAlignmentBoxesAreNamedWithTheNoteBesideEach)
{
    PriceWindow form(*doc, prompt);
    for (const auto& [name, heard] :
         {std::pair{"Check1_1", "小数点を揃える。数字の前に半角スペースが入ります。"},
          {"Check1_2", "小数点を揃える。「前に付ける文字」の前に半角のスペースが入ります。"}}) {
        EXPECT_EQ(control<QCheckBox>(form, name)->text(), QStringLiteral("小数点を揃える。")) << name;
        EXPECT_EQ(control<QCheckBox>(form, name)->accessibleName(), QString::fromUtf8(heard)) << name;
    }
}

}  // namespace petari
