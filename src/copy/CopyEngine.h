#pragma once
// Building the text a copy puts on the clipboard: the selected lines cut at the
// annotation mark, trimmed, joined, then converted by the saved options and by
// the one-shot option of the command used.

#include <QString>
#include <QStringList>

namespace petari {

class SettingsStore;

// One-shot line options of a copy request.
enum LineOption : int {
    LineNone = 0,
    LineInvertBreak = 1,     // invert the saved single-line line break
    LineNoJoinBreak = 2,     // several lines joined without line breaks
    LineInvertLeading = 3,   // invert the saved leading-blank trim
    LineInvertTrailing = 4,  // invert the saved trailing-blank trim
    LineHalf = 6,
    LineFull = 7,
};

// One-shot letter options.
enum LetterOption : int {
    LetterNone = 0,
    LetterLower = 1,
    LetterUpper = 2,
    LetterKatakana = 4,
    LetterHiragana = 5,
};

// The saved copy options of the settings dialog.
struct CopyOptions {
    bool breakSingleLine = false;   // "st_c10"
    bool lower = false;             // "0"
    bool upper = false;             // "1"
    bool capitalise = false;        // "2"
    bool full = false;              // "3"
    bool half = false;              // "4"
    bool katakana = false;          // "5"
    bool hiragana = false;          // "6"
    bool trimLeading = false;       // "st_c30"
    bool trimTrailing = false;      // "st_c31"
    bool annotationOn = false;      // "s9"
    QString annotation = QStringLiteral("''");   // "st_t100"

    static CopyOptions fromSettings(const SettingsStore& s);
};

// Index of the first occurrence of needle in text ignoring letter case, the
// width of Latin letters, digits, symbols and blanks, and the difference
// between hiragana and katakana; -1 when absent or needle is empty.
qsizetype findAnnotation(QStringView text, QStringView needle);

// Trims half-width blanks and ideographic spaces.
QString trimLeadingBlanks(const QString& s);
QString trimTrailingBlanks(const QString& s);

// lines are the selected lines in list order; fromMainList tells whether they
// come from the document list (several lines of the split list are always
// joined without a separator).
QString buildCopyText(const QStringList& lines, bool fromMainList, int lineOption,
                      int letterOption, const CopyOptions& saved);

// Captions of the one-shot items that depend on the saved options.
struct CopyMenuCaptions {
    QString breakSingleLineItem;
    QString trimLeadingItem;
    QString trimTrailingItem;
};
CopyMenuCaptions copyMenuCaptions(const CopyOptions& saved);

}  // namespace petari
