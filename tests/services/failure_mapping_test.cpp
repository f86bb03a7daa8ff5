#include "services/Guard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <system_error>

namespace petari {
namespace {

TEST(FailureMapping, ErrnoOfFileOperations)
{
    const std::pair<int, int> cases[] = {
        {ENOENT, 53}, {ENOTDIR, 76}, {EACCES, 70}, {EPERM, 70}, {EROFS, 70},
        {ENOSPC, 61}, {EDQUOT, 61}, {EFBIG, 61},   {ENAMETOOLONG, 52}, {EINVAL, 5},
        {ERANGE, 6},  {EOVERFLOW, 6}, {ENOMEM, 7}, {EISDIR, 75},   {EIO, 75},
        {EBUSY, 75},  {0, 75},
    };
    for (auto [e, number] : cases)
        EXPECT_EQ(errorNumberFromErrno(e), number) << e;
}

TEST(FailureMapping, MissingFileOrMissingFolder)
{
    QTemporaryDir dir;
    const QString missingFile = dir.filePath(QStringLiteral("無い.txt"));
    const QString missingFolder = dir.filePath(QStringLiteral("無いフォルダ/a.txt"));

    const Failure f = fileFailure(ENOENT, missingFile);
    EXPECT_EQ(f.number(), 53);
    EXPECT_EQ(f.description(), describeError(53) + QStringLiteral("　") + missingFile);

    EXPECT_EQ(fileFailure(ENOENT, missingFolder).number(), 76);
    EXPECT_EQ(fileFailure(EACCES, missingFile).number(), 70);
    EXPECT_EQ(fileFailure(ENOENT).number(), 53);
    EXPECT_EQ(fileFailure(ENOENT).description(), describeError(53));
}

TEST(FailureMapping, LibraryExceptionsGetCatalogueNumbers)
{
    struct Case { std::exception_ptr e; int number; };
    QTemporaryDir dir;
    const std::string missing = QDir(dir.path()).filePath("nope/x.txt").toStdString();
    std::exception_ptr fsError;
    try {
        (void)std::filesystem::file_size(missing);
    } catch (...) {
        fsError = std::current_exception();
    }
    const Case cases[] = {
        {std::make_exception_ptr(std::out_of_range("index")), 9},
        {std::make_exception_ptr(std::overflow_error("big")), 6},
        {std::make_exception_ptr(std::range_error("big")), 6},
        {std::make_exception_ptr(std::length_error("long")), 6},
        {std::make_exception_ptr(std::invalid_argument("arg")), 5},
        {std::make_exception_ptr(std::domain_error("arg")), 5},
        {std::make_exception_ptr(std::bad_alloc()), 7},
        {std::make_exception_ptr(std::system_error(ENOSPC, std::generic_category())), 61},
        {std::make_exception_ptr(std::system_error(EACCES, std::system_category())), 70},
        {fsError, 76},
        {std::make_exception_ptr(std::runtime_error("boom")), 51},
        {std::make_exception_ptr(Failure(75, QStringLiteral("own"))), 75},
    };
    for (const Case& c : cases) {
        try {
            std::rethrow_exception(c.e);
        } catch (const std::exception& e) {
            const Failure f = failureFromException(e);
            EXPECT_EQ(f.number(), c.number) << e.what();
            EXPECT_TRUE(f.description().startsWith(describeError(c.number)) || c.number == 75)
                << e.what();
        }
    }
}

}  // namespace
}  // namespace petari
