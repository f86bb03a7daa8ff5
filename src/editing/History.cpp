#include "editing/History.h"

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/Failure.h"

namespace petari {

namespace {
// Key k of the stored list.
settings::Text stored(int k) { return settings::history.at(k - settings::history.first); }
}  // namespace

QString History::item(int index) const
{
    if (index < 1 || index > kItems)
        return QString();
    return items_[index];
}

QStringList History::entries() const
{
    QStringList out;
    for (int i = 1; i <= count_; ++i)
        out << items_[i];
    return out;
}

bool History::add(const QString& path)
{
    if (path.isEmpty())
        return false;
    // Only shown items count: a hidden item may still hold the caption of an
    // entry that was removed or pushed out, and that must not keep a freshly
    // opened file out of the menu.
    for (int i = 1; i <= count_; ++i)
        if (items_[i] == path)
            return false;
    count_ = std::min(count_ + 1, kVisible);
    for (int n = count_; n >= 1; --n)
        items_[n + 1] = items_[n];
    items_[1] = path;
    return true;
}

void History::removeAt(int index)
{
    if (index < 1 || index > count_)
        throw Failure(err::OutOfRange);
    for (int d = index; d <= count_; ++d)
        items_[d] = items_[d + 1];
    --count_;
}

void History::clear()
{
    for (int i = 1; i <= count_; ++i)
        items_[i].clear();
    count_ = 0;
}

QString History::missingFileQuestion(const QString& path)
{
    return QStringLiteral("ファイルが見つかりません。\r\n") + path +
           QStringLiteral("\r\n\r\n履歴からこの項目を削除しますか？。");
}

void History::load(const SettingsStore& settings)
{
    for (int key = 1; key <= kVisible; ++key) {
        const QString path = settings.get(stored(key));
        if (path.isEmpty())
            break;
        add(path);
    }
}

void History::save(SettingsStore& settings) const
{
    const int n = count_;
    for (int i = 1; i <= n; ++i)
        settings.set(stored(n - i + 1), items_[i]);
    for (int key = n + 1; key <= kItems; ++key)
        settings.set(stored(key), QString());
}

}  // namespace petari
