#pragma once
// Every question the program asks the user goes through this interface, so
// that tests can script the answers and never block on a dialog.

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace petari {

enum class Icon { None, Question, Exclamation, Information, Critical };

// The numbers match the classic message-box results, which callers pass on
// (the unsaved-change warning returns 6, 7 or 2).
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    virtual Answer askYesNo(const QString& title, const QString& text, Icon icon,
                            Answer defaultButton = Answer::Yes) = 0;
    virtual Answer askYesNoCancel(const QString& title, const QString& text, Icon icon,
                                  Answer defaultButton = Answer::Yes) = 0;
    virtual void showMessage(const QString& title, const QString& text,
                             Icon icon = Icon::Information) = 0;
    // Filters in the classic form "Description|pattern|Description|pattern".
    // The title names the dialog's purpose ("開く", "名前を付けて保存"); empty
    // gives those two.  Both return "" when the user cancels.
    virtual QString openFileName(const QString& title, const QString& filters,
                                 const QString& suggested = QString()) = 0;
    virtual QString saveFileName(const QString& title, const QString& filters,
                                 const QString& suggested = QString()) = 0;
};

// "All Files (*.*)|*.*|ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.txt" -> {"すべてのファイル (*)",
// "テキスト ファイル (*.txt)"} in the form Qt's file dialogs take: each pattern
// shown once, the words in Japanese; "*.*" becomes "*" so files without a dot match.
QStringList qtFileFilters(const QString& classicFilters);
QString fileFilterDescription(const QString& classicDescription);

// A prompt that answers from a script: tests push the answers (and file names)
// in the order the program will ask, then read what was asked.
class ScriptedPrompt : public UserPrompt {
public:
    struct Asked {
        enum Kind { YesNo, YesNoCancel, Message, Open, Save } kind;
        QString title;
        QString text;
        Icon icon;
        Answer defaultButton;
        QString filters;
        QString suggested;
    };

    void pushAnswer(Answer a) { answers_.push_back(a); }
    void pushFileName(const QString& name) { fileNames_.push_back(name); }

    Answer askYesNo(const QString& title, const QString& text, Icon icon,
                    Answer defaultButton = Answer::Yes) override;
    Answer askYesNoCancel(const QString& title, const QString& text, Icon icon,
                          Answer defaultButton = Answer::Yes) override;
    void showMessage(const QString& title, const QString& text, Icon icon = Icon::Information) override;
    QString openFileName(const QString& title, const QString& filters,
                         const QString& suggested = QString()) override;
    QString saveFileName(const QString& title, const QString& filters,
                         const QString& suggested = QString()) override;

    const std::vector<Asked>& asked() const { return asked_; }
    // Questions for which the script held no answer; they got the default
    // button (or "" for a file dialog).
    int unanswered() const { return unanswered_; }
    bool scriptUsedUp() const { return answers_.empty() && fileNames_.empty(); }
    void clear();

private:
    Answer next(Answer fallback);
    QString nextFile();
    std::deque<Answer> answers_;
    std::deque<QString> fileNames_;
    std::vector<Asked> asked_;
    int unanswered_ = 0;
};

}  // namespace petari
