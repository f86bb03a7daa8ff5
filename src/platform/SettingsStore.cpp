#include "platform/SettingsStore.h"

#include "platform/Failure.h"
#include "platform/SettingsSchema.h"
#include "platform/StringUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

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
    // Followed through links: a link to a regular file is a settings file.
    const QFileInfo info(path_);
    if (info.exists() && !info.isFile()) {
        refusal_ = QStringLiteral("設定ファイルが通常のファイルではないため、使えません。") +
                   QStringLiteral("既定の設定で起動し、設定の変更は保存しません。\r\n") + path_;
        // No file can be under /dev/null: nothing is read, every write
        // fails, and the values stay in memory for this run.
        s_ = std::make_unique<QSettings>(QStringLiteral("/dev/null/petari.ini"), QSettings::IniFormat);
        return;
    }
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

void SettingsStore::replaceAll(const QList<Entry>& entries)
{
    if (!refusal_.isEmpty())
        throw Failure(err::PathFileAccess, refusal_);
    for (const Entry& e : entries) {
        const bool nested = e.key.contains(QLatin1Char('/')) || e.key.contains(QLatin1Char('\\')) ||
                            e.section.contains(QLatin1Char('/')) || e.section.contains(QLatin1Char('\\'));
        if (e.section.isEmpty() || e.key.isEmpty() || nested)
            throw Failure(err::InvalidArgument,
                          describeError(err::InvalidArgument) + QChar(0x3000) + e.section + QLatin1Char(',') + e.key);
    }
    // The file the store really lives in: a link to it stays a link, as it
    // does when the settings are written the ordinary way.
    const QFileInfo info(path_);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path_;
    const QString next = target + QStringLiteral(".import");
    QFile::remove(next);   // a remnant of an import that was cut off
    {
        QSettings fresh(next, QSettings::IniFormat);
        fresh.clear();
        for (const Entry& e : entries)
            fresh.setValue(fullKey(e.section, e.key), e.value);
        fresh.sync();
        if (fresh.status() != QSettings::NoError) {
            QFile::remove(next);
            throw Failure(err::PathFileAccess,
                          describeError(err::PathFileAccess) + QChar(0x3000) + next);
        }
    }
    if (std::rename(QFile::encodeName(next).constData(), QFile::encodeName(target).constData()) != 0) {
        const int e = errno;
        QFile::remove(next);
        throw fileFailure(e, target);
    }
    // This copy's view of the file may predate the rename by less than the
    // file system's time resolution, with the same size, and would then not
    // be read again.  Making the view hold the same values removes every
    // doubt; its write puts identical content in place.
    s_->clear();
    for (const Entry& e : entries)
        s_->setValue(fullKey(e.section, e.key), e.value);
    s_->sync();
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

int SettingsStore::integer(const QString& section, const QString& key, int def, int min, int max) const
{
    if (!contains(section, key))
        return def;
    // leadingNumber gives a finite value, 0 for what is no number.
    const double v = std::trunc(leadingNumber(read(section, key)));
    return static_cast<int>(std::clamp(v, double(min), double(max)));
}

void SettingsStore::sync() { s_->sync(); }

bool SettingsStore::isWritable() const { return refusal_.isEmpty() && s_->status() != QSettings::AccessError; }

namespace {
QString onOff(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
QString trueFalse(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }
}  // namespace

bool SettingsStore::get(const settings::Flag& s) const { return get(s, s.byDefault); }

bool SettingsStore::get(const settings::Flag& s, bool byDefault) const
{
    return isOn(s.place.section, s.place.key, byDefault);
}

bool SettingsStore::get(const settings::Truth& s) const { return get(s, s.byDefault); }

bool SettingsStore::get(const settings::Truth& s, bool byDefault) const
{
    const QString v = read(s.place.section, s.place.key, trueFalse(byDefault)).trimmed();
    if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    return leadingNumber(v) != 0;
}

int SettingsStore::get(const settings::Whole& s) const
{
    return integer(s.place.section, s.place.key, s.byDefault, s.min, s.max);
}

QString SettingsStore::get(const settings::Text& s) const { return get(s, s.byDefault); }

QString SettingsStore::get(const settings::Text& s, const QString& byDefault) const
{
    return read(s.place.section, s.place.key, byDefault);
}

QString SettingsStore::text(const settings::Flag& s) const
{
    return read(s.place.section, s.place.key, onOff(s.byDefault));
}

QString SettingsStore::text(const settings::Whole& s) const
{
    return read(s.place.section, s.place.key, QString::number(s.byDefault));
}

void SettingsStore::set(const settings::Flag& s, bool on) { write(s.place.section, s.place.key, onOff(on)); }

void SettingsStore::set(const settings::Truth& s, bool on) { write(s.place.section, s.place.key, trueFalse(on)); }

void SettingsStore::set(const settings::Whole& s, int value)
{
    write(s.place.section, s.place.key, QString::number(value));
}

void SettingsStore::set(const settings::Text& s, const QString& value) { write(s.place.section, s.place.key, value); }

}  // namespace petari
