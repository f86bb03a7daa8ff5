#pragma once
// The program's own report of a trapped failure: 21 fixed lines with the
// number, the description, the location label and hints, shown in the notice
// dialog.  A known failure lets the user go on; an unexpected one asks for
// the report to be sent to the author and offers to end the program.

#include "services/Guard.h"
#include "services/NoticeRequest.h"
#include "services/ProgramInfo.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace petari {

class UserPrompt;

constexpr int kReportLineCount = 21;

// True when the report treats the number as known at that label: 5, 6, 52,
// 53, 61, 70, 75, 76 anywhere, 9 only at "F3 mhyouji", and the silent 521
// and 32755 (never shown).  Every other number is unexpected.
bool isKnownError(int number, const QString& label);

// The report's 21 lines (index 0 to 20).  lineCount is the number of lines
// in the document list, which the hint of error 5 quotes.
QStringList composeErrorReport(const QString& label, int number, const QString& description,
                               int lineCount = 0);

// The request the report opens the notice dialog with: mode "0" known or
// "1" unexpected, caption "エラー", body the lines each followed by CR LF.
NoticeRequest errorReportRequest(const QString& label, int number, const QString& description,
                                 int lineCount = 0);

// What the report needs from the rest of the program.
class ErrorReportHost {
public:
    virtual ~ErrorReportHost() = default;
    // Lines in the document list (the hint of error 5).
    virtual int lineCount() const = 0;
    // The main window's clipboard monitor timer; started again after the
    // dialog whatever its state was before.
    virtual void stopClipboardMonitor() = 0;
    virtual void startClipboardMonitor() = 0;
    // The user ended the program from the report: set the forced-exit flag
    // to 99, close the main window (which then asks nothing), end the process
    // (endEventLoops below).
    virtual void endProgram() = 0;
};

// Ends every running event loop, the main one included, and keeps any loop
// started afterwards (a dialog opened by code still running, or the main
// loop when start-up has not reached it yet) from waiting for the user.
void endEventLoops();

class ErrorReport : public ErrorSink {
public:
    ErrorReport(NoticePresenter& presenter, ErrorReportHost& host);

    // Shows a failure that could not be shown as the report itself (the
    // report could not be composed or its dialog not opened).  Without one,
    // such failures go to stderr.
    void setPlainPrompt(UserPrompt* prompt) { plain_ = prompt; }

    // Returns once the dialog has closed.  Silent numbers show nothing.  A
    // failure while a report is open, or after the user chose to end the
    // program, is written to stderr and dropped.
    void report(const QString& label, int number, const QString& description) override;

    bool isShowing() const { return showing_; }
    bool endRequested() const { return ending_; }

private:
    void showPlainly(const QString& label, int number, const QString& description);

    NoticePresenter& presenter_;
    ErrorReportHost& host_;
    UserPrompt* plain_ = nullptr;
    bool showing_ = false;
    bool ending_ = false;
};

// How withoutLineBreaks's developer message reaches the user: a message box with the
// single OK button, titled with the main window's caption.
DeveloperWarning developerMessageBox(UserPrompt& prompt);

// Makes a sink the one every guard reports to for the life of this object,
// and puts the previous one back afterwards.
class ScopedErrorSink {
public:
    explicit ScopedErrorSink(ErrorSink* sink) : previous_(errorSink()) { setErrorSink(sink); }
    ~ScopedErrorSink() { setErrorSink(previous_); }
    ScopedErrorSink(const ScopedErrorSink&) = delete;
    ScopedErrorSink& operator=(const ScopedErrorSink&) = delete;

private:
    ErrorSink* previous_;
};

}  // namespace petari
