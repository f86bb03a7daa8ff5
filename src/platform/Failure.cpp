#include "platform/Failure.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <system_error>

namespace petari {

QString describeError(int number)
{
    switch (number) {
    case err::InvalidArgument: return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
    case err::Overflow: return QStringLiteral("オーバーフローしました。");
    case err::OutOfMemory: return QStringLiteral("メモリが不足しています。");
    case err::OutOfRange: return QStringLiteral("インデックスが有効範囲にありません。");
    case err::Internal: return QStringLiteral("プログラム内部のエラーです。");
    case err::BadFileName: return QStringLiteral("ファイル名または番号が不正です。");
    case err::FileNotFound: return QStringLiteral("ファイルが見つかりません。");
    case err::DiskFull: return QStringLiteral("ディスクの空き容量が不足しています。");
    case err::PermissionDenied: return QStringLiteral("アクセスが拒否されました。");
    case err::PathFileAccess: return QStringLiteral("パス名またはファイルにアクセスできません。");
    case err::PathNotFound: return QStringLiteral("パスが見つかりません。");
    case err::ClipboardBusy: return QStringLiteral("クリップボードを開けません。");
    case err::Cancelled: return QStringLiteral("キャンセルされました。");
    default: return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
    }
}

bool isSilentError(int number)
{
    return number == err::ClipboardBusy || number == err::Cancelled;
}

Failure::Failure(int number, QString description)
    : number_(number),
      description_(description.isEmpty() ? describeError(number) : std::move(description)),
      what_(description_.toStdString())
{
}

int errorNumberFromErrno(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT: return err::FileNotFound;
    case ENOTDIR: return err::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return err::PermissionDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return err::DiskFull;
    case ENAMETOOLONG: return err::BadFileName;
    case EINVAL: return err::InvalidArgument;
    case ERANGE:
    case EOVERFLOW: return err::Overflow;
    case ENOMEM: return err::OutOfMemory;
    default: return err::PathFileAccess;
    }
}

Failure fileFailure(int errnoValue, const QString& path)
{
    int number = errorNumberFromErrno(errnoValue);
    if (number == err::FileNotFound && !path.isEmpty()) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QFileInfo(folder).isDir())
            number = err::PathNotFound;
    }
    QString description = describeError(number);
    if (!path.isEmpty())
        description += QChar(0x3000) + QDir::toNativeSeparators(path);
    return Failure(number, description);
}

namespace {
Failure withMessage(int number, const char* message)
{
    QString description = describeError(number);
    const QString own = QString::fromLocal8Bit(message ? message : "").trimmed();
    if (!own.isEmpty())
        description += QChar(0x3000) + own;
    return Failure(number, description);
}
}  // namespace

Failure failureFromException(const std::exception& e)
{
    if (auto* f = dynamic_cast<const Failure*>(&e))
        return *f;
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return Failure(err::OutOfMemory);
    if (auto* s = dynamic_cast<const std::system_error*>(&e)) {
        const std::error_code code = s->code();
        const bool hasErrno = code.category() == std::generic_category() ||
                              code.category() == std::system_category();
        int number = hasErrno ? errorNumberFromErrno(code.value()) : err::PathFileAccess;
        if (auto* fs = dynamic_cast<const std::filesystem::filesystem_error*>(&e)) {
            const QString path = QString::fromStdString(fs->path1().string());
            if (hasErrno && !path.isEmpty())
                return fileFailure(code.value(), path);
        }
        return withMessage(number, e.what());
    }
    if (dynamic_cast<const std::out_of_range*>(&e))
        return withMessage(err::OutOfRange, e.what());
    if (dynamic_cast<const std::overflow_error*>(&e) || dynamic_cast<const std::range_error*>(&e) ||
        dynamic_cast<const std::length_error*>(&e))
        return withMessage(err::Overflow, e.what());
    if (dynamic_cast<const std::invalid_argument*>(&e) || dynamic_cast<const std::domain_error*>(&e))
        return withMessage(err::InvalidArgument, e.what());
    return withMessage(err::Internal, e.what());
}

}  // namespace petari
