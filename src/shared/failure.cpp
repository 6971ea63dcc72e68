#include "shared/failure.h"

namespace Orlenda {

QString failureDescription(Failure kind) {
    switch (kind) {
    case Failure::FileNotFound:
        return QStringLiteral("ファイルが見つかりません。");
    case Failure::PathNotFound:
        return QStringLiteral("パスが見つかりません。");
    case Failure::PermissionDenied:
        return QStringLiteral("書き込みできません。");
    case Failure::ReadOnlyFile:
        return QStringLiteral("書き込みできません。読み取り専用のファイルです。");
    case Failure::FolderNotWritable:
        return QStringLiteral(
            "フォルダーに書き込めないため保存できません。別の場所に保存してください。");
    case Failure::DiskFull:
        return QStringLiteral("ディスクの空き容量が不足しています。");
    case Failure::DeviceIo:
        return QStringLiteral("デバイス I/O エラーです。");
    case Failure::BadFileName:
        return QStringLiteral("ファイル名が不正です。");
    case Failure::IsFolder:
        return QStringLiteral("フォルダーです。ファイルを指定してください。");
    case Failure::NotRegularFile:
        return QStringLiteral("通常のファイルではありません (デバイス、パイプ、ソケット)。");
    case Failure::ReadPermissionDenied:
        return QStringLiteral("読み取りの権限がありません。");
    case Failure::PastEndOfFile:
        return QStringLiteral("ファイルにこれ以上データがありません。");
    case Failure::Overflow:
        return QStringLiteral("オーバーフローしました。");
    case Failure::DivisionByZero:
        return QStringLiteral("0 で除算しました。");
    case Failure::TypeMismatch:
        return QStringLiteral("型が一致しません。");
    case Failure::InvalidArgument:
        return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
    case Failure::InvalidPropertyValue:
        return QStringLiteral("プロパティの値が不正です。");
    case Failure::SubscriptOutOfRange:
        return QStringLiteral("インデックスが有効範囲にありません。");
    case Failure::CannotEncode:
        return QStringLiteral("Shift-JIS で保存できない文字が含まれています。");
    case Failure::InvalidBytes:
        return QStringLiteral("文字として読めないバイト列があります。");
    case Failure::NotATrainFile:
        return QStringLiteral("車両ファイルではありません。");
    case Failure::Unexpected:
        break;
    }
    return QStringLiteral("予期しないエラーが発生しました。");
}

StepFailure::StepFailure(Failure kind, QString detail)
    : mKind(kind), mDetail(std::move(detail)), mWhat(description().toUtf8()) {}

QString StepFailure::description() const {
    const QString text = failureDescription(mKind);
    return mDetail.isEmpty() ? text : text + QLatin1Char(' ') + mDetail;
}

const char* StepFailure::what() const noexcept { return mWhat.constData(); }

} // namespace Orlenda
