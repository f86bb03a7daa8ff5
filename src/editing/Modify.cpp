#include "editing/Modify.h"

#include "services/Guard.h"

namespace petari {

QString modifyOperationName() { return QStringLiteral("　修正　"); }

NoticeRequest modifyRequest(const QStringList& selectedLines)
{
    NoticeRequest r;
    r.mode = QStringLiteral("4");
    r.caption = QStringLiteral("修正");
    r.body = joinNoticeLines(selectedLines);
    return r;
}

bool modifySelectedLines(LineEditTarget& target, NoticePresenter& presenter)
{
    bool replaced = false;
    guarded(QStringLiteral("F1 syusei_Click"), [&] {
        const NoticeResult result = presenter.show(modifyRequest(target.selectedLines()));
        if (result.action != NoticeAction::Modify)
            return;
        // The new lines go in before the first selected line, so the lines
        // being replaced are exactly those still selected afterwards.
        if (!target.insertText(result.text))
            return;
        target.removeSelected();
        target.commitEdit(modifyOperationName());
        replaced = true;
    });
    return replaced;
}

}  // namespace petari
