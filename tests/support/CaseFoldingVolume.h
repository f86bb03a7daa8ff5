#pragma once
// A folder on a case-folding volume, where Readme.TXT and readme.txt are one
// name.  PETARI_CASEFOLD_DIR names one when set; otherwise a small exFAT
// image is made and mounted by the kernel's exfat driver on a loop device,
// which needs root (as in CI), a free loop device, mkfs.exfat and a kernel
// with exfat.  (exFAT through FUSE will not do: it gives each spelling of a
// name a node of its own and cannot rename without replacing, so it is not
// the volume the program meets.)  folder() is empty when neither is
// possible, and why() says what refused.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace petari::test {

class CaseFoldingVolume {
public:
    // scratch: an empty folder of the test's for the image and the mount point.
    explicit CaseFoldingVolume(const QString& scratch)
    {
        folder_ = qEnvironmentVariable("PETARI_CASEFOLD_DIR");
        if (!folder_.isEmpty())
            return;
        const QString image = scratch + QStringLiteral("/volume.img");
        const QString mountPoint = scratch + QStringLiteral("/volume");
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(8 << 20) || !QDir().mkdir(mountPoint)) {
            why_ = QStringLiteral("cannot make the image file");
            return;
        }
        file.close();
        QString device;
        if (!run("mkfs.exfat", {image}) || !run("losetup", {"-f", "--show", image}, &device))
            return;
        mounted_ = run("mount", {"-t", "exfat", device, mountPoint});
        // Detached now, the loop device goes once the volume lets go of it.
        run("losetup", {"-d", device});
        if (mounted_)
            folder_ = mountPoint;
    }
    ~CaseFoldingVolume()
    {
        if (mounted_)
            run("umount", {folder_});
    }
    CaseFoldingVolume(const CaseFoldingVolume&) = delete;
    CaseFoldingVolume& operator=(const CaseFoldingVolume&) = delete;

    QString folder() const { return folder_; }
    QString why() const { return why_; }

private:
    bool run(const char* program, const QStringList& arguments, QString* output = nullptr)
    {
        QProcess p;
        p.start(QString::fromLatin1(program), arguments);
        const bool ok = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (output)
            *output = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
        if (!ok && why_.isEmpty())
            why_ = QString::fromLatin1(program) + QStringLiteral(" refused: ") +
                   QString::fromLocal8Bit(p.readAllStandardError()).trimmed() +
                   (p.error() == QProcess::FailedToStart ? p.errorString() : QString());
        return ok;
    }

    QString folder_;
    QString why_;
    bool mounted_ = false;
};

}  // namespace petari::test
