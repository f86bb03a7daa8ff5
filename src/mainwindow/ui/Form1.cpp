#include "mainwindow/ui/Form1.h"

#include "platform/ui/QtPrompt.h"
#include "services/Guard.h"

#include <QApplication>

namespace petari {

namespace {
// Until the program's own report window exists, a failure is shown as a plain
// message with its number, description and the label of the failing procedure.
class MessageBoxSink : public ErrorSink {
public:
    explicit MessageBoxSink(UserPrompt& prompt) : prompt_(prompt) {}
    void report(const QString& label, int number, const QString& description) override
    {
        prompt_.showMessage(QStringLiteral("ペタリ"),
                            QStringLiteral("エラー番号　%1\nエラー内容　%2\n発生場所　%3")
                                .arg(number)
                                .arg(description, label),
                            Icon::Critical);
    }

private:
    UserPrompt& prompt_;
};
}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ペタリ"));
    resize(467, 333);
}

int runMainWindow(QApplication& app)
{
    Form1 w;
    QtPrompt prompt(&w);
    MessageBoxSink sink(prompt);
    setErrorSink(&sink);
    w.show();
    int rc = app.exec();
    setErrorSink(nullptr);
    return rc;
}

}  // namespace petari
