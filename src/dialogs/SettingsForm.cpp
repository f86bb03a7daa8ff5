#include "dialogs/SettingsForm.h"

#include "copy/Invisibles.h"
#include "platform/Failure.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "platform/UserPrompt.h"
#include "services/ProgramInfo.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace petari {

namespace {
// Which conversion boxes a press on each box clears: the three letter cases
// exclude each other, full and half width exclude each other, and so do
// hiragana and katakana; half width also clears hiragana, because half-width
// forms exist only for katakana.
constexpr std::array<std::array<bool, 7>, 7> kCleared = {{
    {false, true, true, false, false, false, false},   // [a]
    {true, false, true, false, false, false, false},   // [A]
    {true, true, false, false, false, false, false},   // [Abc]
    {false, false, false, false, true, false, false},  // [全]
    {false, false, false, true, false, false, true},   // [半]
    {false, false, false, false, false, false, true},  // [カ]
    {false, false, false, false, true, true, false},   // [あ]
}};
}  // namespace

void SettingsForm::load(const SettingsStore& store, const QString& programFolder)
{
    SettingsFormValues& v = values;
    v.lineLength = store.text(settings::lineLength);
    const StartupFile startup = storedStartupFile(store, programFolder);
    v.openAtStartup = startup.open;
    v.startupFile = startup.path;
    v.alwaysOnTop = store.get(settings::alwaysOnTop);
    v.askOnExit = store.get(settings::askOnExit);
    v.refuseSecondCopy = store.get(settings::refuseSecondCopy);
    v.keepBackups = store.get(settings::keepBackups);
    v.breakLongLines = store.get(settings::breakLongLines);
    v.annotationOn = store.get(settings::annotationEnabled);
    v.annotation = store.get(settings::annotation);
    v.splitText = store.get(settings::splitText);
    v.editorPath = store.get(settings::editorPath);
    v.editorName = store.get(settings::editorName);
    // Like the main window, the last of the three monitor keys that is on
    // wins, so at most one box shows checked.
    v.monitor = {};
    for (int i = 2; i >= 0; --i) {
        if (store.get(settings::clipboardMonitor.at(i))) {
            v.monitor[i] = true;
            break;
        }
    }
    v.breakSingleLine = store.get(settings::breakSingleLine);
    for (int i = 0; i < 7; ++i)
        v.conversions[i] = store.get(settings::copyConversions.at(i));
    v.trimLeading = store.get(settings::trimLeading);
    v.trimTrailing = store.get(settings::trimTrailing);

    changed_ = false;
    lineLengthBefore_ = v.lineLength;
}

void SettingsForm::save(SettingsStore& store) const
{
    const SettingsFormValues& v = values;
    store.set(settings::lineLength, lineLengthOf(v.lineLength));
    store.set(settings::startupFileEnabled, v.openAtStartup);
    store.set(settings::startupFile, v.startupFile);
    store.set(settings::alwaysOnTop, v.alwaysOnTop);
    store.set(settings::askOnExit, v.askOnExit);
    store.set(settings::refuseSecondCopy, v.refuseSecondCopy);
    store.set(settings::keepBackups, v.keepBackups);
    store.set(settings::breakLongLines, v.breakLongLines);
    store.set(settings::annotationEnabled, v.annotationOn);
    store.set(settings::annotation, v.annotation);
    store.set(settings::splitText, v.splitText);
    store.set(settings::editorPath, v.editorPath);
    store.set(settings::editorName, v.editorName);
    for (int i = 0; i < 3; ++i)
        store.set(settings::clipboardMonitor.at(i), v.monitor[i]);
    store.set(settings::breakSingleLine, v.breakSingleLine);
    for (int i = 0; i < 7; ++i)
        store.set(settings::copyConversions.at(i), v.conversions[i]);
    store.set(settings::trimLeading, v.trimLeading);
    store.set(settings::trimTrailing, v.trimTrailing);
    // Other running copies and the other windows read the keys from disk.
    store.sync();
}

QString SettingsForm::annotationShown() const { return spellOutInvisibles(values.annotation); }
QString SettingsForm::splitTextShown() const { return spellOutInvisibles(values.splitText); }

void SettingsForm::conversionPressed(int index)
{
    if (index < 0 || index >= 7)
        throw Failure(err::OutOfRange);
    for (int i = 0; i < 7; ++i)
        if (kCleared[index][i])
            values.conversions[i] = false;
}

void SettingsForm::setConversion(int index, bool on)
{
    values.conversions.at(index) = on;
    markChanged();
}

bool SettingsForm::setMonitor(int index, bool on)
{
    const std::array<bool, 3> before = values.monitor;
    values.monitor.at(index) = on;
    if (on) {
        values.monitor[(index + 1) % 3] = false;
        values.monitor[(index + 2) % 3] = false;
    }
    markChanged();
    for (int i = 0; i < 3; ++i)
        if (before[i] && !values.monitor[i])
            return true;
    return false;
}

void SettingsForm::clearAllChecks()
{
    values.breakSingleLine = false;
    values.conversions = {};
    values.trimLeading = false;
    values.trimTrailing = false;
    values.annotationOn = false;
    markChanged();
}

void SettingsForm::lineLengthEdited(const QString& text)
{
    values.lineLength = text;
    markChanged();
    try {
        lineLengthOf(text);
    } catch (...) {
        values.lineLength = lineLengthBefore_;
        throw;
    }
}

int SettingsForm::lineLengthOf(const QString& text)
{
    // The current rounding mode is to nearest, halves to even: 100.5 is 100.
    const double rounded = std::nearbyint(leadingNumber(text));
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw Failure(err::Overflow, describeError(err::Overflow) + QChar(0x3000) + text);
    return static_cast<int>(rounded);
}

bool SettingsForm::chooseStartupFile(UserPrompt& prompt)
{
    const QString path = prompt.openFileName(
        QStringLiteral("ファイルを指定"), QStringLiteral("All Files (*.*)|*.*|ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.txt"));
    if (path.isEmpty())
        return false;
    values.startupFile = path;
    markChanged();
    return true;
}

bool SettingsForm::chooseEditor(UserPrompt& prompt)
{
    // Programs here carry no ".exe": any file may be chosen, and the
    // executable bit decides.
    const QString path =
        prompt.openFileName(QStringLiteral("テキストエディタの指定"), QStringLiteral("All Files (*.*)|*.*"));
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable()) {
        prompt.showMessage(programinfo::caption(),
                           QStringLiteral("「") + path + QStringLiteral("」は実行できるファイルではありません。"),
                           Icon::Exclamation);
        return false;
    }
    values.editorPath = path;
    values.editorName = pathTail(path);
    markChanged();
    return true;
}

void SettingsForm::saveAndKeepOpen(SettingsStore& store)
{
    save(store);
    changed_ = false;
}

bool SettingsForm::confirmCloseBox(UserPrompt& prompt) const
{
    if (!changed_)
        return true;
    return prompt.askYesNo(programinfo::caption(), closeQuestion(), Icon::Question) == Answer::Yes;
}

DialogPosition DialogPosition::load(const SettingsStore& store)
{
    DialogPosition p;
    p.top = store.get(settings::settingsDialogArea.top());
    p.left = store.get(settings::settingsDialogArea.left());
    return p;
}

void DialogPosition::save(SettingsStore& store) const
{
    store.set(settings::settingsDialogArea.top(), top);
    store.set(settings::settingsDialogArea.left(), left);
}

}  // namespace petari
