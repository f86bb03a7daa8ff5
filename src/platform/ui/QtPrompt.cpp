#include "platform/ui/QtPrompt.h"

#include <QFileDialog>
#include <QMessageBox>

namespace petari {

namespace {

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(Answer a)
{
    switch (a) {
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Ok: return QMessageBox::Ok;
    }
    return QMessageBox::NoButton;
}

Answer fromQt(int button)
{
    switch (button) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return Answer::Cancel;
    }
}

Answer ask(QWidget* parent, const QString& title, const QString& text, Icon icon,
           QMessageBox::StandardButtons buttons, Answer defaultButton)
{
    QMessageBox box(qtIcon(icon), title, text, buttons, parent);
    box.setDefaultButton(qtButton(defaultButton));
    return fromQt(box.exec());
}

}  // namespace

Answer QtPrompt::askYesNo(const QString& title, const QString& text, Icon icon, Answer defaultButton)
{
    Answer a = ask(parent_, title, text, icon, QMessageBox::Yes | QMessageBox::No, defaultButton);
    // Closing a Yes/No box with Escape or its close button means No.
    return a == Answer::Cancel ? Answer::No : a;
}

Answer QtPrompt::askYesNoCancel(const QString& title, const QString& text, Icon icon,
                                Answer defaultButton)
{
    return ask(parent_, title, text, icon,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, defaultButton);
}

void QtPrompt::showMessage(const QString& title, const QString& text, Icon icon)
{
    ask(parent_, title, text, icon, QMessageBox::Ok, Answer::Ok);
}

// Qt's file dialog is never forced to its own widgets: where the desktop
// has a dialog of its own (its platform theme, or xdg-desktop-portal through
// the xdgdesktopportal theme) the user gets that one.
QString QtPrompt::openFileName(const QString& title, const QString& filters, const QString& suggested)
{
    return QFileDialog::getOpenFileName(parent_, title.isEmpty() ? QStringLiteral("開く") : title, suggested,
                                        qtFileFilters(filters).join(QStringLiteral(";;")));
}

QString QtPrompt::saveFileName(const QString& title, const QString& filters, const QString& suggested)
{
    // The program asks its own overwrite question, in its own words.
    return QFileDialog::getSaveFileName(parent_, title.isEmpty() ? QStringLiteral("名前を付けて保存") : title,
                                        suggested,
                                        qtFileFilters(filters).join(QStringLiteral(";;")), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

}  // namespace petari
