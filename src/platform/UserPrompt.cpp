#include "platform/UserPrompt.h"

#include <QRegularExpression>

namespace petari {

QString fileFilterDescription(const QString& classicDescription)
{
    // The classic descriptions carry their pattern already ("ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)"),
    // and Qt's dialogs add it again: it is dropped here, so each shows once.
    static const QRegularExpression pattern(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QString d = classicDescription;
    d.remove(pattern);
    if (d.trimmed() == QLatin1String("All Files"))
        return QStringLiteral("すべてのファイル");
    // Half-width katakana become full-width, as the rest of the dialog is.
    return d.normalized(QString::NormalizationForm_KC);
}

QStringList qtFileFilters(const QString& classicFilters)
{
    QStringList out;
    const QStringList parts = classicFilters.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        QStringList globs = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& g : globs)
            if (g == QLatin1String("*.*"))
                g = QStringLiteral("*");
        out << fileFilterDescription(parts[i]) + QStringLiteral(" (") + globs.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
    }
    return out;
}

Answer ScriptedPrompt::next(Answer fallback)
{
    if (answers_.empty()) {
        ++unanswered_;
        return fallback;
    }
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

QString ScriptedPrompt::nextFile()
{
    if (fileNames_.empty()) {
        ++unanswered_;
        return QString();
    }
    QString f = fileNames_.front();
    fileNames_.pop_front();
    return f;
}

Answer ScriptedPrompt::askYesNo(const QString& title, const QString& text, Icon icon,
                                Answer defaultButton)
{
    asked_.push_back({Asked::YesNo, title, text, icon, defaultButton, {}, {}});
    return next(defaultButton);
}

Answer ScriptedPrompt::askYesNoCancel(const QString& title, const QString& text, Icon icon,
                                      Answer defaultButton)
{
    asked_.push_back({Asked::YesNoCancel, title, text, icon, defaultButton, {}, {}});
    return next(defaultButton);
}

void ScriptedPrompt::showMessage(const QString& title, const QString& text, Icon icon)
{
    asked_.push_back({Asked::Message, title, text, icon, Answer::Ok, {}, {}});
}

QString ScriptedPrompt::openFileName(const QString& title, const QString& filters,
                                     const QString& suggested)
{
    asked_.push_back({Asked::Open, title, {}, Icon::None, Answer::Ok, filters, suggested});
    return nextFile();
}

QString ScriptedPrompt::saveFileName(const QString& title, const QString& filters,
                                     const QString& suggested)
{
    asked_.push_back({Asked::Save, title, {}, Icon::None, Answer::Ok, filters, suggested});
    return nextFile();
}

void ScriptedPrompt::clear()
{
    answers_.clear();
    fileNames_.clear();
    asked_.clear();
    unanswered_ = 0;
}

}  // namespace petari
