#include "platform/InstanceRegistry.h"

#include "platform/InstanceChannel.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <unistd.h>

namespace petari {

namespace {
constexpr int kSlots = 64;
}

QString InstanceRegistry::defaultFolder()
{
    // A runtime folder that others may enter is no place for our locks and
    // socket: the per-user folder in /tmp stands in for it.
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !isOwnPrivateFolder(base))
        base = fallbackRuntimeFolder();
    return base + QStringLiteral("/petari");
}

// The folder is made this user's alone; in one that is not, no lock is made
// and no other copy is seen.
InstanceRegistry::InstanceRegistry(QString folder) : folder_(std::move(folder))
{
    preparePrivateFolder(folder_);
}

InstanceRegistry::~InstanceRegistry() { release(); }

QString InstanceRegistry::slotPath(int i) const
{
    return folder_ + QStringLiteral("/instance-%1.lock").arg(i);
}

bool InstanceRegistry::othersRunning() const
{
    if (!isPrivateFolder(folder_))
        return false;
    for (int i = 0; i < kSlots; ++i) {
        if (i == slot_)
            continue;
        QLockFile probe(slotPath(i));
        // Age alone must never make a live copy's lock look stale.
        probe.setStaleLockTime(0);
        if (probe.tryLock(0))
            probe.unlock();
        else if (probe.error() == QLockFile::LockFailedError)
            return true;
    }
    return false;
}

bool InstanceRegistry::acquire()
{
    if (lock_)
        return true;
    if (!isPrivateFolder(folder_))
        return false;
    for (int i = 0; i < kSlots; ++i) {
        auto lf = std::make_unique<QLockFile>(slotPath(i));
        lf->setStaleLockTime(0);
        if (lf->tryLock(0)) {
            lock_ = std::move(lf);
            slot_ = i;
            return true;
        }
    }
    return false;
}

void InstanceRegistry::release()
{
    if (lock_)
        lock_->unlock();
    lock_.reset();
    slot_ = -1;
}

}  // namespace petari
