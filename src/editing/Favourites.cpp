#include "editing/Favourites.h"

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "platform/Failure.h"

namespace petari {

namespace {
// Key k of the stored list.
settings::Text stored(int k) { return settings::favourites.at(k - settings::favourites.first); }
}  // namespace

QString Favourites::slot(int k) const
{
    if (k < 1 || k > kSlots)
        return QString();
    return slots_[k];
}

void Favourites::setSlot(int k, const QString& path)
{
    if (k < 1 || k > kSlots)
        throw Failure(err::OutOfRange);
    slots_[k] = path;
}

int Favourites::lastUsedSlot() const
{
    for (int k = kSlots; k >= 1; --k)
        if (!slots_[k].isEmpty())
            return k;
    return 0;
}

bool Favourites::canAdd(const QString& currentFile) const
{
    return !currentFile.isEmpty() && slots_[kSlots].isEmpty();
}

QString Favourites::addCaption(const QString& currentFile)
{
    return QStringLiteral("追加　(") + currentFile + QLatin1Char(')');
}

bool Favourites::add(const QString& currentFile)
{
    if (currentFile.isEmpty())
        return false;
    for (int k = 1; k <= kSlots; ++k) {
        if (slots_[k] == currentFile)
            return false;
        if (slots_[k].isEmpty()) {
            slots_[k] = currentFile;
            return true;
        }
    }
    return false;
}

QString Favourites::toolTip(int k) const { return pathTail(slot(k)); }

void Favourites::load(const SettingsStore& settings)
{
    for (int k = 1; k <= kSlots; ++k)
        slots_[k] = settings.get(stored(k));
}

void Favourites::save(SettingsStore& settings) const
{
    for (int k = 1; k <= kSlots; ++k)
        settings.set(stored(k), slots_[k]);
}

}  // namespace petari
