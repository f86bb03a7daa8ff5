#include "dialogs/PasteOptions.h"

#include "platform/DesktopHooks.h"
#include "platform/SettingsStore.h"

namespace petari {

namespace {
const QString kSection = QStringLiteral("F5");
QString onOff(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
}  // namespace

PasteOptions PasteOptions::load(const SettingsStore& store)
{
    PasteOptions o;
    o.pasteToPrevious = store.isOn(kSection, QStringLiteral("s10"));
    o.terminalClasses = store.read(kSection, QStringLiteral("s11"), defaultTerminalClasses());
    o.callKey = store.read(kSection, QStringLiteral("s12"), QString());
    o.trayIcon = store.isOn(kSection, QStringLiteral("s13"));
    o.closeToTray = store.isOn(kSection, QStringLiteral("s14"));
    return o;
}

void PasteOptions::save(SettingsStore& store) const
{
    store.write(kSection, QStringLiteral("s10"), onOff(pasteToPrevious));
    store.write(kSection, QStringLiteral("s11"), terminalClasses);
    store.write(kSection, QStringLiteral("s12"), callKey);
    store.write(kSection, QStringLiteral("s13"), onOff(trayIcon));
    store.write(kSection, QStringLiteral("s14"), onOff(closeToTray));
}

}  // namespace petari
