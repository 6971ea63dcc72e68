#pragma once

#include <QString>
#include <exception>

namespace Orlenda {

// The kinds of run-time failure a guarded step can meet; each has one
// Japanese description that the error prompt shows.
enum class Failure {
    FileNotFound,
    PathNotFound,
    PermissionDenied,
    ReadOnlyFile,
    FolderNotWritable,
    DiskFull,
    DeviceIo,
    BadFileName,
    IsFolder,
    NotRegularFile,
    ReadPermissionDenied,
    PastEndOfFile,
    Overflow,
    DivisionByZero,
    TypeMismatch,
    InvalidArgument,
    InvalidPropertyValue,
    SubscriptOutOfRange,
    CannotEncode,
    InvalidBytes,
    NotATrainFile,
    Unexpected,
};

QString failureDescription(Failure kind);

// Thrown by a step that fails; the guarded-step helper turns it into a prompt.
class StepFailure : public std::exception {
public:
    explicit StepFailure(Failure kind, QString detail = {});
    Failure kind() const { return mKind; }
    // The description, followed by the detail where one was given.
    QString description() const;
    const char* what() const noexcept override;

private:
    Failure mKind;
    QString mDetail;
    QByteArray mWhat;
};

} // namespace Orlenda
