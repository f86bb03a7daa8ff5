#include "services/ErrorReport.h"

#include "platform/UserPrompt.h"
#include "services/ProgramInfo.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>

namespace petari {

namespace {

const QString kMouseSpeedHint =
    QStringLiteral("　マウスの移動速度が速かったり斜めに移動するとエラーが発生します。");

// The labels at which a mouse drag in the table builder can outrun it.
const QString kTableInput = QStringLiteral("F3 nryoku");
const QString kTableDisplay = QStringLiteral("F3 mhyouji");

// Whether the report knows a number at a label, and its hint lines: with
// l null only the decision is made.
bool addHints(QStringList* l, int number, const QString& label, int lineCount)
{
    auto set = [l](int line, const QString& text) {
        if (l)
            (*l)[line] = text;
    };
    switch (number) {
    case err::InvalidArgument:
        set(7, QStringLiteral("　入力した行数が多い時にこのエラーが確認されています。"));
        set(8, QStringLiteral("　行数が多くなり過ぎていませんか？"));
        set(9, QStringLiteral("　") + QString::number(lineCount) + QStringLiteral("行を表示"));
        return true;
    case err::Overflow:
        set(7, label == kTableInput
                   ? kMouseSpeedHint
                   : QStringLiteral("　オーバーフローは大きな数が入力された時に起こります。"));
        return true;
    case err::OutOfRange:
        if (label != kTableDisplay)
            return false;
        set(7, kMouseSpeedHint);
        return true;
    case err::BadFileName:
        set(7, QStringLiteral("　ファイルがあるドライブは使用可能ですか？"));
        return true;
    case err::FileNotFound:
        set(7, QStringLiteral("　プログラム起動時にこのメッセージが出る場合は、"));
        set(8, QStringLiteral("「設定」で起動時に開くファイル名を確認してください。"));
        set(10, QStringLiteral(" フォルダは開けません。"));
        set(12, QStringLiteral("　存在しないファイル名を指定していませんか?"));
        return true;
    case err::DiskFull:
        set(7, QStringLiteral("　ドライブまたはディスクを変えて保存し直して下さい。"));
        return true;
    case err::PermissionDenied:
        set(7, QStringLiteral("　フロッピーを指定した場合は、ディスク本体の"));
        set(8, QStringLiteral("ライトプロテクトノッチを確認して下さい。"));
        return true;
    case err::PathFileAccess:
        set(7, QStringLiteral("　フォルダを開こうとしていませんか？"));
        set(9, QStringLiteral("　読み取り専用ファイルに保存しようとしていませんか？"));
        return true;
    case err::PathNotFound:
    case err::ClipboardBusy:
    case err::Cancelled:
        return true;
    default:
        return false;
    }
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void writeToStderr(const QString& label, int number, const QString& description)
{
    std::fprintf(stderr, "petari: %s: %d %s\n", label.toUtf8().constData(), number,
                 description.toUtf8().constData());
}

}  // namespace

bool isKnownError(int number, const QString& label)
{
    return addHints(nullptr, number, label, 0);
}

QStringList composeErrorReport(const QString& label, int number, const QString& description,
                               int lineCount)
{
    QStringList l;
    for (int i = 0; i < kReportLineCount; ++i)
        l << QString();
    // A break inside a message would shift every line after it.
    const QString place = QStringLiteral("　発生場所　") + oneLine(label);
    l[0] = QStringLiteral("■■　エラーが発生しました。■■");
    l[2] = QStringLiteral("　エラー番号　") + QString::number(number);
    l[3] = QStringLiteral("　エラー内容　") + oneLine(description);
    l[4] = place;
    l[18] = QStringLiteral("　エラーの原因が解決しない場合には作者に連絡してください。");
    l[20] = QStringLiteral("　作業を続けてください。");

    if (addHints(&l, number, label, lineCount))
        return l;

    l[0] = QStringLiteral("■■　予期しないエラーが発生しました。■■");
    l[1] = QStringLiteral("　この内容を作者に報告して下さい。");
    l[4] = place;
    l[5] = QStringLiteral("　ソフト名　　") + programInformation(QStringLiteral("0"));
    l[6] = QStringLiteral("　バージョン　") + programInformation(QStringLiteral("1"));
    l[10] = QStringLiteral("　この内容をコピーし作者宛のメールでお知らせください。");
    l[11] = QStringLiteral("　また、エラーが発生した時の状況(どのような操作をしたときに");
    l[12] = QStringLiteral("エラーが発生したか)なども教えて頂ければ助かります。");
    l[14] = QStringLiteral("　作者　　　　") + programInformation(QStringLiteral("4"));
    l[20] = QStringLiteral("　強制終了しますか？");
    return l;
}

NoticeRequest errorReportRequest(const QString& label, int number, const QString& description,
                                 int lineCount)
{
    NoticeRequest r;
    r.mode = isKnownError(number, label) ? QStringLiteral("0") : QStringLiteral("1");
    r.caption = QStringLiteral("エラー");
    r.body = joinNoticeLines(composeErrorReport(label, number, description, lineCount));
    return r;
}

void endEventLoops()
{
    if (!QCoreApplication::instance())
        return;
    QCoreApplication::exit(0);
    // exit() does not reach a main loop that has not started yet; this does.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

DeveloperWarning developerMessageBox(UserPrompt& prompt)
{
    return [&prompt](const QString& message) {
        prompt.showMessage(programinfo::caption(), message, Icon::None);
    };
}

ErrorReport::ErrorReport(NoticePresenter& presenter, ErrorReportHost& host)
    : presenter_(presenter), host_(host)
{
}

void ErrorReport::showPlainly(const QString& label, int number, const QString& description)
{
    writeToStderr(label, number, description);
    if (!plain_)
        return;
    try {
        plain_->showMessage(QStringLiteral("エラー"),
                            QStringLiteral("エラー番号　%1\nエラー内容　%2\n発生場所　%3")
                                .arg(number)
                                .arg(description, label),
                            Icon::Critical);
    } catch (...) {
        // Already on stderr; nothing more can be done.
    }
}

void ErrorReport::report(const QString& label, int number, const QString& description)
{
    if (isSilentError(number))
        return;
    if (showing_ || ending_) {
        // Never a report over a report, nor one after the user ended the
        // program: the first one is what the user has to deal with.
        writeToStderr(label, number, description);
        return;
    }

    struct Showing {
        bool& flag;
        explicit Showing(bool& f) : flag(f) { flag = true; }
        ~Showing() { flag = false; }
    } showing(showing_);

    NoticeRequest request;
    try {
        const int lines = number == err::InvalidArgument ? host_.lineCount() : 0;
        request = errorReportRequest(label, number, description, lines);
    } catch (...) {
        showPlainly(label, number, description);
        return;
    }

    // The monitor runs again after the dialog however the dialog ended,
    // unless the program is ending.
    struct Monitor {
        ErrorReportHost& host;
        bool restart = true;
        ~Monitor()
        {
            if (!restart)
                return;
            try {
                host.startClipboardMonitor();
            } catch (...) {
            }
        }
    } monitor{host_};

    NoticeResult result;
    try {
        host_.stopClipboardMonitor();
        result = presenter_.show(request);
    } catch (...) {
        showPlainly(label, number, description);
        return;
    }

    if (result.action == NoticeAction::EndProgram) {
        ending_ = true;
        monitor.restart = false;
        try {
            host_.endProgram();
        } catch (...) {
            // The window refused to close: end the event loops all the same.
            endEventLoops();
        }
    }
}

}  // namespace petari
