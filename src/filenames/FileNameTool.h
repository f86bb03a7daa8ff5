#pragma once
// What the file name window does, without its controls: the listings into
// the document, the rename run with its log, the undo from a log, and the
// commit when the window closes after a listing.  Each command reports its
// own failures and asks its own questions.

#include "filenames/FileNames.h"

#include <QString>
#include <QStringList>

namespace petari {

class Document;
class UserPrompt;

class FileNameTool {
public:
    FileNameTool(Document& doc, UserPrompt& prompt);

    // The explanation shown under the rename buttons.
    static QString explanation();
    // " 個のファイル名を変更しました。" after the count.
    static QString renamedMessage(int count);
    static QString notALogMessage();
    static QString otherFolderMessage();

    // The window opens: no listing yet.
    void opened() { listings_ = 0; }
    int listingCount() const { return listings_; }

    // 表示: after the unsaved-change question, the list becomes the path,
    // sub-folder and file listings of folder; files are the names the window
    // shows.  False when the user kept the document.
    bool showListings(const QString& folder, const QStringList& files, bool withoutExtension,
                      bool showHidden);

    // 変更: renames files of folder into the case, writes the log (also
    // after a run that failed midway) and then tells the count.  Nothing happens
    // for an empty file list.
    void renameFiles(const QString& folder, const QStringList& files, LetterCase letterCase);
    // The log the last rename run wrote; "" when none was written.
    QString lastLogPath() const { return lastLog_; }

    // 元に戻す: asks for a log and renames back what it names in folder.
    void undoFromLog(const QString& folder);

    // Closing: a listing is recorded as the change "ファイル".
    void commitIfListed();

private:
    Document& doc_;
    UserPrompt& prompt_;
    int listings_ = 0;
    QString lastLog_;
};

}  // namespace petari
