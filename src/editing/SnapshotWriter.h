#pragma once
// The background writer of a work folder.  Snapshot and backup files are
// written on a thread of their own, one job after another in the order they
// were handed over, each from the version of the lines it was given: a
// version shares its chunks with the document, and the document's changes
// make versions of their own, so handing one over copies nothing.
//
// One writer serves every undo chain of one work folder in this process.  A
// chain learns what became of its jobs through its WriteClient, a mailbox
// that the writer fills and the chain empties on its own thread.

#include "editing/WorkFile.h"

#include "document/LineText.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace petari {

struct WriteResult {
    quint64 ticket = 0;
    int failure = 0;   // 0: the file was written whole
    QString description;
    WrittenFile file;
};

class WriteClient {
public:
    // Called on the writer thread whenever a result has arrived; it may only
    // post work to the client's own thread.  Empty: nobody is told.
    void setListener(std::function<void()> listener);
    // The results that arrived since the last call, in job order.
    std::vector<WriteResult> take();

private:
    friend class SnapshotWriter;
    void deliver(WriteResult result);

    std::mutex mutex_;
    std::vector<WriteResult> results_;
    std::function<void()> listener_;
};

struct WriteJob {
    QString path;
    LineText lines;
    WorkFileOptions options;
    // A snapshot: when its write fails, a file left under its name by an
    // earlier run or a cut-off redo is removed, so nothing takes it for the
    // snapshot that failed.
    bool snapshot = false;
    // When set, "name length checksum" of the written file is appended to it
    // once the file has its name.
    QString indexPath;
    // Not a write: the file at path goes (a link as a link; a folder stays),
    // after every job handed over before.  Nobody is told.
    bool removal = false;
    std::shared_ptr<WriteClient> client;
};

class SnapshotWriter {
public:
    // The writer of workFolder, started when this process has none yet.
    static std::shared_ptr<SnapshotWriter> forWorkFolder(const QString& workFolder);
    ~SnapshotWriter();   // finishes every job handed over
    SnapshotWriter(const SnapshotWriter&) = delete;
    SnapshotWriter& operator=(const SnapshotWriter&) = delete;

    // Queues a job; returns its ticket.  Tickets grow, and a job is done
    // only after every earlier one.
    quint64 submit(WriteJob job);

    bool isDone(quint64 ticket) const;
    // Waits until the job of ticket is done, at most ms milliseconds (-1:
    // as long as it takes).  True when it is done.
    bool waitFor(quint64 ticket, int ms = -1);
    // The ticket of the last job handed over.
    quint64 lastTicket() const;

private:
    SnapshotWriter();
    void run();
    void perform(quint64 ticket, WriteJob& job);

    struct Entry {
        quint64 ticket = 0;
        WriteJob job;
    };

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    mutable std::condition_variable done_;
    std::deque<Entry> queue_;
    quint64 submitted_ = 0;
    quint64 finished_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace petari
