#pragma once
// Every stored setting of the program, each declared once: the section and
// key it has in petari.ini and in exported settings, how its text is read,
// its default and its range.  Readers and writers go through
// SettingsStore::get and set with these, so that a key or a default is
// written nowhere else.  Keys made of a prefix and a number ("T1" and an
// index, the history's "1" to "11") are declared once as a family.

#include "platform/Twips.h"

#include <QList>
#include <QString>
#include <climits>

namespace petari::settings {

struct Place {
    QString section;
    QString key;
};

// "1" or "0"; on exactly when the value's numeric value is 1.
struct Flag {
    Place place;
    bool byDefault = false;
};

// "True" or "False" as the price window writes them; true is "True" in any
// case, or a number other than 0.
struct Truth {
    Place place;
    bool byDefault = false;
};

// A whole number: the whole part of the value's leading number, held to
// min..max.
struct Whole {
    Place place;
    int byDefault = 0;
    int min = INT_MIN;
    int max = INT_MAX;
};

// Text as stored.  A few defaults exist only at run time (the program
// folder's read-me, the desktop's terminals): those are declared without
// one, and their reader gives it.
struct Text {
    Place place;
    QString byDefault;
};

// Keys prefix + number + suffix for number = first, first + 1, …; member
// index i has the number first + i.  count 0: no fixed number of members.
template <typename Setting>
struct Family {
    Setting model;   // the section, default and range of every member; its key is the prefix
    int first = 0;
    int count = 0;
    QString suffix = {};

    Setting at(int index) const;
};
extern template struct Family<Flag>;
extern template struct Family<Truth>;
extern template struct Family<Whole>;
extern template struct Family<Text>;

// A window's place in twips: "top" and "Left", and "Height" and "Width"
// where its size is kept too (a default width of 0: not kept).
struct WindowArea {
    QString section;
    TwipsRect byDefault;

    bool sized() const;
    Whole top() const;
    Whole left() const;
    Whole height() const;
    Whole width() const;
};

// ---- the main window ("F1") and the options of the settings dialog ("F5")
inline const WindowArea mainWindowArea{QStringLiteral("F1"), {105, 105, 7000, 5000}};
// Which menu the right button pops up: 0 to 4; held just outside, no menu.
inline const Whole rightClickMenu{{QStringLiteral("F1"), QStringLiteral("rcrh0")}, 4, -1, 5};

inline const WindowArea settingsDialogArea{QStringLiteral("F5"), {105, 105, 0, 0}};
inline const Whole lineLength{{QStringLiteral("F5"), QStringLiteral("s1")}, 100, 0, INT_MAX};
inline const Flag startupFileEnabled{{QStringLiteral("F5"), QStringLiteral("s2")}};   // on when the read-me exists
inline const Text startupFile{{QStringLiteral("F5"), QStringLiteral("s3")}};          // the read-me
inline const Flag alwaysOnTop{{QStringLiteral("F5"), QStringLiteral("s4")}, false};
inline const Flag askOnExit{{QStringLiteral("F5"), QStringLiteral("s5")}, false};
inline const Flag refuseSecondCopy{{QStringLiteral("F5"), QStringLiteral("s6")}, false};
inline const Flag keepBackups{{QStringLiteral("F5"), QStringLiteral("s7")}, true};
inline const Flag breakLongLines{{QStringLiteral("F5"), QStringLiteral("s8")}, false};
inline const Flag annotationEnabled{{QStringLiteral("F5"), QStringLiteral("s9")}, false};
inline const Text annotation{{QStringLiteral("F5"), QStringLiteral("st_t100")}, QStringLiteral("''")};
inline const Text splitText{{QStringLiteral("F5"), QStringLiteral("st_t101")}, QStringLiteral(">")};
inline const Text editorPath{{QStringLiteral("F5"), QStringLiteral("exe1")}, QStringLiteral("xdg-open")};
inline const Text editorName{{QStringLiteral("F5"), QStringLiteral("exe2")}, QStringLiteral("テキストエディタ")};
// The clipboard monitor's three boxes, "20" to "22": show, append, append
// after a line break.
inline const Family<Flag> clipboardMonitor{{{QStringLiteral("F5"), QString()}, false}, 20, 3};
inline const Flag breakSingleLine{{QStringLiteral("F5"), QStringLiteral("st_c10")}, false};
// The copy conversions "0" to "6": lower, upper, capitalise, full width,
// half width, katakana, hiragana.
inline const Family<Flag> copyConversions{{{QStringLiteral("F5"), QString()}, false}, 0, 7};
inline const Flag trimLeading{{QStringLiteral("F5"), QStringLiteral("st_c30")}, false};
inline const Flag trimTrailing{{QStringLiteral("F5"), QStringLiteral("st_c31")}, false};
inline const Flag pasteToPrevious{{QStringLiteral("F5"), QStringLiteral("s10")}, false};
inline const Text terminalClasses{{QStringLiteral("F5"), QStringLiteral("s11")}};   // the known terminals
inline const Text callKey{{QStringLiteral("F5"), QStringLiteral("s12")}, QString()};
inline const Flag trayIcon{{QStringLiteral("F5"), QStringLiteral("s13")}, false};
inline const Flag closeToTray{{QStringLiteral("F5"), QStringLiteral("s14")}, false};

// ---- the running copies, the version, the lists
// Not a number from 0 to 255 is reported by its reader.
inline const Text instanceCounter{{QStringLiteral("A1"), QStringLiteral("No")}, QStringLiteral("0")};
inline const Whole versionMajor{{QStringLiteral("ver"), QStringLiteral("major")}, 0};
inline const Whole versionMinor{{QStringLiteral("ver"), QStringLiteral("minor")}, 0};
inline const Whole versionRevision{{QStringLiteral("ver"), QStringLiteral("revision")}, 0, 0, INT_MAX};
// Per revision: whether its notice shows at start-up, its title, its text.
inline const Family<Text> versionNoticeState{{{QStringLiteral("ver"), QString()}, QStringLiteral("0")}, 0, 0,
                                             QStringLiteral("b")};
inline const Family<Text> versionNoticeTitle{{{QStringLiteral("ver"), QString()}, QStringLiteral("お知らせ")}, 0, 0,
                                             QStringLiteral("a")};
inline const Family<Text> versionNoticeBody{{{QStringLiteral("ver"), QString()}, QString()}, 0, 0};
// "1" the oldest; written up to "11", an empty value ends the list.
inline const Family<Text> history{{{QStringLiteral("rireki"), QString()}, QString()}, 1, 11};
inline const Family<Text> favourites{{{QStringLiteral("okiniiri"), QString()}, QString()}, 1, 10};
// The number of the next backup file, 1 to kBackupFiles; held just outside,
// it starts again.
constexpr int kBackupFiles = 255;
inline const Whole nextBackup{{QStringLiteral("M2"), QStringLiteral("backup")}, 1, 0, kBackupFiles + 1};

// ---- the other windows
inline const WindowArea generatorWindowArea{QStringLiteral("F2"), {105, 105, 0, 0}};
// ---- the generator window's pages ("F2"); an index held just outside the
// buttons picks the page's default button
inline Flag generatorFlag(const char* key, bool def) { return {{QStringLiteral("F2"), QString::fromLatin1(key)}, def}; }
inline Text generatorText(const char* key, const char* def)
{
    return {{QStringLiteral("F2"), QString::fromLatin1(key)}, QString::fromUtf8(def)};
}
inline Whole generatorIndex(const char* key, int def) { return {{QStringLiteral("F2"), QString::fromLatin1(key)}, def, -1, 1000}; }

inline const Whole templateKind = generatorIndex("a1", 0);
inline const Flag templateTocBlanks = generatorFlag("a2", true);
inline const Flag templateAddToCurrent = generatorFlag("a3", false);
inline const Text templateDigits = generatorText("b1", "3");
inline const Flag templateZeroFill = generatorFlag("b2", true);
inline const Text templateStart = generatorText("b3", "1");
inline const Text templateEnd = generatorText("b4", "100");
inline const Text templateStep = generatorText("b5", "1");
inline const Text templateBefore = generatorText("b6", "");
inline const Text templateAfter = generatorText("b7", "");
inline const Flag templateFixedDigits = generatorFlag("b8", true);
inline const Flag templateWeekdays = generatorFlag("c1", true);
inline const Flag templateHolidays = generatorFlag("c2", true);
inline const Whole templateTimeInterval = generatorIndex("d1", 0);
inline const Whole templateTimeFormat = generatorIndex("d2", 0);
inline const Whole templateAlphabet = generatorIndex("e1", 0);
inline const Whole templateKana = generatorIndex("f1", 1);
// The strings last lined up, "30" to "39".
inline const Family<Text> templateLineUpHistory{generatorText("", ""), 30, 10};
inline const Text templateAcross = generatorText("g1", "10");
inline const Text templateDown = generatorText("g2", "1");

inline const Whole additionLines = generatorIndex("h1", 0);
inline const Flag additionNumbered = generatorFlag("h2", false);
inline const Flag additionZeroFill = generatorFlag("h3", true);
inline const Flag additionFixedDigits = generatorFlag("h4", true);
inline const Text additionBeforeNumber = generatorText("10", "");
inline const Text additionBeforeLine = generatorText("11", "");
inline const Text additionAfterLine = generatorText("12", "");
inline const Text additionDigits = generatorText("13", "3");
inline const Text additionFirst = generatorText("14", "1");
inline const Text additionStep = generatorText("15", "1");

inline const Whole emptyLineMode = generatorIndex("i1", 0);
inline const Text emptyLineCount = generatorText("i2", "1");

inline const Flag randomNoRepeats = generatorFlag("j0", true);
inline const Flag randomSorted = generatorFlag("j1", false);
inline const Flag randomRightAlign = generatorFlag("j2", true);
inline const Flag randomStrings = generatorFlag("j3", true);
inline const Text randomMinimum = generatorText("j4", "1");
inline const Text randomMaximum = generatorText("j5", "43");
inline const Text randomCount = generatorText("j6", "6");
inline const Text randomShortest = generatorText("j7", "6");
inline const Text randomLongest = generatorText("j8", "8");
inline const Flag randomNumbers = generatorFlag("j9", false);
// The four character sets of random strings: whether each is used ("j10" to
// "j13") and its characters ("j14" to "j17", the sets' own by default).
inline const Flag randomSetsUsed[4] = {generatorFlag("j10", true), generatorFlag("j11", true),
                                       generatorFlag("j12", true), generatorFlag("j13", false)};
inline const Family<Text> randomSetCharacters{generatorText("j", ""), 14, 4};

inline const WindowArea tableWindowArea{QStringLiteral("F3"), {105, 105, 8000, 6000}};
inline const WindowArea noticeDialogArea{QStringLiteral("F4"), {105, 105, 0, 0}};
inline const WindowArea fileNameWindowArea{QStringLiteral("F6"), {105, 105, 0, 0}};
inline const Flag fileNamesWithoutExtension{{QStringLiteral("F6"), QStringLiteral("a1")}, false};
inline const Text fileNameDrive{{QStringLiteral("F6"), QStringLiteral("a2")}};   // the program folder's volume
inline const Text fileNameFolder{{QStringLiteral("F6"), QStringLiteral("a3")}, QString()};
inline const Text fileNameFolderCopy{{QStringLiteral("F6"), QStringLiteral("a4")}, QString()};

inline const WindowArea priceWindowArea{QStringLiteral("F7"), {105, 105, 0, 0}};
// The price window's boxes, check boxes and rounding options; their defaults
// are the price input's.
inline const Family<Text> priceTexts{{{QStringLiteral("F7"), QStringLiteral("T1")}}, 0, 7};
inline const Family<Flag> priceChecks{{{QStringLiteral("F7"), QStringLiteral("C1")}}, 0, 4};
inline const Family<Truth> priceRoundings{{{QStringLiteral("F7"), QStringLiteral("O1")}}, 0, 3};
// The unit prices last used, most recent first; "0" is a free place.
inline const Family<Text> priceHistory{{{QStringLiteral("F7"), QStringLiteral("C")}, QStringLiteral("0")}, 0, 10};
inline const Text priceUnit{{QStringLiteral("F7"), QStringLiteral("CT")}};
inline const Truth priceMenuVisible{{QStringLiteral("F7"), QStringLiteral("Visible")}, false};

// Every key of a section that the program writes, the families with all
// their members (the version notice's for revision).
QList<Place> declaredPlaces(const QString& section, int revision);

}  // namespace petari::settings
