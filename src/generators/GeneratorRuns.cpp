#include "generators/GeneratorRuns.h"

#include "editing/Document.h"
#include "generators/LineEdits.h"
#include "generators/RunLimits.h"
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
    LineList& list = doc.lines();
    if (!runStep(doc, prompt, label, [&] {
            lines = make();
            const qint64 kept = addToCurrent ? list.count() : 0;
            doc.checkSize(kept + lines.size(), (addToCurrent ? list.lines().textSize() : 0) + unitsOf(lines));
        }))
        return false;
    if (doc.confirmDiscard() == KeepDocument)
        return false;
    if (addToCurrent) {
        const int first = list.firstSelected();
        list.insertLines(first < 0 ? list.count() : first, lines);
    } else {
        list.setLines(std::move(lines));
    }
    doc.commitEdit(QString(), 0, QStringLiteral("　雛形　"), 0);
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
    if (doc.confirmDiscard() == KeepDocument)
        return false;
    doc.lines().setLines(std::move(lines));
    return true;
}

void commitRandom(Document& doc) { doc.commitEdit(QString(), 1, QStringLiteral("　乱数　"), 0); }

bool runCharacterAddition(Document& doc, UserPrompt& prompt, const std::function<CharacterAddition()>& read)
{
    if (!runStep(doc, prompt, QStringLiteral("F2 mojitui"), [&] { addCharacters(doc, read()); }))
        return false;
    doc.commitEdit(doc.state().fileName, 1, QStringLiteral("文字追加"), 1);
    return true;
}

bool runEmptyLines(Document& doc, UserPrompt& prompt, EmptyLineMode mode, const std::function<int()>& readCount)
{
    if (!runStep(doc, prompt, QStringLiteral("F2 kuugyo"), [&] { insertEmptyLines(doc, mode, readCount()); }))
        return false;
    doc.commitEdit(doc.state().fileName, 1, QStringLiteral("空行追加"), 1);
    return true;
}

}  // namespace petari
