#pragma once
// A folder that is really read-only, even for root: a small tmpfs mounted,
// filled, then made read-only.  Needs the right to mount (root in CI);
// mounted() is false elsewhere and the test skips.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

namespace petari::test {

class ReadOnlyFolder {
public:
    // Mounts where, writes file name with bytes into it, and makes it read-only.
    ReadOnlyFolder(const QString& where, const QString& name, const QByteArray& bytes) : where_(where)
    {
        QDir().mkpath(where_);
        mounted_ = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", where_}) == 0;
        if (!mounted_)
            return;
        QFile f(where_ + QLatin1Char('/') + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            mounted_ = false;
        f.close();
        if (mounted_)
            readOnly_ = QProcess::execute("mount", {"-o", "remount,ro", where_}) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (mounted_)
            QProcess::execute("umount", {where_});
    }
    bool mounted() const { return mounted_ && readOnly_; }

private:
    QString where_;
    bool mounted_ = false;
    bool readOnly_ = false;
};

}  // namespace petari::test
