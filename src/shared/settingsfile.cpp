#include "shared/settingsfile.h"

#include "shared/failure.h"
#include "shared/platform.h"
#include "shared/windowplacement.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace Orlenda {

namespace {

// Why a file of this kind cannot stand where a settings file is read or
// written; empty for a missing or regular one.
QString kindProblem(FileKind kind) {
    switch (kind) {
    case FileKind::Missing:
    case FileKind::Regular:
        return {};
    case FileKind::Folder:
        return QStringLiteral("ファイルではなくフォルダーです。");
    case FileKind::Fifo:
    case FileKind::Socket:
    case FileKind::Device:
        return failureDescription(Failure::NotRegularFile);
    case FileKind::Unreachable:
        break;
    }
    return QStringLiteral("ファイルの種類を調べられません (入れないフォルダー、循環するリンク)。");
}

} // namespace

QString settingsFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + settingsApplication() + QLatin1Char('/') +
           settingsApplication() + QStringLiteral(".conf");
}

QString settingsFileProblem() {
    const QString path = settingsFilePath();
    if (path.isEmpty())
        return QStringLiteral("設定ファイルの場所が決まりません (ホーム フォルダーがありません)。");
    const FileKind kind = PlatformFile::kindOf(path);
    if (const QString problem = kindProblem(kind); !problem.isEmpty())
        return path + QLatin1Char('\n') + problem;
    if (kind == FileKind::Regular && QFileInfo(path).size() > MaxSettingsFileSize)
        return path + QLatin1Char('\n') +
               QStringLiteral("ファイルが大きすぎます (%1 メガバイトまでです)。")
                   .arg(MaxSettingsFileSize / (1024 * 1024));
    // Qt reads a lock it finds there to learn whether its holder lives.
    const QString lock = path + QStringLiteral(".lock");
    if (const QString problem = kindProblem(PlatformFile::kindOf(lock)); !problem.isEmpty())
        return lock + QLatin1Char('\n') + problem;
    return {};
}

QString unusableSettingsText(const QString& problem) {
    return QStringLiteral("設定ファイルを使えないため、既定の設定で起動します。"
                          "ウィンドウの位置や最近使ったファイルは保存されません。\n") +
           problem;
}

} // namespace Orlenda
