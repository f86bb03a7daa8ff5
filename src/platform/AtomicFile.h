#pragma once
// A file replaced whole: the bytes go to a new temporary file beside the
// target, whose name replaces the target's only when it is complete.  No
// reader ever sees half a file, a crash leaves at most a stray temporary
// file, and a symbolic link in the target's place is replaced, never
// written through.  Every call goes through fileCalls(), where tests put
// failures.

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace petari {

class AtomicFile {
public:
    // Creates the temporary file; throws the failure (70 no permission,
    // 61 disk full, 76 a missing folder, 75 a folder in the way or any
    // other) naming path.
    explicit AtomicFile(const QString& path);
    // Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const QByteArray& bytes);
    // The file gets mode when it is not 0, is forced to the disk when
    // durable, and takes the target's name.
    void commit(bool durable, mode_t mode);

private:
    QString path_;
    QByteArray target_;
    QByteArray temp_;
    int fd_ = -1;
    bool renamed_ = false;
};

// The permissions a file made the ordinary way gets under the umask in
// force now (mkstemp makes 0600).
mode_t ordinaryFileMode();

// Replaces path with bytes as above.  Throws as AtomicFile.
void replaceFile(const QString& path, const QByteArray& bytes, bool durable, mode_t mode);

}  // namespace petari
