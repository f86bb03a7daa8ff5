// UndoChain: what the run keeps on disk, and its files going again.

#include "editing/UndoChain.h"

#include "editing/SnapshotWriter.h"
#include "editing/WorkFolder.h"

#include <QFileInfo>
#include <QLockFile>

#include <unistd.h>

namespace petari {

qint64 UndoChain::diskInUse() const
{
    collectWrites();
    return diskBytes_;
}

void UndoChain::setSlotBytes(int slot, qint64 bytes) const
{
    diskBytes_ += bytes - slotBytes_.value(slot);
    if (bytes > 0)
        slotBytes_.insert(slot, bytes);
    else
        slotBytes_.remove(slot);
}

void UndoChain::submitRemoval(const QString& path)
{
    WriteJob job;
    job.path = path;
    job.removal = true;
    lastTicket_ = writer_->submit(std::move(job));
}

// The file of step number goes, when it holds that step or is being
// written for it: after the write, since the writer keeps the order.
void UndoChain::forgetFile(int number)
{
    const int slot = fileSlot(number);
    bool writing = false;
    const auto ticket = slotTicket_.constFind(slot);
    if (ticket != slotTicket_.constEnd()) {
        const auto it = std::lower_bound(pending_.begin(), pending_.end(), ticket.value(),
                                         [](const PendingWrite& p, quint64 t) { return p.ticket < t; });
        writing = it != pending_.end() && it->ticket == ticket.value() && it->number == number;
    }
    if (!writing && slotOwner_.value(slot, -1) != number)
        return;
    slotOwner_.remove(slot);
    records_.remove(slot);
    slotTicket_.remove(slot);
    setSlotBytes(slot, 0);
    submitRemoval(snapshotPath(number));
}

void UndoChain::dropUnreachableFiles(int from, int to)
{
    for (int number = from; number <= to; ++number)
        forgetFile(number);
}

void UndoChain::keepWithinDiskBudget(int newest)
{
    collectWrites();
    while (diskBytes_ > diskBudget_ && oldest_ < newest) {
        forgetFile(oldest_);
        const auto kept = kept_.find(oldest_);
        if (kept != kept_.end() && kept->first != shown_)
            dropKept(kept);
        ++oldest_;
    }
}

void UndoChain::removeRunFiles()
{
    if (!claim_)
        return;
    // Only while the folder is still ours: one removed under the running
    // program may have been claimed by another copy since.
    qint64 pid = 0;
    QString host, application;
    if (claim_->getLockInfo(&pid, &host, &application) && pid == qint64(::getpid()))
        removeSnapshotFiles(claimedFolder_);
    claim_.reset();
    claimedFolder_.clear();
}

}  // namespace petari
