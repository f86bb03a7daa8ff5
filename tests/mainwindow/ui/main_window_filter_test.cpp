// The 絞り込み box of the main window: Ctrl+F, typing, Down into the shown
// lines, Escape, the check boxes, F3, and the commands it turns off.

#include "support/Fixture.h"

#include "mainwindow/ListFilter.h"
#include "mainwindow/ui/FilterBar.h"
#include "mainwindow/ui/LineListView.h"
#include "mainwindow/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {

// Japanese comes through the input method: each character committed on its own.
void type(QWidget* box, const QString& text)
{
    for (const QChar c : text) {
        QInputMethodEvent e;
        e.setCommitString(QString(c));
        QApplication::sendEvent(box, &e);
    }
}

struct Window {
    Fixture f;
    InstanceRegistry registry{f.path("run")};
    std::unique_ptr<MainWindow> w;

    Window()
    {
        QByteArray text = "りんご\r\nバナナ\r\n青リンゴ\r\nみかん\r\n";
        for (int i = 0; i < 200; ++i)
            text += "行" + QByteArray::number(i) + "\r\n";
        w = std::make_unique<MainWindow>(*f.c);
        f.c->startUp({f.writeFile("fruit.txt", text)}, registry);
        w->show();
        QApplication::setActiveWindow(w.get());
        w->lineList()->setFocus();
        QCoreApplication::processEvents();
    }
    ~Window()
    {
        f.c->setForcedExit();
        w.reset();
    }
    QLineEdit* box() const { return w->filterBar()->box(); }
    QString status() const { return w->findChild<QLabel*>(QStringLiteral("statusLine"))->text(); }
    std::vector<int> shown() const
    {
        std::vector<int> rows;
        for (int i = 0; i < w->lineList()->shownCount(); ++i)
            rows.push_back(w->lineList()->realRow(i));
        return rows;
    }
};

}  // namespace

TEST(FilterBox, CtrlFTypingDownAndEscape)
{
    Window win;
    EXPECT_EQ(win.w->findChild<QAction*>("filterAction")->text(), "絞り込み(&F)");
    EXPECT_FALSE(win.w->filterBar()->isVisible());
    // The last line current, far below the first page.
    win.f.select({203});
    win.w->lineList()->scrollTo(win.f.c->lines().index(203));

    QTest::keyClick(win.w->lineList(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(win.w->filterBar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), win.box());
    EXPECT_EQ(win.box()->accessibleName(), "絞り込み");
    for (const char* name : {"filterWidth", "filterKana", "filterCase"})
        EXPECT_TRUE(win.w->findChild<QCheckBox*>(QString::fromLatin1(name))->isChecked()) << name;
    // The bar takes the top of the list's place.
    EXPECT_LE(win.w->filterBar()->geometry().bottom(), win.w->lineList()->geometry().top());

    type(win.box(), QStringLiteral("りんご"));
    EXPECT_EQ(win.shown(), (std::vector<int>{0, 2}));
    EXPECT_EQ(win.status(), "絞り込み 204行中 2行");
    EXPECT_FALSE(win.w->findChild<QAction*>("sortAction")->isEnabled());   // would reorder hidden lines
    EXPECT_EQ(win.f.c->lines().selectedCount(), 0);        // the chosen line is out of sight

    QTest::keyClick(win.box(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), win.w->lineList());
    EXPECT_EQ(win.f.clipboard.text(), "りんご");
    QTest::keyClick(win.w->lineList(), Qt::Key_Down);
    EXPECT_EQ(win.f.clipboard.text(), "青リンゴ");

    QTest::keyClick(win.w->lineList(), Qt::Key_Escape);
    EXPECT_FALSE(win.w->filterBar()->isVisible());
    EXPECT_EQ(win.w->lineList()->shownCount(), 204);
    EXPECT_EQ(win.f.c->lines().currentRow(), 2);
    EXPECT_TRUE(win.w->lineList()->viewport()->rect().contains(
        win.w->lineList()->visualRect(win.f.c->lines().index(2))));
    EXPECT_TRUE(win.w->findChild<QAction*>("sortAction")->isEnabled());
}

TEST(FilterBox, CheckBoxesEmptyingAndF3)
{
    Window win;
    QTest::keyClick(win.w->lineList(), Qt::Key_F, Qt::ControlModifier);
    type(win.box(), QStringLiteral("りんご"));
    win.w->findChild<QCheckBox*>(QStringLiteral("filterKana"))->setChecked(false);
    EXPECT_EQ(win.shown(), std::vector<int>{0});
    // Emptying the box shows every line; the box stays for more typing.
    win.box()->clear();
    EXPECT_EQ(win.w->lineList()->shownCount(), 204);
    EXPECT_TRUE(win.w->filterBar()->isVisible());
    win.w->findChild<QCheckBox*>(QStringLiteral("filterKana"))->setChecked(true);

    type(win.box(), QStringLiteral("りんご"));
    QTest::keyClick(win.box(), Qt::Key_Escape);
    EXPECT_FALSE(win.w->filterBar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), win.w->lineList());
    win.f.select({3});
    QTest::keyClick(win.w->lineList(), Qt::Key_F3);
    EXPECT_EQ(win.f.c->lines().currentRow(), 0);   // round from みかん
    QTest::keyClick(win.w->lineList(), Qt::Key_F3);
    EXPECT_EQ(win.f.c->lines().currentRow(), 2);
    EXPECT_EQ(win.f.clipboard.text(), "青リンゴ");
    QTest::keyClick(win.w->lineList(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(win.f.c->lines().currentRow(), 0);
    EXPECT_EQ(win.w->lineList()->shownCount(), 204);   // never filtered
}

// The check boxes go on the line below the box, as many as the width holds:
// a width that ends exactly at the second box keeps it on the first line,
// one pixel less sends it to the next; the box runs to the right edge.
TEST(FilterBox, CheckBoxesWrapAtTheWidthThatHoldsThem)
{
    FilterBar bar;
    bar.show();
    auto* width = bar.findChild<QCheckBox*>(QStringLiteral("filterWidth"));
    auto* kana = bar.findChild<QCheckBox*>(QStringLiteral("filterKana"));
    const int exact = width->sizeHint().width() + 8 + kana->sizeHint().width();
    bar.resize(exact, 200);
    EXPECT_EQ(kana->y(), width->y());
    EXPECT_EQ(bar.box()->geometry().right(), exact - 1);
    bar.resize(exact - 1, 200);
    EXPECT_GT(kana->y(), width->y());
    EXPECT_EQ(kana->x(), 0);
}
