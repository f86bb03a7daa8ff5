#pragma once
// "修正": the selected lines are shown in the notice dialog for editing and,
// on "修正", replaced by the lines of the edited text at the place of the
// first of them.

#include "services/NoticeRequest.h"

#include <QStringList>

namespace petari {

// The document list as the modify command uses it.  The main window
// implements it with its own line operations.
class LineEditTarget {
public:
    virtual ~LineEditTarget() = default;
    // The selected lines in list order.
    virtual QStringList selectedLines() const = 0;
    // Inserts the text's lines before the first selected line (after the last
    // line when none is selected); the lines that move down keep their
    // selection, the new ones are not selected.  False when nothing was
    // inserted (the user has been told why): the selected lines then stay.
    virtual bool insertText(const QString& text) = 0;
    // Removes every selected line.
    virtual void removeSelected() = 0;
    // The commit step: the current file name, modified 1, the hexadecimal
    // view kept, and this operation name.
    virtual void commitEdit(const QString& operationName) = 0;
};

// "　修正　"
QString modifyOperationName();

// Mode "4", caption "修正", the selected lines each followed by CR LF.
NoticeRequest modifyRequest(const QStringList& selectedLines);

// The whole command, under the label "F1 syusei_Click".  Returns true when
// the lines were replaced; "キャンセル" and the close box change nothing.
bool modifySelectedLines(LineEditTarget& target, NoticePresenter& presenter);

}  // namespace petari
