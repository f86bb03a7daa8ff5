#pragma once
// Which copies of the program are running: each running copy holds one of a
// set of numbered lock files in the per-user runtime folder.  A copy that
// crashed leaves a lock whose process is gone; QLockFile treats that as stale,
// so it never counts as running.

#include <QString>
#include <memory>

class QLockFile;

namespace petari {

class InstanceRegistry {
public:
    static QString defaultFolder();   // $XDG_RUNTIME_DIR/petari, or a per-user /tmp folder
    explicit InstanceRegistry(QString folder = defaultFolder());
    ~InstanceRegistry();

    // True when a copy other than this one holds a slot.
    bool othersRunning() const;
    // Takes the lowest free slot for this copy; false when none could be taken.
    bool acquire();
    void release();
    int slot() const { return slot_; }

private:
    QString slotPath(int i) const;
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    int slot_ = -1;
};

}  // namespace petari
