#include "platform/SettingsStore.h"

#include "platform/StringUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace petari {

QString SettingsStore::defaultPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/petari/petari.ini");
}

SettingsStore::SettingsStore(const QString& iniPath) : path_(iniPath)
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    s_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    if (s_->status() == QSettings::FormatError) {
        // Keep what the user had before the next write replaces it.
        formatError_ = true;
        QFile::remove(path_ + QStringLiteral(".bad"));
        QFile::copy(path_, path_ + QStringLiteral(".bad"));
    }
}

SettingsStore::~SettingsStore()
{
    if (s_)
        s_->sync();
}

namespace {
QString fullKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}
}  // namespace

QString SettingsStore::read(const QString& section, const QString& key, const QString& def) const
{
    const QVariant v = s_->value(fullKey(section, key));
    if (!v.isValid())
        return def;
    // A value the user edited by hand into a list ("a, b") comes back joined.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    s_->setValue(fullKey(section, key), value);
}

void SettingsStore::deleteAll()
{
    s_->clear();
    s_->sync();
}

QList<QPair<QString, QString>> SettingsStore::section(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    s_->beginGroup(section);
    const QStringList keys = s_->childKeys();
    s_->endGroup();
    for (const QString& k : keys)
        out.append({k, read(section, k)});
    return out;
}

bool SettingsStore::contains(const QString& section, const QString& key) const
{
    return s_->contains(fullKey(section, key));
}

bool SettingsStore::isOnValue(const QString& value) { return leadingNumber(value) == 1.0; }

bool SettingsStore::isOn(const QString& section, const QString& key, bool def) const
{
    return isOnValue(read(section, key, def ? QStringLiteral("1") : QStringLiteral("0")));
}

double SettingsStore::number(const QString& section, const QString& key, double def) const
{
    if (!contains(section, key))
        return def;
    return leadingNumber(read(section, key));
}

void SettingsStore::sync() { s_->sync(); }

bool SettingsStore::isWritable() const { return s_->status() != QSettings::AccessError; }

}  // namespace petari
