#pragma once
// What the generator window's buttons do to the document, without the
// window: make the lines first (so that a refused or failing request leaves
// the document as it was), then ask about unsaved changes where the content
// is thrown away, then put the lines in and commit.

#include <QString>
#include <QStringList>
#include <functional>

namespace petari {

class Document;
class UserPrompt;
struct CharacterAddition;
enum class EmptyLineMode;

// Runs body under the procedure's label: true when it finished.  A request
// beyond the run limits, or one that would make doc larger than its limits,
// is answered with its message; any failure goes to the error report.
bool runStep(Document& doc, UserPrompt& prompt, const QString& label, const std::function<void()>& body);

// "OK" of the template page: true when the lines went in and the document
// was committed as a new untitled one (operation "　雛形　").  With
// addToCurrent the lines go in at the first selected line (the end when none
// is), else they replace the list.
bool runTemplate(Document& doc, UserPrompt& prompt, const QString& label, const std::function<QStringList()>& make,
                 bool addToCurrent);

// "表示" of the random page: true when the list was replaced.  The check's
// message, if any, is shown with the error icon and nothing changes.
bool runRandom(Document& doc, UserPrompt& prompt, const std::function<QString()>& check,
               const std::function<QStringList()>& make);
// Closing the random page after at least one display.
void commitRandom(Document& doc);

// "実行" of the character-addition and empty-line pages: true when the lines
// were changed and committed (operations "文字追加" and "空行追加").
bool runCharacterAddition(Document& doc, UserPrompt& prompt, const std::function<CharacterAddition()>& read);
bool runEmptyLines(Document& doc, UserPrompt& prompt, EmptyLineMode mode, const std::function<int()>& readCount);

}  // namespace petari
