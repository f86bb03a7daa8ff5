// Document: saving the list to a file (over the one it came from, under a
// new name, with classic Mac line ends) and the unsaved-change question
// every command that throws the list away asks first.

#include "editing/Document.h"

#include "document/FileName.h"
#include "document/TextFile.h"
#include "editing/UndoChain.h"
#include "editing/WorkFolder.h"
#include "platform/LineBreak.h"
#include "platform/StringUtils.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "services/ProgramInfo.h"

#include <QFileInfo>

namespace petari {

namespace {

QString label(const char* name) { return QStringLiteral("F1 ") + QLatin1String(name); }
}  // namespace

void Document::saveOver()
{
    if (!state_.fileName.isEmpty())
        state_.overwrite = true;
    save();
}

void Document::saveAs() { save(); }

void Document::saveAsMac()
{
    state_.mac = true;
    save();
    state_.mac = false;
}

QString Document::askSavePath(const QString& suggested)
{
    return guardedValue<QString>(label("CoDiHozon"), QString(), [&]() -> QString {
        for (;;) {
            const QString title = state_.mac ? QStringLiteral("名前を付けて保存(Mac向け)")
                                             : QStringLiteral("名前を付けて保存");
            const QString chosen = prompt_.saveFileName(title, QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)|*.txt"), suggested);
            if (chosen.isEmpty())
                return QString();
            if (!QFileInfo::exists(chosen))
                return chosen;
            const QString q = chosen + kLineBreak + QStringLiteral("は既に存在します。") + kLineBreak + kLineBreak +
                              QStringLiteral("このファイルに、上書き保存しますか。");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) == Answer::Yes) {
                takeBackup();
                return chosen;
            }
        }
    });
}

bool Document::save()
{
    bool saved = false;
    guarded(label("hozon"), [&] {
        QString name = state_.fileName;
        if (state_.hexView) {
            // A hexadecimal view is never written over the file it shows.
            name = freeNumberedName(state_.fileName, QStringLiteral("バイナリ表示"));
            if (!name.isEmpty())
                name += QStringLiteral(".txt");
            state_.overwrite = false;
        }
        if (state_.overwrite) {
            takeBackup();
            state_.overwrite = false;
        } else {
            name = askSavePath(name);
        }
        if (name.isEmpty())
            return;
        if (pathExt(name) != QLatin1String("txt")) {
            const QString q = QStringLiteral("テキスト(txt)以外のファイルは、内容が壊れて保存されます。") + kLineBreak + kLineBreak +
                              QStringLiteral("それでも保存しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) != Answer::Yes)
                return;
        }
        if (state_.hadInvalidBytes && !state_.hexView &&
            QFileInfo(name).absoluteFilePath() == QFileInfo(state_.fileName).absoluteFilePath()) {
            const QString q = QStringLiteral("このファイルには文字として読めないバイトがありました。") + kLineBreak +
                              QStringLiteral("保存すると、その部分は「") + QChar(0xFFFD) +
                              QStringLiteral("」に置き換わります。") + kLineBreak + kLineBreak +
                              QStringLiteral("上書き保存しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) != Answer::Yes)
                return;
        }
        if (!writeTo(name, state_.mac))
            return;
        state_.modified = 0;
        state_.fileName = QFileInfo(name).absoluteFilePath();
        if (!state_.hexView)
            state_.hadInvalidBytes = false;
        emit fileSaved(state_.fileName);
        refreshView();
        saved = true;
    });
    return saved;
}

QStringList Document::hexHeader(const QString& viewedPath) const
{
    return {viewedPath + QStringLiteral("の内容をを１byteづつ16進数で表示しています。"),
            programInformation(QStringLiteral("012")) + QStringLiteral("より出力"), QString()};
}

// Text CP932 cannot hold is never written as "?": the user chooses UTF-8, or
// nothing is written.
bool Document::chooseEncoding(const LineText& lines, TextEncoding& encoding)
{
    if (encoding != TextEncoding::Cp932)
        return true;
    QString bad = unencodableCharacters(lines, encoding);
    if (bad.isEmpty())
        return true;
    if (bad.size() > 40)
        bad = bad.left(40) + QStringLiteral("…");
    const QString q = QStringLiteral("次の文字はShift_JIS(CP932)では保存できません。") + kLineBreak + bad + kLineBreak + kLineBreak +
                      QStringLiteral("UTF-8で保存しますか?") + kLineBreak +
                      QStringLiteral("([いいえ]を選ぶと保存しません。)");
    if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::Yes) != Answer::Yes)
        return false;
    encoding = TextEncoding::Utf8;
    return true;
}

bool Document::writeTo(const QString& path, bool mac)
{
    bool written = false;
    guarded(label(mac ? "HFKakiMac" : "HFKaki"), [&] {
        LineText out;
        if (state_.hexView)
            out = hexHeader(state_.hexSource.isEmpty() ? state_.fileName : state_.hexSource);
        out.append(lines_.lines());
        TextEncoding enc = state_.encoding;
        if (!chooseEncoding(out, enc))
            return;
        if (mac)
            writeMacTextFile(path, out, enc);
        else
            writeTextFile(path, out, enc);
        state_.encoding = enc;
        written = true;
    });
    return written;
}

DiscardAnswer Document::confirmDiscard()
{
    return guardedValue<DiscardAnswer>(QStringLiteral("M2 keikoku01"), DiscardAnswer::KeepDocument, [&]() -> DiscardAnswer {
        QString word;
        if (!state_.fileName.isEmpty()) {
            word = QStringLiteral("上書き");
            state_.overwrite = true;
        }
        if (state_.modified == 0) {
            state_.overwrite = false;
            return DiscardAnswer::NothingToDiscard;
        }
        const QString C = caption();
        QString msg;
        if (state_.modified == 2) {
            msg = QStringLiteral("「") + C + QStringLiteral("」のデータがここで作成された内容に置換えられます。") + kLineBreak +
                  QStringLiteral("保存しない場合、「") + C + QStringLiteral("」の今のデータは失われます。") + kLineBreak + kLineBreak +
                  QStringLiteral("「") + C + QStringLiteral("」の今のデータを") + word + QStringLiteral("保存しますか?");
        } else {
            msg = QStringLiteral("データが変更されています。") + kLineBreak +
                  QStringLiteral("保存しない場合、表示している内容が失われます。") + kLineBreak + kLineBreak + word +
                  QStringLiteral("保存しますか?");
        }
        const Answer a = prompt_.askYesNoCancel(C, msg, Icon::Exclamation);
        if (a == Answer::Yes) {
            const bool saved = save();
            state_.overwrite = false;
            // Unsaved content must not be thrown away when the save did not happen.
            return saved ? DiscardAnswer::SavedFirst : DiscardAnswer::KeepDocument;
        }
        if (a == Answer::No) {
            takeBackup();
            state_.modified = 0;
            state_.overwrite = false;
            return DiscardAnswer::Discarded;
        }
        state_.overwrite = false;
        return DiscardAnswer::KeepDocument;
    });
}

}  // namespace petari
