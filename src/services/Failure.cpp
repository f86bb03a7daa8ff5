#include "services/Failure.h"

namespace petari {

QString describeError(int number)
{
    switch (number) {
    case err::InvalidArgument: return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
    case err::Overflow: return QStringLiteral("オーバーフローしました。");
    case err::OutOfMemory: return QStringLiteral("メモリが不足しています。");
    case err::OutOfRange: return QStringLiteral("インデックスが有効範囲にありません。");
    case err::Internal: return QStringLiteral("内部エラーです。");
    case err::BadFileName: return QStringLiteral("ファイル名または番号が不正です。");
    case err::FileNotFound: return QStringLiteral("ファイルが見つかりません。");
    case err::DiskFull: return QStringLiteral("ディスクの空き容量が不足しています。");
    case err::PermissionDenied: return QStringLiteral("書き込みできません。");
    case err::PathFileAccess: return QStringLiteral("パス名が無効です。");
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

}  // namespace petari
