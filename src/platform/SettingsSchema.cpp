#include "platform/SettingsSchema.h"

namespace petari::settings {

template <typename Setting>
Setting Family<Setting>::at(int index) const
{
    Setting s = model;
    s.place.key += QString::number(first + index) + suffix;
    return s;
}

template struct Family<Flag>;
template struct Family<Truth>;
template struct Family<Whole>;
template struct Family<Text>;

namespace {

Whole twips(const QString& section, const char* key, int def)
{
    return {{section, QString::fromLatin1(key)}, def, -kStoredTwipsLimit, kStoredTwipsLimit};
}

}  // namespace

bool WindowArea::sized() const { return byDefault.width > 0; }
Whole WindowArea::top() const { return twips(section, "top", byDefault.top); }
Whole WindowArea::left() const { return twips(section, "Left", byDefault.left); }
Whole WindowArea::height() const { return twips(section, "Height", byDefault.height); }
Whole WindowArea::width() const { return twips(section, "Width", byDefault.width); }

namespace {

void addArea(QList<Place>& to, const WindowArea& area)
{
    to << area.top().place << area.left().place;
    if (area.sized())
        to << area.height().place << area.width().place;
}

template <typename Setting>
void addFamily(QList<Place>& to, const Family<Setting>& family, int count)
{
    for (int i = 0; i < count; ++i)
        to << family.at(i).place;
}

template <typename Setting>
void addFamily(QList<Place>& to, const Family<Setting>& family)
{
    addFamily(to, family, family.count);
}

QList<Place> generatorPlaces()
{
    QList<Place> out;
    addArea(out, generatorWindowArea);
    for (const Whole* w : {&templateKind, &templateTimeInterval, &templateTimeFormat, &templateAlphabet,
                           &templateKana, &additionLines, &emptyLineMode})
        out << w->place;
    for (const Flag* f : {&templateTocBlanks, &templateAddToCurrent, &templateZeroFill, &templateFixedDigits,
                          &templateWeekdays, &templateHolidays, &additionNumbered, &additionZeroFill,
                          &additionFixedDigits, &randomNoRepeats, &randomSorted, &randomRightAlign, &randomStrings,
                          &randomNumbers})
        out << f->place;
    for (const Flag& f : randomSetsUsed)
        out << f.place;
    for (const Text* t : {&templateDigits, &templateStart, &templateEnd, &templateStep, &templateBefore,
                          &templateAfter, &templateAcross, &templateDown, &additionBeforeNumber,
                          &additionBeforeLine, &additionAfterLine, &additionDigits, &additionFirst, &additionStep,
                          &emptyLineCount, &randomMinimum, &randomMaximum, &randomCount, &randomShortest,
                          &randomLongest})
        out << t->place;
    addFamily(out, templateLineUpHistory);
    addFamily(out, randomSetCharacters);
    return out;
}

QList<Place> optionPlaces()
{
    QList<Place> out;
    addArea(out, settingsDialogArea);
    out << lineLength.place << startupFileEnabled.place << startupFile.place;
    for (const Flag* f : {&alwaysOnTop, &askOnExit, &refuseSecondCopy, &keepBackups, &breakLongLines,
                          &annotationEnabled, &breakSingleLine, &trimLeading, &trimTrailing, &pasteToPrevious,
                          &trayIcon, &closeToTray})
        out << f->place;
    for (const Text* t : {&annotation, &splitText, &editorPath, &editorName, &terminalClasses, &callKey})
        out << t->place;
    addFamily(out, clipboardMonitor);
    addFamily(out, copyConversions);
    return out;
}

QList<Place> pricePlaces()
{
    QList<Place> out;
    addArea(out, priceWindowArea);
    addFamily(out, priceTexts);
    addFamily(out, priceChecks);
    addFamily(out, priceRoundings);
    addFamily(out, priceHistory);
    out << priceUnit.place << priceMenuVisible.place;
    return out;
}

}  // namespace

QList<Place> declaredPlaces(const QString& section, int revision)
{
    QList<Place> all = generatorPlaces() + optionPlaces() + pricePlaces();
    addArea(all, mainWindowArea);
    addArea(all, tableWindowArea);
    addArea(all, noticeDialogArea);
    addArea(all, fileNameWindowArea);
    all << rightClickMenu.place << instanceCounter.place << nextBackup.place;
    for (const Text* t : {&fileNameDrive, &fileNameFolder, &fileNameFolderCopy})
        all << t->place;
    all << fileNamesWithoutExtension.place;
    all << versionMajor.place << versionMinor.place << versionRevision.place;
    // The notice's title and text are only read.
    all << versionNoticeState.at(revision).place;
    addFamily(all, history);
    addFamily(all, favourites);
    QList<Place> out;
    for (const Place& p : all)
        if (p.section == section)
            out << p;
    return out;
}

}  // namespace petari::settings
