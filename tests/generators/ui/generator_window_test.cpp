#include "support/Fixture.h"

#include "editing/Document.h"
#include "editing/Favourites.h"
#include "editing/UndoChain.h"
#include "generators/NumberBoxes.h"
#include "generators/ui/GeneratorWindow.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {


struct GeneratorWindowTest : ::testing::Test, test::DocumentFixture {
    Favourites favourites;
    std::unique_ptr<GeneratorWindow> form;

    // A modified document of the given lines, named as if opened from a file.
    void document(const QStringList& lines)
    {
        doc->replaceLinesAsMade(lines);
        doc->commitEdit(dir.filePath(QStringLiteral("a.txt")), Commit::Modified, QStringLiteral("開く"), HexView::Keep);
    }

    GeneratorWindow& open(int page)
    {
        form = std::make_unique<GeneratorWindow>(*doc, prompt, favourites, page);
        form->show();
        QApplication::setActiveWindow(form.get());
        return *form;
    }

    template <class T = QWidget>
    T* find(const char* name) const { return test::child<T>(*form, name); }
    void type(const char* name, const QString& text) { find<QLineEdit>(name)->setText(text); }
    QString textOf(const char* name) { return find<QLineEdit>(name)->text(); }
    // Near the left edge: a check box or option button stretched by its
    // layout only takes clicks on its indicator and caption.
    void press(const char* name)
    {
        QAbstractButton* b = find<QAbstractButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    void focus(const char* name)
    {
        find<QWidget>(name)->setFocus();
        QCoreApplication::processEvents();
    }
    QString lastMessage() const
    {
        for (auto it = prompt.asked().rbegin(); it != prompt.asked().rend(); ++it)
            if (it->kind == ScriptedPrompt::Asked::Message)
                return it->text;
        return QString();
    }
    QString f2(const char* key) const { return settings->read(QStringLiteral("F2"), QString::fromLatin1(key)); }
};

const QString kLong40 = QStringLiteral("1234567890123456789012345678901234567890");

}  // namespace

TEST_F(GeneratorWindowTest, TemplatePage)
{
    document({"x", "y"});
    const int snapshots = doc->undo().undoPosition();
    open(GeneratorWindow::TemplatePage);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("雛形"));
    EXPECT_TRUE(find<QRadioButton>("Option1_0")->isChecked());
    EXPECT_EQ(textOf("Text2_1"), QStringLiteral("100"));
    EXPECT_EQ(textOf("Text4"), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(find<QComboBox>("Combo1")->currentText(), QStringLiteral("☆"));

    // Number boxes: step 0 becomes 1; what cannot be a number puts back the
    // text the box had.
    type("Text2_0", QStringLiteral("8"));
    type("Text2_1", QStringLiteral("12"));
    type("Text2_2", QStringLiteral("0"));
    EXPECT_EQ(textOf("Text2_2"), QStringLiteral("1"));
    type("Text2_3", kLong40);
    EXPECT_EQ(textOf("Text2_3"), QStringLiteral("3"));
    EXPECT_EQ(sink.labels(), QStringList{"F2 Text2_Change"});
    type("Text1_0", QStringLiteral(" x"));
    EXPECT_EQ(find<QLabel>("Label1_0")->text(), QStringLiteral("[半S]x"));
    type("Text1_0", QString());

    // Cancel at the unsaved-change question: nothing changes, the window stays.
    prompt.pushAnswer(Answer::Cancel);
    press("Command1_0");
    EXPECT_EQ(doc->lines().lines(), (QStringList{"x", "y"}));
    EXPECT_EQ(doc->state().fileName, dir.filePath(QStringLiteral("a.txt")));
    EXPECT_EQ(doc->state().modified, 1);
    EXPECT_EQ(doc->undo().undoPosition(), snapshots);
    EXPECT_TRUE(form->isVisible());

    // A request beyond a run is refused before the question.
    type("Text2_1", QStringLiteral("1e9"));
    prompt.clear();
    press("Command1_0");
    EXPECT_EQ(lastMessage(), tooManyLinesMessage());
    EXPECT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(doc->lines().count(), 2);

    type("Text2_1", QStringLiteral("１２"));   // full-width digits are digits
    prompt.pushAnswer(Answer::No);
    press("Command1_0");
    EXPECT_EQ(doc->lines().lines(), (QStringList{"008", "009", "010", "011", "012"}));
    EXPECT_EQ(doc->state().fileName, QString());
    EXPECT_EQ(doc->state().modified, 0);
    EXPECT_EQ(doc->undo().undoName(doc->undo().undoPosition()), QStringLiteral("　雛形　"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(f2("b3"), QStringLiteral("8"));
    EXPECT_EQ(f2("b4"), QStringLiteral("１２"));

    // The line-up, added before the selected line, goes into the history.
    doc->selection().select(1);
    open(GeneratorWindow::TemplatePage);
    EXPECT_EQ(textOf("Text2_0"), QStringLiteral("8"));
    press("Option1_5");
    EXPECT_TRUE(find<QWidget>("Frame1_5")->isVisibleTo(form.get()));
    EXPECT_FALSE(find<QWidget>("Frame1_0")->isVisibleTo(form.get()));
    find<QCheckBox>("Check8")->setChecked(true);
    find<QCheckBox>("Check3")->setChecked(false);
    find<QComboBox>("Combo1")->setEditText(QStringLiteral("a\tb"));
    EXPECT_EQ(find<QLabel>("Label9_4")->text(), QStringLiteral("a[Tab]b"));
    type("Text8_1", QStringLiteral("x"));
    EXPECT_EQ(textOf("Text8_1"), QStringLiteral("0"));
    type("Text8_1", QStringLiteral("2"));
    type("Text8_2", QStringLiteral("-5"));
    type("Text8_2", QStringLiteral("1"));
    press("Command1_0");
    EXPECT_EQ(doc->lines().lines(), (QStringList{"008", "a\tba\tb", "009", "010", "011", "012"}));
    EXPECT_EQ(f2("30"), QStringLiteral("a\tb"));
    EXPECT_EQ(f2("a1"), QStringLiteral("5"));
}

TEST_F(GeneratorWindowTest, RandomPage)
{
    document({"x"});
    open(GeneratorWindow::RandomPage);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("乱数"));
    EXPECT_TRUE(find<QCheckBox>("Check4_3")->isChecked());   // strings by default
    EXPECT_FALSE(find<QWidget>("Text3_0")->isEnabled());
    EXPECT_EQ(textOf("Text3_11"), QString());                // upper case all enabled
    press("Check4_4");
    EXPECT_FALSE(find<QCheckBox>("Check4_3")->isChecked());
    EXPECT_TRUE(find<QWidget>("Text3_0")->isEnabled());
    EXPECT_FALSE(find<QWidget>("Text3_3")->isEnabled());

    // The check's messages; nothing changes and nothing is asked.
    type("Text3_1", QStringLiteral("5"));
    press("Command2_0");
    EXPECT_EQ(lastMessage(), QStringLiteral(
        "'同じ数を出さない'ようにした場合、'個数'は'最大数－最少数＋１'より大きくてはダメです。"));
    type("Text3_1", QStringLiteral("2000000000"));
    type("Text3_2", QStringLiteral("1e9"));
    press("Command2_0");
    EXPECT_EQ(lastMessage(), tooManyLinesMessage());
    type("Text3_2", kLong40);
    press("Command2_0");
    EXPECT_EQ(sink.labels(), QStringList{"F2 RnsNKansi"});
    EXPECT_EQ(prompt.asked().size(), 2u);
    EXPECT_EQ(doc->lines().lines(), QStringList{"x"});
    EXPECT_EQ(form->randomRuns(), 0);

    type("Text3_1", QStringLiteral("43"));
    type("Text3_2", QStringLiteral("6"));
    find<QCheckBox>("Check4_1")->setChecked(true);
    prompt.pushAnswer(Answer::Cancel);
    press("Command2_0");
    EXPECT_EQ(doc->lines().lines(), QStringList{"x"});
    EXPECT_EQ(form->randomRuns(), 0);
    prompt.pushAnswer(Answer::No);
    press("Command2_0");
    ASSERT_EQ(doc->lines().count(), 6);
    for (int i = 1; i < 6; ++i)
        EXPECT_LT(doc->lines().line(i - 1).trimmed().toInt(), doc->lines().line(i).trimmed().toInt());
    EXPECT_TRUE(form->isVisible());

    // Strings of digits only, 6 to 8 long.
    press("Check4_3");
    find<QCheckBox>("Check4_6")->setChecked(false);
    find<QCheckBox>("Check4_7")->setChecked(false);
    press("Command2_0");   // the list is no longer marked changed: no question
    ASSERT_EQ(doc->lines().count(), 6);
    for (const QString& l : doc->lines().toStringList())
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]{6,8}$")).match(l).hasMatch()) << qPrintable(l);

    // Typing into an enabled set and leaving it normalises the pair.
    focus("Text3_7");
    type("Text3_7", QStringLiteral("ZYXa"));
    focus("Text3_2");
    EXPECT_EQ(textOf("Text3_7"), QStringLiteral("AXYZ"));
    EXPECT_EQ(textOf("Text3_11"), QStringLiteral("BCDEFGHIJKLMNOPQRSTUVW"));

    press("Command2_1");
    EXPECT_EQ(doc->state().fileName, QString());
    EXPECT_EQ(doc->state().modified, 1);
    EXPECT_EQ(doc->undo().undoName(doc->undo().undoPosition()), QStringLiteral("　乱数　"));
    EXPECT_EQ(f2("j16"), QStringLiteral("AXYZ"));
    EXPECT_EQ(f2("j9"), QStringLiteral("0"));
}

TEST_F(GeneratorWindowTest, CharacterAdditionPage)
{
    document({"a", "b", "c"});
    doc->selection().select(1);
    open(GeneratorWindow::CharacterPage);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("文字の追加"));
    EXPECT_FALSE(find<QWidget>("Text6_4")->isEnabled());
    press("Check6");
    EXPECT_TRUE(find<QWidget>("Text6_4")->isEnabled());
    EXPECT_EQ(find<QLabel>("Label3_3")->text(), QStringLiteral("001"));
    press("Check5_0");
    EXPECT_EQ(find<QLabel>("Label3_3")->text(), QStringLiteral("[半S][半S]1"));
    press("Check5_0");
    type("Text6_4", kLong40);
    EXPECT_EQ(textOf("Text6_4"), QStringLiteral("1"));
    EXPECT_EQ(sink.labels(), QStringList{"F2 Text6_Change"});

    type("Text6_0", QStringLiteral("No."));
    focus("Text6_1");
    press("Command5");
    EXPECT_EQ(textOf("Text6_1"), QStringLiteral("\t"));
    EXPECT_EQ(find<QLabel>("Label3_1")->text(), QStringLiteral("[Tab]"));
    press("Option5_1");
    press("Command4_0");
    EXPECT_EQ(doc->lines().lines(), (QStringList{"a", "No.001\tb", "c"}));
    EXPECT_TRUE(doc->lines().isSelected(1));
    EXPECT_EQ(doc->state().fileName, dir.filePath(QStringLiteral("a.txt")));
    EXPECT_EQ(doc->undo().undoName(doc->undo().undoPosition()), QStringLiteral("文字追加"));
    EXPECT_FALSE(form->isVisible());

    // All lines, numbered from the kept settings; a number past 32 bits is
    // refused and changes no line.
    open(GeneratorWindow::CharacterPage);
    EXPECT_TRUE(find<QRadioButton>("Option5_1")->isChecked());
    press("Option5_0");
    type("Text6_4", QStringLiteral("2147483647"));
    press("Command4_0");
    EXPECT_EQ(doc->lines().lines(), (QStringList{"a", "No.001\tb", "c"}));
    EXPECT_EQ(sink.labels().last(), QStringLiteral("F2 mojitui"));
    EXPECT_TRUE(form->isVisible());
    type("Text6_4", QStringLiteral("9"));
    press("Check5_1");
    press("Command4_0");
    EXPECT_EQ(doc->lines().lines(), (QStringList{"No.9\ta", "No.10\tNo.001\tb", "No.11\tc"}));
}

TEST_F(GeneratorWindowTest, EmptyLinePage)
{
    document({"a", "b", "c", "d", "e"});
    doc->selection().select(2);
    open(GeneratorWindow::EmptyLinePage);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("空行の追加"));
    EXPECT_TRUE(find<QLabel>("Label8_0")->text().startsWith(QStringLiteral("\n1行目\n\n2行目")));
    EXPECT_TRUE(find<QLabel>("Label8_1")->text().startsWith(QStringLiteral("←空白(1)\n\n←空白(1)")));
    press("Option2_1");
    for (const QString& bad : {QStringLiteral("300"), QStringLiteral("-5"), kLong40}) {
        type("Text7", bad);
        EXPECT_EQ(textOf("Text7"), QStringLiteral("1")) << qPrintable(bad);
    }
    EXPECT_EQ(sink.labels(), QStringList(3, QStringLiteral("F2 Text7_Change")));
    type("Text7", QStringLiteral("2"));
    EXPECT_TRUE(find<QLabel>("Label8_1")->text().startsWith(QStringLiteral("←空白\n\n\n←空白")));
    press("Command6_0");
    EXPECT_EQ(doc->lines().lines(), (QStringList{"", "a", "b", "", "c", "d", "", "e"}));
    EXPECT_EQ(doc->lines().selectedRows(), std::vector<int>{4});
    EXPECT_EQ(doc->undo().undoName(doc->undo().undoPosition()), QStringLiteral("空行追加"));
    EXPECT_EQ(f2("i1"), QStringLiteral("1"));

    open(GeneratorWindow::EmptyLinePage);
    press("Option2_0");
    type("Text7", QStringLiteral("0"));
    const int snapshots = doc->undo().undoPosition();
    press("Command6_0");
    EXPECT_EQ(doc->lines().count(), 8);
    EXPECT_EQ(doc->undo().undoPosition(), snapshots + 1);   // still recorded
}

TEST_F(GeneratorWindowTest, FavouritesPage)
{
    for (int k = 1; k <= 3; ++k)
        favourites.setSlot(k, QStringLiteral("/f/%1").arg(QChar('A' + k - 1)));
    doc->setAlwaysOnTop(true);
    open(GeneratorWindow::FavouritesPage);
    EXPECT_FALSE(doc->view().placedOnTop());   // lifted while open
    EXPECT_EQ(form->windowTitle(), QStringLiteral("お気に入りの編集"));
    auto* list = find<QListWidget>("List1");
    ASSERT_EQ(list->count(), 3);
    EXPECT_FALSE(find<QWidget>("Command7_2")->isEnabled());

    list->setCurrentRow(0);
    EXPECT_FALSE(find<QWidget>("Command7_3")->isEnabled());
    press("Command7_2");
    EXPECT_EQ(list->count(), 2);
    EXPECT_FALSE(find<QWidget>("Command7_2")->isEnabled());
    press("Command7_1");
    EXPECT_EQ(favourites.slot(1), QStringLiteral("/f/A"));
    EXPECT_EQ(favourites.slot(3), QStringLiteral("/f/C"));
    EXPECT_TRUE(doc->view().placedOnTop());

    open(GeneratorWindow::FavouritesPage);
    list = find<QListWidget>("List1");
    list->setCurrentRow(2);
    EXPECT_FALSE(find<QWidget>("Command7_4")->isEnabled());
    list->setCurrentRow(1);
    press("Command7_3");
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("/f/B"));
    press("Command7_4");
    press("Command7_4");
    EXPECT_EQ(list->currentRow(), 2);
    press("Command7_0");
    EXPECT_EQ(favourites.slot(1), QStringLiteral("/f/A"));
    EXPECT_EQ(favourites.slot(2), QStringLiteral("/f/C"));
    EXPECT_EQ(favourites.slot(3), QStringLiteral("/f/B"));
}

TEST_F(GeneratorWindowTest, BadNumbersNeverCrashNorChangeADocumentHalfway)
{
    struct Box {
        int page;
        const char* option;   // the template kind or mode the box belongs to
        const char* box;
        const char* action;
    };
    const Box boxes[] = {
        {0, "Option1_0", "Text2_0", "Command1_0"}, {0, "Option1_0", "Text2_1", "Command1_0"},
        {0, "Option1_0", "Text2_2", "Command1_0"}, {0, "Option1_0", "Text2_3", "Command1_0"},
        {0, "Option1_1", "Text4", "Command1_0"},   {0, "Option1_5", "Text8_1", "Command1_0"},
        {0, "Option1_5", "Text8_2", "Command1_0"}, {0, "Option1_6", "Text5", "Command1_0"},
        {1, "Check4_4", "Text3_0", "Command2_0"},  {1, "Check4_4", "Text3_1", "Command2_0"},
        {1, "Check4_4", "Text3_2", "Command2_0"},  {1, "Check4_3", "Text3_3", "Command2_0"},
        {1, "Check4_3", "Text3_4", "Command2_0"},  {2, "Check6", "Text6_3", "Command4_0"},
        {2, "Check6", "Text6_4", "Command4_0"},    {2, "Check6", "Text6_5", "Command4_0"},
        {3, "Option2_1", "Text7", "Command6_0"},
    };
    const QString inputs[] = {QString(), QStringLiteral("abc"), QStringLiteral("-5"), QStringLiteral("1e9"),
                              QStringLiteral("９"), kLong40};
    const QStringList original = {"a", "b", "c"};
    for (const Box& b : boxes) {
        for (const QString& input : inputs) {
            SCOPED_TRACE(std::string(b.box) + " " + input.toStdString());
            document(original);
            open(b.page);
            auto* option = find<QAbstractButton>(b.option);
            if (!option->isChecked())
                press(b.option);
            type(b.box, input);
            prompt.clear();
            prompt.pushAnswer(Answer::Cancel);
            press(b.action);
            const QStringList now = doc->lines().toStringList();
            if (b.page <= 1) {
                // Cancelled at the question, refused, or reported: as it was.
                EXPECT_EQ(now, original);
                EXPECT_EQ(doc->state().fileName, dir.filePath(QStringLiteral("a.txt")));
            } else if (b.page == 2 && now != original) {
                for (int i = 0; i < 3; ++i)
                    EXPECT_TRUE(now[i].endsWith(original[i]) && now[i] != original[i]);
            } else if (b.page == 3) {
                EXPECT_EQ(now.filter(QRegularExpression(QStringLiteral("."))), original);
            }
            form.reset();
        }
    }
}

TEST_F(GeneratorWindowTest, ButtonsActOnTheBoxThatHadTheFocusLast)
{
    document({"x"});
    // "修正" orders the set box last focused and gives its partner the rest;
    // after a number box it does nothing.
    open(GeneratorWindow::RandomPage);
    focus("Text3_4");
    press("Command2_2");
    EXPECT_EQ(textOf("Text3_4"), QStringLiteral("8"));
    focus("Text3_9");
    type("Text3_9", QStringLiteral("95"));
    press("Command2_2");
    EXPECT_EQ(textOf("Text3_9"), QStringLiteral("59"));
    EXPECT_EQ(textOf("Text3_5"), QStringLiteral("01234678"));

    // "[Tab]　の入力" writes into the last text box, never a number box.
    open(GeneratorWindow::CharacterPage);
    press("Check6");
    focus("Text6_3");
    press("Command5");
    EXPECT_EQ(textOf("Text6_3"), QStringLiteral("3"));
    focus("Text6_2");
    press("Command5");
    EXPECT_EQ(textOf("Text6_2"), QStringLiteral("\t"));
}

// A key or a screen reader's action changes an option button without a
// click: the example follows the mode's state.  (The template kinds are
// chosen through accessibility actions end to end.)
TEST_F(GeneratorWindowTest, TheEmptyLineExampleFollowsTheModesState)
{
    document({"a", "b"});
    open(GeneratorWindow::EmptyLinePage);
    type("Text7", QStringLiteral("2"));
    find<QRadioButton>("Option2_1")->setChecked(true);
    EXPECT_TRUE(find<QLabel>("Label8_1")->text().startsWith(QStringLiteral("←空白\n\n\n←空白")));
}
