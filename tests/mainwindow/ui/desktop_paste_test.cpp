#include "support/Fixture.h"

#include "mainwindow/ui/LineListView.h"
#include "mainwindow/ui/MainWindow.h"
#include "platform/DesktopHooks.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {

// A desktop that can paste and take a key, and records what it was asked.
struct RecordingHooks : DesktopHooks {
    bool canPaste() const override { return true; }
    bool canBindKey() const override { return true; }
    void pasteToPrevious(const QString& text, const QStringList& terminals) override
    {
        texts.push_back(text);
        pastes.push_back(terminals);
    }
    void focusPrevious() override { ++focusBacks; }
    bool bindKey(const QKeySequence& key) override
    {
        bound = key;
        return true;
    }
    std::vector<QString> texts;
    std::vector<QStringList> pastes;
    int focusBacks = 0;
    QKeySequence bound;
};

struct Window {
    Fixture f;
    InstanceRegistry registry{f.path("run")};
    RecordingHooks hooks;
    std::unique_ptr<MainWindow> w;

    explicit Window(const char* paste)
    {
        f.setOption("s10", QString::fromLatin1(paste));
        f.setOption("s11", QStringLiteral("xterm;foot"));
        f.setOption("s12", QStringLiteral("Ctrl+Alt+V"));
        const QString file = f.writeFile("lines.txt", "one\r\ntwo\r\n");
        w = std::make_unique<MainWindow>(*f.c);
        f.c->startUp({file}, registry);
        w->setDesktopHooks(&hooks, true);
        w->show();
        QApplication::setActiveWindow(w.get());
        w->lineList()->setFocus();
        QCoreApplication::processEvents();
    }
    ~Window() { f.c->setForcedExit(); w.reset(); }

    void click(int row, Qt::KeyboardModifiers m = {})
    {
        LineListView* list = w->lineList();
        const QRect r = list->visualRect(f.c->lines().index(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, m, r.center());
    }
};

}  // namespace

TEST(DesktopPaste, APlainClickOrEnterPastesWhereTheUserWasTyping)
{
    Window win("1");
    EXPECT_EQ(win.hooks.bound, QKeySequence(QStringLiteral("Ctrl+Alt+V")));
    win.click(1);
    ASSERT_EQ(win.hooks.pastes.size(), 1u);
    EXPECT_EQ(win.hooks.pastes[0], QStringList({"xterm", "foot"}));
    EXPECT_EQ(win.f.clipboard.text(), "two");
    EXPECT_EQ(win.hooks.texts[0], "two");
    // Ctrl gathers lines and pastes nothing; Enter pastes what is gathered.
    win.click(0, Qt::ControlModifier);
    EXPECT_EQ(win.hooks.pastes.size(), 1u);
    QTest::keyClick(win.w->lineList(), Qt::Key_Return);
    EXPECT_EQ(win.hooks.pastes.size(), 2u);
    EXPECT_EQ(win.f.clipboard.text(), "one\r\ntwo\r\n");   // several lines end with a break
    EXPECT_EQ(win.hooks.texts[1], "one\r\ntwo\r\n");
}

TEST(DesktopPaste, OffByDefaultAClickOnlyCopies)
{
    Window win("0");
    win.click(0);
    QTest::keyClick(win.w->lineList(), Qt::Key_Return);
    EXPECT_TRUE(win.hooks.pastes.empty());
    EXPECT_EQ(win.f.clipboard.text(), "one");
}

TEST(DesktopPaste, TheCallingKeyBringsTheWindowAndEscapeSendsItBack)
{
    Window win("0");
    win.w->hide();
    emit win.hooks.keyPressed();
    QCoreApplication::processEvents();
    EXPECT_TRUE(win.w->isVisible());
    EXPECT_TRUE(win.w->lineList()->hasFocus() || QApplication::focusWidget() == nullptr);
    QTest::keyClick(win.w->lineList(), Qt::Key_Escape);
    EXPECT_FALSE(win.w->isVisible());
    EXPECT_EQ(win.hooks.focusBacks, 1);
    // Without the key, Escape leaves the window alone.
    win.w->show();
    QTest::keyClick(win.w->lineList(), Qt::Key_Escape);
    EXPECT_TRUE(win.w->isVisible());
}
