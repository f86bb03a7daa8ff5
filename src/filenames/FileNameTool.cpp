#include "filenames/FileNameTool.h"

#include "editing/Document.h"
#include "platform/FileLimits.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

namespace petari {

namespace {
QString label(const char* procedure) { return QStringLiteral("F6 ") + QLatin1String(procedure); }
}  // namespace

FileNameTool::FileNameTool(Document& doc, UserPrompt& prompt) : doc_(doc), prompt_(prompt) {}

QString FileNameTool::explanation()
{
    // The middle sentence speaks of this system, where upper and lower case
    // are different names.
    return QStringLiteral(
        "　この「ファイル名の直接変更」は、拡張子を含む全ての文字が半角の英数字であるファイル名のみに有効で、"
        "大文字⇔小文字のの変換を行います。"
        "　大文字と小文字はLinux上では別の名前として扱われますので、変換後の名前のファイルが既にある場合は、"
        "そのファイルはそのままにします。"
        "　UNIX系のサーバー等にアップするときのために機能に入れました。");
}

QString FileNameTool::renamedMessage(int count)
{
    return QString::number(count) + QStringLiteral(" 個のファイル名を変更しました。");
}

QString FileNameTool::notALogMessage() { return QStringLiteral("このファイルには必要な情報がありません。"); }

QString FileNameTool::otherFolderMessage()
{
    return QStringLiteral("このファイルは現在表示しているパスとは合っていません。");
}

bool FileNameTool::showListings(const QString& folder, const QStringList& files,
                                bool withoutExtension, bool showHidden)
{
    bool go = false;
    guarded(label("Command1_Click"), [&] {
        if (doc_.confirmDiscard() == DiscardAnswer::KeepDocument)
            return;
        go = true;
        QStringList lines;
        guarded(label("PsMeiH"), [&] { lines += pathListing(folder); });
        guarded(label("FdMeiH"), [&] { lines += folderListing(listSubfolders(folder, showHidden)); });
        guarded(label("FiMeiH"), [&] { lines += fileListing(files, withoutExtension); });
        try {
            doc_.replaceLines(lines);
        } catch (const DocumentTooLarge& refusal) {
            doc_.showTooLarge(refusal, QStringLiteral("表示できません"));
            go = false;
            return;
        }
        ++listings_;
    });
    return go;
}

void FileNameTool::renameFiles(const QString& folder, const QStringList& files,
                               LetterCase letterCase)
{
    guarded(label("Command2_Click"), [&] {
        if (files.isEmpty())
            return;
        QVector<RenameRow> rows;
        int count = 0;
        const bool whole = guarded(label("FileMeiHenkan"), [&] {
            count = petari::renameFiles(folder, files, letterCase, rows);
        });
        // Whatever was renamed before a failure can still be undone from it;
        // and it is on the disk before the message, which the program may
        // not outlive.
        lastLog_.clear();
        guarded(QStringLiteral("M2 logHozon"), [&] {
            lastLog_ = writeRenameLog(doc_.programFolder(), folder, rows);
        });
        if (whole)
            prompt_.showMessage(Document::caption(), renamedMessage(count), Icon::None);
    });
}

void FileNameTool::undoFromLog(const QString& folder)
{
    guarded(label("Command2_Click"), [&] {
        // The main window's open dialog, starting where the logs are.
        const QString path = prompt_.openFileName(
            QStringLiteral("開く"), QStringLiteral("All Files (*.*)|*.*|ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.txt"),
            logFolderPath(doc_.programFolder()) + QLatin1Char('/'));
        if (path.isEmpty())
            return;
        guarded(label("FileMeiHenModosu"), [&] {
            const UndoResult result = undoRenameLog(path, folder);
            QString message;
            switch (result.status) {
            case UndoResult::NotALog: message = notALogMessage(); break;
            case UndoResult::OtherFolder: message = otherFolderMessage(); break;
            case UndoResult::TooLarge: message = fileTooLargeMessage(path); break;
            case UndoResult::Done:
                message = renamedMessage(result.restored);
                if (result.skipped > 0)
                    message += QLatin1Char('\n') + QString::number(result.skipped) +
                               QStringLiteral(" 行は元に戻せなかったので、そのままにしました。");
                break;
            }
            prompt_.showMessage(Document::caption(), message, Icon::None);
        });
    });
}

void FileNameTool::commitIfListed()
{
    guarded(label("Form_QueryUnload"), [&] {
        if (listings_ >= 1)
            doc_.commitEdit(QString(), Commit::Modified, QStringLiteral("ファイル"), HexView::Drop);
    });
}

}  // namespace petari
