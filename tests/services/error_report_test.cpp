#include "platform/UserPrompt.h"
#include "services/ErrorReport.h"
#include "services/ScriptedNoticePresenter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>

namespace petari {
namespace {

const QString kFs = QStringLiteral("　");  // full-width space

std::set<int> filledLines(const QStringList& lines)
{
    std::set<int> out;
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            out.insert(i);
    return out;
}

TEST(ErrorReportText, FileNotFoundWhileLoadingADocument)
{
    const QString label = QStringLiteral("F1 fload") + kFs + QStringLiteral("/home/u/無い.txt");
    const QStringList l = composeErrorReport(label, 53, QStringLiteral("ファイルが見つかりません。"));
    ASSERT_EQ(l.size(), 21);
    EXPECT_EQ(l[0], QStringLiteral("■■　エラーが発生しました。■■"));
    EXPECT_EQ(l[2], QStringLiteral("　エラー番号　53"));
    EXPECT_EQ(l[3], QStringLiteral("　エラー内容　ファイルが見つかりません。"));
    EXPECT_EQ(l[4], QStringLiteral("　発生場所　F1 fload　/home/u/無い.txt"));
    EXPECT_EQ(l[7], QStringLiteral("　プログラム起動時にこのメッセージが出る場合は、"));
    EXPECT_EQ(l[8], QStringLiteral("「設定」で起動時に開くファイル名を確認してください。"));
    EXPECT_EQ(l[10], QStringLiteral(" フォルダは開けません。"));
    EXPECT_EQ(l[12], QStringLiteral("　存在しないファイル名を指定していませんか?"));
    EXPECT_EQ(l[18], QStringLiteral("　エラーの原因が解決しない場合には作者に連絡してください。"));
    EXPECT_EQ(l[20], QStringLiteral("　作業を続けてください。"));
    EXPECT_EQ(filledLines(l), (std::set<int>{0, 2, 3, 4, 7, 8, 10, 12, 18, 20}));

    const NoticeRequest r = errorReportRequest(label, 53, QStringLiteral("ファイルが見つかりません。"));
    EXPECT_EQ(r.mode, QStringLiteral("0"));
    EXPECT_EQ(r.caption, QStringLiteral("エラー"));
    EXPECT_TRUE(r.extra.isEmpty());
    EXPECT_EQ(r.body, l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

TEST(ErrorReportText, HintsByNumberAndLabel)
{
    const QString mouse = QStringLiteral("　マウスの移動速度が速かったり斜めに移動するとエラーが発生します。");
    struct Case {
        int number;
        const char* label;
        bool known;
        std::map<int, QString> hints;   // lines 5 to 17 that are set
    };
    const Case cases[] = {
        {6, "F3 nryoku", true, {{7, mouse}}},
        {6, "F1 mcopy", true, {{7, QStringLiteral("　オーバーフローは大きな数が入力された時に起こります。")}}},
        {6, "F3 mhyouji", true, {{7, QStringLiteral("　オーバーフローは大きな数が入力された時に起こります。")}}},
        {9, "F3 mhyouji", true, {{7, mouse}}},
        {9, "F3 nryoku", false, {}},
        {9, "F1 sakujo", false, {}},
        {52, "F1 fload", true, {{7, QStringLiteral("　ファイルがあるドライブは使用可能ですか？")}}},
        {61, "F1 hozon", true, {{7, QStringLiteral("　ドライブまたはディスクを変えて保存し直して下さい。")}}},
        {70, "F1 hozon", true,
         {{7, QStringLiteral("　フロッピーを指定した場合は、ディスク本体の")},
          {8, QStringLiteral("ライトプロテクトノッチを確認して下さい。")}}},
        {75, "F1 hozon", true,
         {{7, QStringLiteral("　フォルダを開こうとしていませんか？")},
          {9, QStringLiteral("　読み取り専用ファイルに保存しようとしていませんか？")}}},
        {76, "F1 hozon", true, {}},
        {51, "F1 hozon", false, {}},
        {7, "F1 tuika", false, {}},
        {0, "F1 tuika", false, {}},
        {-1, "F1 tuika", false, {}},
    };
    for (const Case& c : cases) {
        const QString label = QString::fromUtf8(c.label);
        SCOPED_TRACE(std::to_string(c.number) + " " + c.label);
        EXPECT_EQ(isKnownError(c.number, label), c.known);
        const QStringList l = composeErrorReport(label, c.number, describeError(c.number));
        if (!c.known)
            continue;
        EXPECT_EQ(l[1], QString());
        EXPECT_EQ(l[20], QStringLiteral("　作業を続けてください。"));
        for (int i = 5; i <= 17; ++i) {
            auto it = c.hints.find(i);
            EXPECT_EQ(l[i], it == c.hints.end() ? QString() : it->second) << "line " << i;
        }
    }
}

TEST(ErrorReportText, UnexpectedErrorAsksToReportAndToEnd)
{
    const QStringList l = composeErrorReport(QStringLiteral("F1 mcopy"), 1234, QStringLiteral("何か"));
    EXPECT_EQ(filledLines(l), (std::set<int>{0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 14, 18, 20}));
    EXPECT_EQ(l[0], QStringLiteral("■■　予期しないエラーが発生しました。■■"));
    EXPECT_EQ(l[1], QStringLiteral("　この内容を作者に報告して下さい。"));
    EXPECT_EQ(l[2], QStringLiteral("　エラー番号　1234"));
    EXPECT_EQ(l[3], QStringLiteral("　エラー内容　何か"));
    EXPECT_EQ(l[4], QStringLiteral("　発生場所　F1 mcopy"));
    EXPECT_EQ(l[5], QStringLiteral("　ソフト名　　ペタリ.exe  "));
    EXPECT_EQ(l[6], QStringLiteral("　バージョン　Ver 2.40.167  "));
    EXPECT_EQ(l[10], QStringLiteral("　この内容をコピーし作者宛のメールでお知らせください。"));
    EXPECT_EQ(l[11], QStringLiteral("　また、エラーが発生した時の状況(どのような操作をしたときに"));
    EXPECT_EQ(l[12], QStringLiteral("エラーが発生したか)なども教えて頂ければ助かります。"));
    EXPECT_TRUE(l[14].startsWith(QStringLiteral("　作者　　　　")));
    EXPECT_GT(l[14].size(), QStringLiteral("　作者　　　　").size());
    EXPECT_EQ(l[18], QStringLiteral("　エラーの原因が解決しない場合には作者に連絡してください。"));
    EXPECT_EQ(l[20], QStringLiteral("　強制終了しますか？"));

    const NoticeRequest r = errorReportRequest(QStringLiteral("F1 mcopy"), 1234, QStringLiteral("何か"));
    EXPECT_EQ(r.mode, QStringLiteral("1"));
    const NoticeLayout layout = noticeLayout(noticeMode(r.mode), r.extra);
    EXPECT_EQ(layout.captions[0], QStringLiteral("はい"));
    EXPECT_EQ(layout.captions[1], QStringLiteral("いいえ"));
    EXPECT_EQ(layout.captions[2], QStringLiteral("再表示"));
    EXPECT_FALSE(layout.checkVisible);
}

TEST(ErrorReportText, AlwaysTwentyOneLineBreaks)
{
    const int numbers[] = {5, 6, 9, 52, 53, 61, 70, 75, 76, 51, 7, 1234, -5};
    const QString descriptions[] = {QString(), QStringLiteral("一行"),
                                    QStringLiteral("二行に\r\nなった説明"), QStringLiteral("a\nb\rc")};
    for (int n : numbers)
        for (const QString& d : descriptions) {
            const QString body = errorReportRequest(QStringLiteral("F1 x\r\ny"), n, d, 300).body;
            EXPECT_EQ(body.count(QStringLiteral("\r\n")), 21) << n;
            EXPECT_EQ(body.count(QLatin1Char('\n')), 21) << n;
            EXPECT_EQ(body.count(QLatin1Char('\r')), 21) << n;
            EXPECT_TRUE(body.endsWith(QStringLiteral("\r\n")));
        }
}

TEST(ErrorReportText, InvalidArgumentQuotesTheLineCount)
{
    const QStringList l = composeErrorReport(QStringLiteral("F1 tuika"), 5, describeError(5), 300);
    EXPECT_EQ(l[7], QStringLiteral("　入力した行数が多い時にこのエラーが確認されています。"));
    EXPECT_EQ(l[8], QStringLiteral("　行数が多くなり過ぎていませんか？"));
    EXPECT_EQ(l[9], QStringLiteral("　300行を表示"));
    EXPECT_EQ(filledLines(l), (std::set<int>{0, 2, 3, 4, 7, 8, 9, 18, 20}));
}

// ---- the report as the program shows it ----

struct FakeHost : ErrorReportHost {
    int lines = 0;
    bool failCounting = false;
    QStringList calls;
    int lineCount() const override
    {
        if (failCounting)
            throw std::runtime_error("count");
        return lines;
    }
    void stopClipboardMonitor() override { calls << "stop"; }
    void startClipboardMonitor() override { calls << "start"; }
    void endProgram() override { calls << "end"; }
};

TEST(ErrorReportFlow, KnownErrorStopsTheMonitorAroundTheDialog)
{
    ScriptedNoticePresenter presenter;
    FakeHost host;
    host.lines = 300;
    ErrorReport report(presenter, host);
    presenter.pushButton(0);   // "OK"
    report.report(QStringLiteral("F1 tuika"), 5, describeError(5));
    ASSERT_EQ(presenter.requests().size(), 1u);
    EXPECT_EQ(presenter.requests()[0].mode, QStringLiteral("0"));
    EXPECT_TRUE(presenter.requests()[0].body.contains(QStringLiteral("　300行を表示\r\n")));
    EXPECT_EQ(host.calls, QStringList({"stop", "start"}));
    EXPECT_FALSE(report.endRequested());
}

TEST(ErrorReportFlow, WhichButtonEndsTheProgram)
{
    struct Case { int number; int button; bool ends; };
    const Case cases[] = {
        {53, 0, false},   // "OK"
        {53, 1, true},    // "終了"
        {53, -1, false},  // close box
        {1234, 0, true},  // "はい"
        {1234, 1, false}, // "いいえ"
        {1234, -1, false},
    };
    for (const Case& c : cases) {
        ScriptedNoticePresenter presenter;
        FakeHost host;
        ErrorReport report(presenter, host);
        presenter.pushButton(c.button);
        report.report(QStringLiteral("F1 fload"), c.number, describeError(c.number));
        EXPECT_EQ(host.calls, c.ends ? QStringList({"stop", "end"}) : QStringList({"stop", "start"}))
            << c.number << " " << c.button;
        EXPECT_EQ(report.endRequested(), c.ends);
        // Once the program is ending nothing more is shown.
        report.report(QStringLiteral("F1 hyouji"), 1234, QString());
        EXPECT_EQ(presenter.requests().size(), c.ends ? 1u : 2u);
    }
}

TEST(ErrorReportFlow, ClipboardAndCancelledDialogShowNothing)
{
    ScriptedNoticePresenter presenter;
    FakeHost host;
    ErrorReport report(presenter, host);
    report.report(QStringLiteral("F1 mcopy"), 521, describeError(521));
    report.report(QStringLiteral("F1 CoDiHiraku"), 32755, describeError(32755));
    EXPECT_TRUE(presenter.requests().empty());
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST(ErrorReportFlow, GuardsReportThroughIt)
{
    ScriptedNoticePresenter presenter;
    FakeHost host;
    ErrorReport report(presenter, host);
    ScopedErrorSink scope(&report);
    EXPECT_FALSE(guarded(QStringLiteral("F1 sakujo"),
                         [] { throw std::out_of_range("vector::_M_range_check"); }));
    ASSERT_FALSE(presenter.requests().empty());
    const NoticeRequest& r = presenter.requests().back();
    EXPECT_EQ(r.mode, QStringLiteral("1"));   // 9 outside the table builder is unexpected
    EXPECT_TRUE(r.body.contains(QStringLiteral("　エラー番号　9\r\n")));
    EXPECT_TRUE(r.body.contains(QStringLiteral("　発生場所　F1 sakujo\r\n")));
}

// ---- a failure inside a failure ----

TEST(ErrorReportFlow, AFailureWhileTheReportIsOpenIsDropped)
{
    ScriptedNoticePresenter presenter;
    FakeHost host;
    ErrorReport report(presenter, host);
    ScopedErrorSink scope(&report);
    int nested = 0;
    presenter.whileOpen = [&](const NoticeRequest&) {
        if (nested++ == 0) {
            guarded(QStringLiteral("F4 Command9_Click"), [] { throw Failure(err::OutOfRange); });
            report.report(QStringLiteral("F4 Form_Load"), 1234, QString());   // called directly
        }
    };
    EXPECT_FALSE(guarded(QStringLiteral("F1 mcopy"), [] { throw Failure(err::Overflow); }));
    EXPECT_EQ(presenter.requests().size(), 1u);
    EXPECT_EQ(host.calls, QStringList({"stop", "start"}));
    EXPECT_FALSE(report.isShowing());
    // Still usable afterwards.
    EXPECT_FALSE(guarded(QStringLiteral("F1 sakujo"), [] { throw Failure(err::DiskFull); }));
    EXPECT_EQ(presenter.requests().size(), 2u);
}

TEST(ErrorReportFlow, AFailureWhileComposingIsShownPlainly)
{
    ScriptedNoticePresenter presenter;
    FakeHost host;
    host.failCounting = true;   // only error 5 counts the lines
    ScriptedPrompt plain;
    ErrorReport report(presenter, host);
    report.setPlainPrompt(&plain);
    report.report(QStringLiteral("F1 tuika"), 5, describeError(5));
    EXPECT_TRUE(presenter.requests().empty());
    ASSERT_EQ(plain.asked().size(), 1u);
    EXPECT_TRUE(plain.asked()[0].text.contains(QStringLiteral("F1 tuika")));
    EXPECT_TRUE(plain.asked()[0].text.contains(QStringLiteral("5")));
    EXPECT_TRUE(host.calls.isEmpty());   // the monitor was never stopped
    EXPECT_FALSE(report.isShowing());
    host.failCounting = false;
    report.report(QStringLiteral("F1 tuika"), 5, describeError(5));
    EXPECT_EQ(presenter.requests().size(), 1u);
}

TEST(ErrorReportFlow, ADialogThatFailsStillRestartsTheMonitor)
{
    struct Failing : NoticePresenter {
        NoticeResult show(const NoticeRequest&) override { throw std::runtime_error("no window"); }
    } presenter;
    FakeHost host;
    ScriptedPrompt plain;
    ErrorReport report(presenter, host);
    report.setPlainPrompt(&plain);
    ScopedErrorSink scope(&report);
    EXPECT_FALSE(guarded(QStringLiteral("F1 hozon"), [] { throw Failure(err::DiskFull); }));
    EXPECT_EQ(host.calls, QStringList({"stop", "start"}));
    EXPECT_EQ(plain.asked().size(), 1u);
    EXPECT_FALSE(report.isShowing());
}

// Ending the program from a report must not leave anything waiting for the
// user: the loop the report ran in, a dialog opened by the code that goes on
// running afterwards, and a main loop not yet started all end.  Run in a
// child process, since it ends the loops of the process it runs in.
TEST(EndEventLoopsDeathTest, NoLoopWaitsAfterwards)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Should any loop wait after all, the child says so instead of hanging.
            QTimer::singleShot(60000, [] { std::_Exit(3); });
            QEventLoop running;
            QTimer::singleShot(0, [] { endEventLoops(); });
            running.exec();
            QEventLoop dialog;
            dialog.exec();
            QCoreApplication::exec();
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(LineBreakDeveloperMessage, ShownOncePerBreakInTheMiddle)
{
    ScriptedPrompt prompt;
    const QString text = QStringLiteral("ab\r\ncd");
    EXPECT_EQ(withoutLineBreaks(text, developerMessageBox(prompt)), QStringLiteral("abcd"));
    ASSERT_EQ(prompt.asked().size(), 2u);
    EXPECT_EQ(prompt.asked()[0].kind, ScriptedPrompt::Asked::Message);
    EXPECT_EQ(prompt.asked()[0].title, QStringLiteral("ペタリ"));
    EXPECT_EQ(prompt.asked()[0].text,
              QStringLiteral("開発者向けエラーメッセージ　kgsj()で意図しないデータを処理しました。"));
    prompt.clear();
    EXPECT_EQ(withoutLineBreaks(QStringLiteral("abc\r\n"), developerMessageBox(prompt)), QStringLiteral("abc"));
    EXPECT_TRUE(prompt.asked().empty());
}

}  // namespace
}  // namespace petari
