#include "platform/SettingsStore.h"
#include "editing/Document.h"
#include "dialogs/ui/NoticeDialog.h"
#include "platform/UserPrompt.h"
#include "services/ErrorReport.h"
#include "services/ScriptedNoticePresenter.h"
#include "services/VersionInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace petari {
namespace {

// Records the main window's topmost placement as the dialog changes it.
struct Stacking : DocumentView {
    QStringList calls;
    void placeOnTop(bool on) override { calls << (on ? "temaeh" : "temaeh2"); }
};

struct NoticeDialogTest : ::testing::Test {
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("petari.ini"))};
    ScriptedPrompt prompt;
    Stacking stacking;
    Document document{settings, prompt, dir.path()};

    // Runs action on the notice dialog once it is open and modal.
    static void whenOpen(std::function<void(NoticeDialog&)> action)
    {
        QTimer::singleShot(0, [action] {
            auto* f = qobject_cast<NoticeDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(f, nullptr);
            action(*f);
        });
    }

    static int openNoticeDialogs()
    {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<NoticeDialog*>(w) && w->isVisible())
                ++n;
        return n;
    }
};

NoticeRequest request(const char* mode, const QString& body = QStringLiteral("一行目\r\n二行目\r\n"),
                      const char* extra = "")
{
    return {QString::fromUtf8(mode), QStringLiteral("題"), body, QString::fromUtf8(extra)};
}

TEST_F(NoticeDialogTest, EachModeShowsItsButtonsAndCheckBox)
{
    struct Case {
        const char* mode;
        const char* extra;
        const char* b0;
        const char* b1;
        bool check, checked, enabled;
    };
    const Case cases[] = {
        {"0", "", "OK", "終了", false, false, true},
        {"1", "", "はい", "いいえ", false, false, true},
        {"3", "", "OK", nullptr, false, false, true},
        {"4", "", "修正", "キャンセル", false, false, true},
        {"5", "1", "了解", nullptr, true, true, true},
        {"5", "0", "了解", nullptr, true, false, true},
        {"5", "2", "了解", nullptr, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + "/" + c.extra);
        NoticeDialog f(request(c.mode, QStringLiteral("本文\r\n"), c.extra), nullptr, nullptr);
        f.show();
        EXPECT_EQ(f.objectName(), QStringLiteral("Form4"));
        EXPECT_EQ(f.windowTitle(), QStringLiteral("題"));
        EXPECT_EQ(f.textBox()->objectName(), QStringLiteral("Text9"));
        EXPECT_EQ(f.textBox()->toPlainText(), QStringLiteral("本文\n"));
        EXPECT_FALSE(f.textBox()->isReadOnly());
        EXPECT_EQ(f.button(0)->objectName(), QStringLiteral("Command9_0"));
        EXPECT_TRUE(f.button(0)->isVisible());
        EXPECT_EQ(f.button(0)->text(), QString::fromUtf8(c.b0));
        EXPECT_EQ(f.button(1)->isVisible(), c.b1 != nullptr);
        if (c.b1)
            EXPECT_EQ(f.button(1)->text(), QString::fromUtf8(c.b1));
        EXPECT_TRUE(f.button(2)->isVisible());
        EXPECT_EQ(f.button(2)->text(), QStringLiteral("再表示"));
        EXPECT_EQ(f.showAgainBox()->objectName(), QStringLiteral("Check1"));
        EXPECT_EQ(f.showAgainBox()->text(), QStringLiteral("次回起動時も表示する。"));
        EXPECT_EQ(f.showAgainBox()->isVisible(), c.check);
        EXPECT_EQ(f.showAgainBox()->isChecked(), c.checked);
        EXPECT_EQ(f.showAgainBox()->isEnabled(), c.enabled);
        // The shown controls stand side by side in the window, none covering another.
        int right = 0;
        for (QWidget* w : {static_cast<QWidget*>(f.button(0)), static_cast<QWidget*>(f.button(1)),
                           static_cast<QWidget*>(f.button(2)), static_cast<QWidget*>(f.showAgainBox())}) {
            if (!w->isVisible())
                continue;
            EXPECT_GE(w->x(), right);
            right = w->geometry().right() + 1;
            EXPECT_LE(w->geometry().bottom(), f.height());
        }
        EXPECT_LE(right, f.width());
        f.reject();
    }
}

TEST_F(NoticeDialogTest, RedisplayPutsTheCallersTextBack)
{
    const QString body = composeErrorReport(QStringLiteral("F1 hozon"), 61, describeError(61))
                             .join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    for (const char* mode : {"0", "1", "3", "4", "5"}) {
        NoticeDialog f(request(mode, body, "1"), nullptr, nullptr);
        f.show();
        f.textBox()->setPlainText(QStringLiteral("書き換えた"));
        f.button(2)->click();
        EXPECT_TRUE(f.isVisible()) << mode;
        EXPECT_EQ(f.text(), body) << mode;
        f.reject();
    }
}

TEST_F(NoticeDialogTest, ButtonsCloseWithTheirMeaning)
{
    struct Case { const char* mode; int button; NoticeAction action; };
    const Case cases[] = {
        {"0", 0, NoticeAction::Close},       {"0", 1, NoticeAction::EndProgram},
        {"1", 0, NoticeAction::EndProgram},  {"1", 1, NoticeAction::Close},
        {"3", 0, NoticeAction::Close},       {"4", 0, NoticeAction::Modify},
        {"4", 1, NoticeAction::Close},       {"5", 0, NoticeAction::Acknowledge},
    };
    for (const Case& c : cases) {
        NoticeDialog f(request(c.mode), nullptr, nullptr);
        f.show();
        f.textBox()->setPlainText(QStringLiteral("x\ny"));
        f.button(c.button)->click();
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.result().button, c.button);
        EXPECT_EQ(f.result().action, c.action) << c.mode << " " << c.button;
        EXPECT_EQ(f.result().text, QStringLiteral("x\r\ny"));
    }
    NoticeDialog f(request("1"), nullptr, nullptr);
    f.show();
    f.close();   // the close box: go on working
    EXPECT_EQ(f.result().button, -1);
    EXPECT_EQ(f.result().action, NoticeAction::Close);
}

TEST_F(NoticeDialogTest, ResizingRule)
{
    NoticeDialog f(request("5", QStringLiteral("x"), "1"), nullptr, nullptr);
    f.show();
    f.resize(500, 400);
    QApplication::processEvents();
    // 400 px is 6000 twips, with the frame 6450: buttons at 5550, the box
    // 5475 high and as wide as the window.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(f.button(i)->y(), 370);
    EXPECT_EQ(f.showAgainBox()->y(), 378);
    EXPECT_EQ(f.textBox()->height(), 365);
    EXPECT_EQ(f.textBox()->width(), 500);
    // Every control stays inside the window.
    EXPECT_LE(f.button(0)->geometry().bottom(), f.height());
    EXPECT_LE(f.textBox()->geometry().bottom(), f.button(0)->y());
    EXPECT_LE(f.textBox()->width(), f.width());

    // Too small a window: the controls stay where they were.
    const QRect before = f.button(0)->geometry();
    f.resize(200, 20);
    QApplication::processEvents();
    EXPECT_EQ(f.button(0)->geometry(), before);
    f.reject();
}

TEST_F(NoticeDialogTest, PositionKeptInF4AndTopmostLifted)
{
    document.setView(&stacking);
    document.setAlwaysOnTop(true);
    stacking.calls.clear();
    {
        NoticeDialog f(request("3"), &settings, &document);
        EXPECT_EQ(stacking.calls, QStringList({"temaeh2"}));
        f.show();
        EXPECT_EQ(f.pos(), QPoint(7, 7));   // 105 twips
        f.move(40, 60);
        f.button(0)->click();
        EXPECT_EQ(stacking.calls, QStringList({"temaeh2", "temaeh"}));
    }
    EXPECT_EQ(settings.read("F4", "Left"), QStringLiteral("600"));
    EXPECT_EQ(settings.read("F4", "top"), QStringLiteral("900"));
    {
        NoticeDialog f(request("3"), &settings, nullptr);
        f.show();
        EXPECT_EQ(f.pos(), QPoint(40, 60));
        f.reject();
    }
    // A position on no screen comes to the screen's corner, as every window's does.
    settings.write("F4", "Left", "9000000");
    NoticeDialog f(request("3"), &settings, nullptr);
    f.show();
    EXPECT_EQ(f.pos(), QPoint(0, 0));

    document.setAlwaysOnTop(false);
    stacking.calls.clear();
    {
        NoticeDialog g(request("0"), &settings, &document);
        g.reject();
    }
    EXPECT_TRUE(stacking.calls.isEmpty());
}

TEST_F(NoticeDialogTest, PresenterReturnsTheEditedLines)
{
    QtNoticePresenter presenter(nullptr, &settings, nullptr);
    whenOpen([](NoticeDialog& f) {
        EXPECT_EQ(f.mode(), 4);
        f.textBox()->setPlainText(QStringLiteral("新しい一行\n二行目\n"));
        f.button(0)->click();
    });
    const NoticeResult r = presenter.show(request("4"));
    EXPECT_EQ(r.action, NoticeAction::Modify);
    EXPECT_EQ(r.text, QStringLiteral("新しい一行\r\n二行目\r\n"));
}

TEST_F(NoticeDialogTest, VersionNoticeThroughTheDialog)
{
    QtNoticePresenter presenter(nullptr, &settings, nullptr);
    settings.write("ver", "167b", "1");
    settings.write("ver", "167", "お知らせの本文");
    whenOpen([](NoticeDialog& f) {
        EXPECT_TRUE(f.showAgainBox()->isVisible());
        EXPECT_TRUE(f.showAgainBox()->isChecked());
        f.showAgainBox()->click();   // unchecked
        f.button(0)->click();   // "了解"
    });
    EXPECT_TRUE(showVersionNotice(settings, presenter));
    EXPECT_EQ(settings.read("ver", "167b"), QStringLiteral("0"));

    settings.write("ver", "167b", "2");
    whenOpen([](NoticeDialog& f) {
        EXPECT_FALSE(f.showAgainBox()->isEnabled());
        f.showAgainBox()->click();   // disabled: no effect
        f.button(0)->click();
    });
    EXPECT_TRUE(showVersionNotice(settings, presenter));
    EXPECT_EQ(settings.read("ver", "167b"), QStringLiteral("2"));
}

// ---- ending the program from the report ----

// Stands in for the main window: closing asks about unsaved changes unless
// the forced-exit flag is 99.
class StandInMainWindow : public QMainWindow {
public:
    explicit StandInMainWindow(UserPrompt& prompt) : prompt_(prompt) {}
    int forcedExit = 0;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        if (forcedExit == 99) {
            e->accept();
            return;
        }
        if (prompt_.askYesNoCancel(QStringLiteral("ペタリ"), QStringLiteral("変更を保存しますか?"),
                                   Icon::Exclamation) == Answer::Cancel)
            e->ignore();
        else
            e->accept();
    }

private:
    UserPrompt& prompt_;
};

struct StandInHost : ErrorReportHost {
    StandInMainWindow& window;
    int stops = 0, starts = 0, terminations = 0;
    explicit StandInHost(StandInMainWindow& w) : window(w) {}
    int lineCount() const override { return 0; }
    void stopClipboardMonitor() override { ++stops; }
    void startClipboardMonitor() override { ++starts; }
    void endProgram() override
    {
        window.forcedExit = 99;
        window.close();
        ++terminations;   // the real program calls endEventLoops() here
    }
};

TEST_F(NoticeDialogTest, EndingFromAnUnexpectedErrorClosesWithoutAskingAboutChanges)
{
    ScriptedPrompt prompt;
    StandInMainWindow window(prompt);
    window.show();

    // Without the flag, closing asks (and Cancel keeps the window).
    prompt.pushAnswer(Answer::Cancel);
    window.close();
    EXPECT_EQ(prompt.asked().size(), 1u);
    EXPECT_TRUE(window.isVisible());
    prompt.clear();

    StandInHost host(window);
    QtNoticePresenter presenter(&window, &settings, nullptr);
    ErrorReport report(presenter, host);
    ScopedErrorSink scope(&report);
    whenOpen([](NoticeDialog& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("エラー"));
        EXPECT_EQ(f.button(0)->text(), QStringLiteral("はい"));
        EXPECT_EQ(f.button(1)->text(), QStringLiteral("いいえ"));
        EXPECT_EQ(f.button(2)->text(), QStringLiteral("再表示"));
        EXPECT_FALSE(f.showAgainBox()->isVisible());
        EXPECT_TRUE(f.text().startsWith(QStringLiteral("■■　予期しないエラーが発生しました。■■\r\n")));
        f.button(0)->click();   // "はい"
    });
    EXPECT_FALSE(guarded(QStringLiteral("F1 mcopy"), [] { throw std::runtime_error("boom"); }));

    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompt.asked().empty());
    EXPECT_EQ(window.forcedExit, 99);
    EXPECT_EQ(host.terminations, 1);
    EXPECT_EQ(host.stops, 1);
    EXPECT_EQ(host.starts, 0);
    EXPECT_EQ(openNoticeDialogs(), 0);
}

TEST_F(NoticeDialogTest, EndingFromAKnownErrorWithTerminate)
{
    ScriptedPrompt prompt;
    StandInMainWindow window(prompt);
    window.show();
    StandInHost host(window);
    QtNoticePresenter presenter(&window, &settings, nullptr);
    ErrorReport report(presenter, host);
    whenOpen([](NoticeDialog& f) {
        EXPECT_EQ(f.button(1)->text(), QStringLiteral("終了"));
        f.button(1)->click();
    });
    report.report(QStringLiteral("F1 hozon"), 61, describeError(61));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompt.asked().empty());
    EXPECT_EQ(host.terminations, 1);
}

TEST_F(NoticeDialogTest, GoingOnKeepsTheWindowAndRestartsTheMonitor)
{
    ScriptedPrompt prompt;
    StandInMainWindow window(prompt);
    window.show();
    StandInHost host(window);
    QtNoticePresenter presenter(&window, &settings, nullptr);
    ErrorReport report(presenter, host);
    whenOpen([](NoticeDialog& f) { f.button(1)->click(); });   // "いいえ"
    report.report(QStringLiteral("F1 mcopy"), 1234, QStringLiteral("x"));
    whenOpen([](NoticeDialog& f) { f.button(0)->click(); });   // "OK"
    report.report(QStringLiteral("F1 fload"), 53, describeError(53));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.forcedExit, 0);
    EXPECT_EQ(host.stops, 2);
    EXPECT_EQ(host.starts, 2);
    EXPECT_EQ(host.terminations, 0);
}

TEST_F(NoticeDialogTest, AFailureWhileTheReportIsOpenOpensNoSecondReport)
{
    ScriptedPrompt prompt;
    StandInMainWindow window(prompt);
    window.show();
    StandInHost host(window);
    QtNoticePresenter presenter(&window, &settings, nullptr);
    ErrorReport report(presenter, host);
    ScopedErrorSink scope(&report);
    int seen = 0;
    whenOpen([&](NoticeDialog& f) {
        // A second failure while the first is on screen.
        EXPECT_FALSE(guarded(QStringLiteral("F1 hyouji"), [] { throw Failure(err::OutOfRange); }));
        QApplication::processEvents();
        seen = openNoticeDialogs();
        f.button(0)->click();
    });
    EXPECT_FALSE(guarded(QStringLiteral("F1 mcopy"), [] { throw Failure(err::Overflow); }));
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(openNoticeDialogs(), 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(host.starts, 1);

    // And the program goes on: the next failure gets its report.
    bool shown = false;
    whenOpen([&](NoticeDialog& f) {
        shown = true;
        f.button(0)->click();
    });
    EXPECT_FALSE(guarded(QStringLiteral("F1 sakujo"), [] { throw Failure(err::PathNotFound); }));
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace petari
