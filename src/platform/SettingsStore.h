#pragma once
// Per-user settings addressed by section and key, all values text, every read
// with its default.  Kept in an INI file; several running copies share it
// without locking, and the last to write wins.

#include <QList>
#include <QPair>
#include <QString>
#include <memory>

class QSettings;

namespace petari {

namespace settings {
struct Flag;
struct Truth;
struct Whole;
struct Text;
}  // namespace settings

class SettingsStore {
public:
    // The application name under which every setting is stored.
    static QString applicationName() { return QStringLiteral("petari"); }
    // $XDG_CONFIG_HOME/petari/petari.ini, ~/.config when the variable is unset.
    static QString defaultPath();

    explicit SettingsStore(const QString& iniPath = defaultPath());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString path() const { return path_; }

    QString read(const QString& section, const QString& key, const QString& def = QString()) const;
    void write(const QString& section, const QString& key, const QString& value);
    // Removes every section of the program.
    void deleteAll();
    // The keys of a section with their values, ordered by key.
    QList<QPair<QString, QString>> section(const QString& section) const;
    bool contains(const QString& section, const QString& key) const;

    // One value of a whole-store replacement.
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    // Makes the store hold exactly these values, all or nothing: the new
    // store is written completely beside the old file (as petari.ini.import)
    // and then renamed over it.  Throws a Failure when the new file cannot be
    // written or put in place; the old settings are then untouched.  Keys
    // holding "/" or "\" would land in another section and are refused
    // (Failure 5) before anything is written.
    void replaceAll(const QList<Entry>& entries);

    // The on/off rule: on exactly when the value's numeric value is 1.
    bool isOn(const QString& section, const QString& key, bool def = false) const;
    static bool isOnValue(const QString& value);
    // The numeric value of a setting by the leading-number rule.
    double number(const QString& section, const QString& key, double def) const;
    // Every stored number that becomes an int is read here: the whole part
    // of its leading number, held to min..max, so that a value edited by
    // hand (1e20, -1e20, nan, twenty digits) never overflows.  def when the
    // key is absent.
    int integer(const QString& section, const QString& key, int def, int min, int max) const;

    // A declared setting (platform/SettingsSchema.h), read by its kind with
    // its default and range, and written in its stored form.
    bool get(const settings::Flag& s) const;
    bool get(const settings::Truth& s) const;
    int get(const settings::Whole& s) const;
    QString get(const settings::Text& s) const;
    // For the settings whose default is known only at run time.
    bool get(const settings::Flag& s, bool byDefault) const;
    bool get(const settings::Truth& s, bool byDefault) const;
    QString get(const settings::Text& s, const QString& byDefault) const;
    // The stored text, the default written as it would be stored.
    QString text(const settings::Flag& s) const;
    QString text(const settings::Whole& s) const;
    void set(const settings::Flag& s, bool on);
    void set(const settings::Truth& s, bool on);
    void set(const settings::Whole& s, int value);
    void set(const settings::Text& s, const QString& value);

    // Writes pending changes to disk, and takes in what other running copies
    // wrote since; also done on destruction.
    void sync();
    // False once the settings file could not be written (a read-only file or
    // folder): every change then lasts only as long as this run.
    bool isWritable() const;
    // True when the file on disk could not be read as INI when opened; its
    // contents were then kept aside as petari.ini.bad before any write.
    bool hadFormatError() const { return formatError_; }
    // What the user is told when the path holds something other than a
    // regular file (a folder, a named pipe, a device), naming the path; ""
    // otherwise.  Such a path is never opened: reading a pipe would wait for
    // a writer for ever.  The store then starts from the defaults and keeps
    // its changes for this run only (isWritable() is false).
    QString refusal() const { return refusal_; }

private:
    QString path_;
    std::unique_ptr<QSettings> s_;
    bool formatError_ = false;
    QString refusal_;
};

}  // namespace petari
