#include "dialogs/SettingsForm.h"

#include "copy/Invisibles.h"
#include "platform/Failure.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "platform/Twips.h"
#include "platform/UserPrompt.h"
#include "services/ProgramInfo.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace petari {

namespace {
const QString kSection = QStringLiteral("F5");

QString key(const char* k) { return QString::fromLatin1(k); }
QString onOff(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

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
    auto on = [&](const char* k, bool def) { return store.isOn(kSection, key(k), def); };
    auto text = [&](const char* k, const QString& def) { return store.read(kSection, key(k), def); };

    v.lineLength = text("s1", QStringLiteral("100"));
    const StartupFile startup = storedStartupFile(store, programFolder);
    v.openAtStartup = startup.open;
    v.startupFile = startup.path;
    v.alwaysOnTop = on("s4", false);
    v.askOnExit = on("s5", false);
    v.refuseSecondCopy = on("s6", false);
    v.keepBackups = on("s7", true);
    v.breakLongLines = on("s8", false);
    v.annotationOn = on("s9", false);
    v.annotation = text("st_t100", QStringLiteral("''"));
    v.splitText = text("st_t101", QStringLiteral(">"));
    v.editorPath = text("exe1", defaultEditorPath());
    v.editorName = text("exe2", defaultEditorName());
    // Like the main window, the last of the three monitor keys that is on
    // wins, so at most one box shows checked.
    v.monitor = {};
    for (int i = 2; i >= 0; --i) {
        if (store.isOn(kSection, QString::number(20 + i))) {
            v.monitor[i] = true;
            break;
        }
    }
    v.breakSingleLine = on("st_c10", false);
    for (int i = 0; i < 7; ++i)
        v.conversions[i] = store.isOn(kSection, QString::number(i));
    v.trimLeading = on("st_c30", false);
    v.trimTrailing = on("st_c31", false);

    changed_ = false;
    lineLengthBefore_ = v.lineLength;
}

void SettingsForm::save(SettingsStore& store) const
{
    const SettingsFormValues& v = values;
    auto put = [&](const char* k, const QString& value) { store.write(kSection, key(k), value); };
    put("s1", QString::number(lineLengthOf(v.lineLength)));
    put("s2", onOff(v.openAtStartup));
    put("s3", v.startupFile);
    put("s4", onOff(v.alwaysOnTop));
    put("s5", onOff(v.askOnExit));
    put("s6", onOff(v.refuseSecondCopy));
    put("s7", onOff(v.keepBackups));
    put("s8", onOff(v.breakLongLines));
    put("s9", onOff(v.annotationOn));
    put("st_t100", v.annotation);
    put("st_t101", v.splitText);
    put("exe1", v.editorPath);
    put("exe2", v.editorName);
    for (int i = 0; i < 3; ++i)
        store.write(kSection, QString::number(20 + i), onOff(v.monitor[i]));
    put("st_c10", onOff(v.breakSingleLine));
    for (int i = 0; i < 7; ++i)
        store.write(kSection, QString::number(i), onOff(v.conversions[i]));
    put("st_c30", onOff(v.trimLeading));
    put("st_c31", onOff(v.trimTrailing));
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
    auto twips = [&](const char* k) { return storedTwips(store, kSection, key(k), 105); };
    p.top = twips("top");
    p.left = twips("Left");
    return p;
}

void DialogPosition::save(SettingsStore& store) const
{
    store.write(kSection, QStringLiteral("top"), QString::number(top));
    store.write(kSection, QStringLiteral("Left"), QString::number(left));
}

}  // namespace petari
