// Writes of work files that fail or stop short, whoever runs the tests: the
// system calls are replaced for the step (FileCalls), so a full disk, a
// failing flush or a lost rename happen on demand.

#include "editing/SnapshotWriter.h"
#include "editing/WorkFile.h"
#include "platform/FileCalls.h"
#include "support/FailureNumber.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <cerrno>
#include <sys/stat.h>

namespace petari {
namespace {

using test::failureNumber;

// The system's calls, but one kind fails with an errno once `after` calls of
// it went through; writes pass at most `chunk` bytes at a time.
struct FaultyCalls : FileCalls {
    enum Call { None, Temporary, Write, WriteNothing, Interrupt, Mode, Flush, Close, Rename };
    Call failing = None;
    int error = 0;
    int after = 0;
    size_t chunk = size_t(-1);
    int seen = 0;
    int flushes = 0;

    bool fails(Call c)
    {
        if (c != failing || seen++ < after)
            return false;
        errno = error;
        return true;
    }
    int makeTemporary(char* pattern) override { return fails(Temporary) ? -1 : FileCalls::makeTemporary(pattern); }
    ssize_t write(int fd, const void* data, size_t size) override
    {
        if (fails(Write))
            return -1;
        if (failing == WriteNothing && fails(WriteNothing))
            return 0;
        if (failing == Interrupt && seen == 0 && fails(Interrupt))
            return -1;
        return FileCalls::write(fd, data, std::min(size, chunk));
    }
    int changeMode(int fd, mode_t mode) override { return fails(Mode) ? -1 : FileCalls::changeMode(fd, mode); }
    int flush(int fd) override
    {
        ++flushes;
        return fails(Flush) ? -1 : FileCalls::flush(fd);
    }
    int close(int fd) override
    {
        if (!fails(Close))
            return FileCalls::close(fd);
        FileCalls::close(fd);
        errno = error;
        return -1;
    }
    int rename(const char* from, const char* to) override { return fails(Rename) ? -1 : FileCalls::rename(from, to); }
};

struct InForce {
    explicit InForce(FileCalls* calls) { setFileCalls(calls); }
    ~InForce() { setFileCalls(nullptr); }
};

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct WorkFileFaults : ::testing::Test {
    QTemporaryDir dir;
    QString target() const { return dir.filePath(QStringLiteral("バックアップ001.txt")); }
    QStringList names() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
};

TEST_F(WorkFileFaults, AFailedWriteKeepsTheOlderFileAndLeavesNoTemporaryOne)
{
    struct Case {
        FaultyCalls::Call call;
        int error;
        int after;
        int number;
    };
    const Case cases[] = {
        {FaultyCalls::Temporary, EACCES, 0, 70},  {FaultyCalls::Temporary, ENOENT, 0, 76},
        {FaultyCalls::Write, ENOSPC, 0, 61},      {FaultyCalls::Write, EDQUOT, 1, 61},
        {FaultyCalls::Write, EIO, 0, 75},         {FaultyCalls::Write, EROFS, 0, 70},
        {FaultyCalls::WriteNothing, 0, 0, 61},    {FaultyCalls::Flush, EIO, 0, 75},
        {FaultyCalls::Flush, ENOSPC, 0, 61},      {FaultyCalls::Close, EIO, 0, 75},
        {FaultyCalls::Rename, EXDEV, 0, 75},      {FaultyCalls::Rename, ENOENT, 0, 76},
        {FaultyCalls::Rename, EACCES, 0, 70},
    };
    // Three blocks: the second write can fail after the first went through.
    const QStringList lines{QStringLiteral("新しい"), QString(1 << 20, QLatin1Char('x')), QString(1 << 20, QLatin1Char('y'))};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "call " << c.call << " errno " << c.error);
        put(target(), "old\r\n");
        FaultyCalls calls;
        calls.failing = c.call;
        calls.error = c.error;
        calls.after = c.after;
        InForce inForce(&calls);
        EXPECT_EQ(failureNumber([&] { writeWorkFile(target(), lines); }), c.number);
        EXPECT_EQ(bytesOf(target()), QByteArray("old\r\n"));
        EXPECT_EQ(names(), QStringList{QStringLiteral("バックアップ001.txt")});
    }
}

TEST_F(WorkFileFaults, WritesCutShortOrInterruptedAreCompleted)
{
    struct Case {
        FaultyCalls::Call call;
        size_t chunk;
    };
    const Case cases[] = {{FaultyCalls::None, 1}, {FaultyCalls::None, 3}, {FaultyCalls::Interrupt, size_t(-1)}};
    for (const Case& c : cases) {
        FaultyCalls calls;
        calls.failing = c.call;
        calls.error = EINTR;
        calls.chunk = c.chunk;
        InForce inForce(&calls);
        writeWorkFile(target(), {QStringLiteral("あい"), QStringLiteral("b")});
        EXPECT_EQ(bytesOf(target()), QByteArray("\x82\xA0\x82\xA2\r\nb\r\n")) << c.chunk;
    }
}

TEST_F(WorkFileFaults, OnlyDurableFilesAreFlushedAndAFlushTheDiskCannotDoIsNoFailure)
{
    struct Case {
        bool durable;
        int error;
        int flushes;
        int number;
    };
    const Case cases[] = {{false, EIO, 0, 0}, {true, EINVAL, 1, 0}, {true, EROFS, 1, 0}, {true, EIO, 1, 75}};
    for (const Case& c : cases) {
        FaultyCalls calls;
        calls.failing = FaultyCalls::Flush;
        calls.error = c.error;
        InForce inForce(&calls);
        WorkFileOptions options;
        options.durable = c.durable;
        EXPECT_EQ(failureNumber([&] { writeLinesFile(target(), {"a"}, options); }), c.number) << c.error;
        EXPECT_EQ(calls.flushes, c.flushes) << c.error;
    }
}

TEST_F(WorkFileFaults, DurableFilesFollowTheUmaskSnapshotsStayPrivate)
{
    struct Case {
        mode_t umask;
        bool durable;
        int mode;
    };
    const Case cases[] = {{022, true, 0644}, {027, true, 0640}, {002, true, 0664}, {022, false, 0600}};
    for (const Case& c : cases) {
        const mode_t before = ::umask(c.umask);
        WorkFileOptions options;
        options.durable = c.durable;
        writeLinesFile(target(), {"a"}, options);
        ::umask(before);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(target()).constData(), &st), 0);
        EXPECT_EQ(int(st.st_mode & 0777), c.mode) << std::oct << c.umask;
    }
}

TEST_F(WorkFileFaults, AWriteGivesItsLengthAndChecksum)
{
    WorkFileOptions options;
    options.checksum = true;
    struct Case {
        QStringList lines;
        QByteArray bytes;
        quint32 checksum;
    };
    const Case cases[] = {
        {{}, "", 0x00000000},
        {{"a"}, "a\r\n", 0xE32FEF56},
        {{QStringLiteral("あ")}, "\x82\xA0\r\n", 0xEA176B9F},
        // 〜 comes back from CP932 as ～: the whole file is UTF-8 then.
        {{"a", QStringLiteral("〜")}, "\xEF\xBB\xBF" "a\r\n\xE3\x80\x9C\r\n", 0xC1D3A67F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.join('|').toStdString());
        const WrittenFile w = writeLinesFile(target(), c.lines, options);
        EXPECT_EQ(bytesOf(target()), c.bytes);
        EXPECT_EQ(w.length, c.bytes.size());
        EXPECT_EQ(w.checksum, c.checksum);
        EXPECT_EQ(readWorkFile(target()), c.lines);
    }
    EXPECT_EQ(crc32Of("\r\n", crc32Of("a")), 0xE32FEF56u);
}

TEST_F(WorkFileFaults, DamagedBytesWithoutAChecksumAreRefused)
{
    const QString damaged = QStringLiteral("元に戻すデータが壊れています。　") + target();
    struct Case {
        QByteArray bytes;
        QStringList lines;   // empty with refused
        bool refused;
    };
    const Case cases[] = {
        {"\x82\xA0\r\n", {QStringLiteral("あ")}, false},
        {"\xC3\xBD\r\n", {QStringLiteral("ﾃｽ")}, false},   // CP932 without a mark, though it is UTF-8 too
        {"\xEF\xBB\xBF\xC3\xBD\r\n", {QStringLiteral("ý")}, false},
        {"", {}, false},
        {"\x82\r\n", {}, true},                         // a lead byte without its trail
        {"a\r\n\x81", {}, true},
        {"\xEF\xBB\xBF\xFF\r\n", {}, true},              // a mark, then no UTF-8
        {"\xEF\xBB\xBF\xE3\x81\r\n", {}, true},          // a UTF-8 character cut short
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        put(target(), c.bytes);
        try {
            EXPECT_EQ(readWorkFile(target()), c.lines);
            EXPECT_FALSE(c.refused);
        } catch (const Failure& f) {
            EXPECT_TRUE(c.refused);
            EXPECT_EQ(f.number(), 75);
            EXPECT_EQ(f.description(), damaged);
        }
    }
    EXPECT_EQ(failureNumber([&] { readWorkBytes(dir.filePath("missing.txt")); }), 53);
    EXPECT_EQ(failureNumber([&] { readWorkBytes(dir.path()); }), 75);
}

// The writer thread: what becomes of a job whose write fails.
struct WriterFaults : WorkFileFaults {
    std::shared_ptr<SnapshotWriter> writer = SnapshotWriter::forWorkFolder(dir.path());
    std::shared_ptr<WriteClient> client = std::make_shared<WriteClient>();

    WriteResult run(WriteJob job)
    {
        job.client = client;
        writer->waitFor(writer->submit(std::move(job)));
        std::vector<WriteResult> results = client->take();
        return results.empty() ? WriteResult() : results.back();
    }
};

TEST_F(WriterFaults, AFailedBackupKeepsTheOlderFileOfThatNumberAFailedSnapshotRemovesIt)
{
    for (const bool snapshot : {false, true}) {
        SCOPED_TRACE(snapshot ? "snapshot" : "backup");
        put(target(), "older\r\n");
        FaultyCalls calls;
        calls.failing = FaultyCalls::Write;
        calls.error = ENOSPC;
        InForce inForce(&calls);
        WriteJob job;
        job.path = target();
        job.lines = {"newer"};
        job.snapshot = snapshot;
        job.options.durable = !snapshot;
        job.indexPath = dir.filePath("index.txt");
        const WriteResult r = run(job);
        EXPECT_EQ(r.failure, 61);
        EXPECT_EQ(r.description, QStringLiteral("ディスクの空き容量が不足しています。") + target());
        EXPECT_EQ(bytesOf(target()), snapshot ? QByteArray("(missing)") : QByteArray("older\r\n"));
        EXPECT_FALSE(QFileInfo::exists(job.indexPath));
    }
}

TEST_F(WriterFaults, AWrittenFileIsNamedInTheIndexWithItsLengthAndChecksum)
{
    WriteJob job;
    job.path = dir.filePath("mk0007.txt");
    job.lines = {"a"};
    job.snapshot = true;
    job.options.checksum = true;
    job.indexPath = dir.filePath("index.txt");
    WriteResult r = run(job);
    EXPECT_EQ(r.failure, 0);
    EXPECT_EQ(r.file.length, 3);
    job.path = dir.filePath("mk0008.txt");
    job.lines = {QStringLiteral("あ")};
    r = run(job);
    EXPECT_EQ(bytesOf(job.indexPath), QByteArray("mk0007.txt 3 e32fef56\r\nmk0008.txt 4 ea176b9f\r\n"));
    // An index that is a symbolic link is not written through.
    ASSERT_TRUE(QFile::remove(job.indexPath));
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere.txt"), job.indexPath));
    r = run(job);
    EXPECT_EQ(r.failure, 70);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("elsewhere.txt")));
}

// Holds every write until opened, so that jobs queue up behind one.
struct GateCalls : FileCalls {
    std::atomic<bool> open{false};
    std::atomic<int> waiting{0};
    ssize_t write(int fd, const void* data, size_t size) override
    {
        ++waiting;
        while (!open)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return FileCalls::write(fd, data, size);
    }
};

TEST_F(WriterFaults, JobsAreDoneInOrder)
{
    EXPECT_EQ(SnapshotWriter::forWorkFolder(dir.path() + "/./"), writer);
    EXPECT_NE(SnapshotWriter::forWorkFolder(dir.filePath("other")), writer);
    std::atomic<int> told{0};
    client->setListener([&] { ++told; });
    GateCalls gate;
    InForce inForce(&gate);
    const auto job = [&](const char* name) {
        WriteJob j;
        j.path = dir.filePath(name);
        j.lines = QStringList{QString::fromLatin1(name)};
        j.client = client;
        return writer->submit(std::move(j));
    };
    const quint64 first = job("a.txt");
    while (gate.waiting == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const quint64 second = job("b.txt");
    const quint64 third = job("c.txt");
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(writer->lastTicket(), third);
    EXPECT_FALSE(writer->isDone(first));
    EXPECT_FALSE(writer->waitFor(first, 20));
    EXPECT_FALSE(writer->waitFor(first, 0));
    gate.open = true;
    EXPECT_TRUE(writer->waitFor(third));
    EXPECT_TRUE(writer->isDone(third));
    EXPECT_FALSE(writer->isDone(third + 1));
    std::vector<quint64> order;
    for (const WriteResult& r : client->take()) {
        order.push_back(r.ticket);
        EXPECT_EQ(r.failure, 0);
    }
    EXPECT_EQ(order, (std::vector<quint64>{first, second, third}));
    EXPECT_EQ(told, 3);
    EXPECT_EQ(bytesOf(dir.filePath("c.txt")), QByteArray("c.txt\r\n"));
    EXPECT_TRUE(client->take().empty());
}

}  // namespace
}  // namespace petari
