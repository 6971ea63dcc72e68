#include "process/processrun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// Runs orlenda-cli with arguments passed as raw bytes, as a shell passes a
// name from an old archive: QProcess would encode them as UTF-8 first.
ProgramRun runCliWithBytes(const QList<QByteArray>& arguments, const QString& errFile) {
    QList<QByteArray> all{QByteArray(ORLENDA_CLI_BINARY)};
    all += arguments;
    std::vector<char*> argv;
    for (QByteArray& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray errName = QFile::encodeName(errFile);
    posix_spawn_file_actions_addopen(&actions, 2, errName.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv.front(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ProgramRun run;
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return run;
    run.status = WEXITSTATUS(status);
    QFile err(errFile);
    if (err.open(QIODevice::ReadOnly))
        run.err = QString::fromUtf8(err.readAll());
    return run;
}

void writeRaw(const QByteArray& path, const QByteArray& bytes) {
    std::FILE* file = std::fopen(path.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
    std::fclose(file);
}

bool existsRaw(const QByteArray& path) {
    std::FILE* file = std::fopen(path.constData(), "rb");
    if (file)
        std::fclose(file);
    return file != nullptr;
}

} // namespace

TEST(UnreadableName, TheCliRefusesANameThatIsNotUtf8AndWritesNothing) {
    QTemporaryDir dir;
    QTemporaryDir logs;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray train = "QRL2000000\r\n#PERFORMANCE\r\n3\r\n#\r\n";
    writeRaw(folder + "in.dat", train);
    // Shift-JIS "ア" in the name, and the name a UTF-8 decoding makes of it.
    const QByteArray shiftJis = folder + "\x83\x41.dat";
    writeRaw(shiftJis, train);
    writeRaw(QFile::encodeName(QString::fromUtf8(shiftJis)), train);
    const QString errFile = logs.filePath(QStringLiteral("err"));
    const QString shown = QStringLiteral("\\x83A.dat: ファイル名を UTF-8 として読み取れません。\n");

    const ProgramRun convert =
        runCliWithBytes({"convert", folder + "in.dat", folder + "\x83\x42.dat"}, errFile);
    EXPECT_EQ(convert.status, 2);
    EXPECT_EQ(convert.err.count(QLatin1Char('\n')), 1) << convert.err.toStdString();
    EXPECT_TRUE(convert.err.startsWith(QStringLiteral("orlenda-cli: ")))
        << convert.err.toStdString();
    EXPECT_TRUE(convert.err.endsWith(
        QStringLiteral("\\x83B.dat: ファイル名を UTF-8 として読み取れません。\n")))
        << convert.err.toStdString();
    const QByteArray target = folder + "\x83\x42.dat";
    EXPECT_FALSE(existsRaw(target));
    EXPECT_FALSE(existsRaw(QFile::encodeName(QString::fromUtf8(target))));

    const ProgramRun check = runCliWithBytes({"check", shiftJis}, errFile);
    EXPECT_EQ(check.status, 2);
    EXPECT_TRUE(check.err.endsWith(shown)) << check.err.toStdString();
    // Qt cannot name it to remove it with the folder.
    std::remove(shiftJis.constData());
}
