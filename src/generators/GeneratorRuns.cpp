#include "generators/GeneratorRuns.h"

#include "editing/Document.h"
#include "generators/LineEdits.h"
#include "generators/NumberBoxes.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

namespace petari {

bool runStep(Document& doc, UserPrompt& prompt, const QString& label, const std::function<void()>& body)
{
    bool finished = false;
    guarded(label, [&] {
        try {
            body();
            finished = true;
        } catch (const RunRefused& refused) {
            prompt.showMessage(Document::caption(), refused.message(), Icon::Exclamation);
        } catch (const DocumentTooLarge& refusal) {
            prompt.showMessage(Document::caption(),
                               documentTooLargeMessage(refusal, doc.limits(), QStringLiteral("作成できません")),
                               Icon::Exclamation);
        }
    });
    return finished;
}

namespace {
qint64 unitsOf(const QStringList& lines)
{
    qint64 units = 0;
    for (const QString& line : lines)
        units += line.size();
    return units;
}
}  // namespace

bool runTemplate(Document& doc, UserPrompt& prompt, const QString& label, const std::function<QStringList()>& make,
                 bool addToCurrent)
{
    QStringList lines;
    const LineList& list = doc.lines();
    // Refused before the unsaved-change question, not after it.
    if (!runStep(doc, prompt, label, [&] {
            lines = make();
            const qint64 kept = addToCurrent ? list.count() : 0;
            doc.checkSize(kept + lines.size(), (addToCurrent ? list.lines().textSize() : 0) + unitsOf(lines));
        }))
        return false;
    if (doc.confirmDiscard() == DiscardAnswer::KeepDocument)
        return false;
    if (addToCurrent)
        doc.insertLinesAsMade(doc.firstSelectedIndex(), std::move(lines));
    else
        doc.replaceLinesAsMade(std::move(lines));
    doc.commitEdit(QString(), Commit::Unmodified, QStringLiteral("　雛形　"), HexView::Drop);
    return true;
}

bool runRandom(Document& doc, UserPrompt& prompt, const std::function<QString()>& check,
               const std::function<QStringList()>& make)
{
    QString problem;
    if (!runStep(doc, prompt, QStringLiteral("F2 RnsNKansi"), [&] { problem = check(); }))
        return false;
    if (!problem.isEmpty()) {
        prompt.showMessage(Document::caption(), problem, Icon::Critical);
        return false;
    }
    QStringList lines;
    if (!runStep(doc, prompt, QStringLiteral("F2 RanSu"), [&] {
            lines = make();
            doc.checkSize(lines.size(), unitsOf(lines));
        }))
        return false;
    if (doc.confirmDiscard() == DiscardAnswer::KeepDocument)
        return false;
    doc.replaceLinesAsMade(std::move(lines));
    return true;
}

void commitRandom(Document& doc) { doc.commitEdit(QString(), Commit::Modified, QStringLiteral("　乱数　"), HexView::Drop); }

bool runCharacterAddition(Document& doc, UserPrompt& prompt, const std::function<CharacterAddition()>& read)
{
    if (!runStep(doc, prompt, QStringLiteral("F2 mojitui"), [&] { addCharacters(doc, read()); }))
        return false;
    doc.commitEdit(doc.state().fileName, Commit::Modified, QStringLiteral("文字追加"), HexView::Keep);
    return true;
}

bool runEmptyLines(Document& doc, UserPrompt& prompt, EmptyLineMode mode, const std::function<int()>& readCount)
{
    if (!runStep(doc, prompt, QStringLiteral("F2 kuugyo"), [&] { insertEmptyLines(doc, mode, readCount()); }))
        return false;
    doc.commitEdit(doc.state().fileName, Commit::Modified, QStringLiteral("空行追加"), HexView::Keep);
    return true;
}

}  // namespace petari
