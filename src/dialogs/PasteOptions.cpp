#include "dialogs/PasteOptions.h"

#include "platform/DesktopHooks.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"

namespace petari {

PasteOptions PasteOptions::load(const SettingsStore& store)
{
    PasteOptions o;
    o.pasteToPrevious = store.get(settings::pasteToPrevious);
    o.terminalClasses = store.get(settings::terminalClasses, defaultTerminalClasses());
    o.callKey = store.get(settings::callKey);
    o.trayIcon = store.get(settings::trayIcon);
    o.closeToTray = store.get(settings::closeToTray);
    return o;
}

void PasteOptions::save(SettingsStore& store) const
{
    store.set(settings::pasteToPrevious, pasteToPrevious);
    store.set(settings::terminalClasses, terminalClasses);
    store.set(settings::callKey, callKey);
    store.set(settings::trayIcon, trayIcon);
    store.set(settings::closeToTray, closeToTray);
}

}  // namespace petari
