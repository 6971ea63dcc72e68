#include "process/processrun.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString asset(const QString& name) {
    return QStringLiteral(ORLENDA_BUILD_DIR "/assets/") + name;
}

// Runs a validator on a built file; skipped, visibly, where it is not installed.
void expectValid(const char* validator, const QStringList& options, const QString& file) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(validator));
    if (program.isEmpty())
        GTEST_SKIP() << validator << " is not installed (scripts/test installs it); not checked";
    const ProgramRun outcome = runProgram(program, options + QStringList{file});
    EXPECT_EQ(outcome.status, 0) << (outcome.out + outcome.err).toStdString();
}

// The pictures the manual shows, as written in its Markdown.
QStringList manualPictures() {
    QFile manual(QStringLiteral(ORLENDA_SOURCE_DIR "/docs/manual.ja.md"));
    if (!manual.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression picture(QStringLiteral("!\\[[^\\]]*\\]\\(([^)\\s]+)\\)"));
    QStringList found;
    for (const auto& match : picture.globalMatch(QString::fromUtf8(manual.readAll())))
        found << match.captured(1);
    return found;
}

} // namespace

TEST(DesktopFiles, DesktopEntryAndMetainfoPassTheirValidators) {
    const QString id = QStringLiteral(ORLENDA_APP_ID);
    expectValid("desktop-file-validate", {}, asset(id + QStringLiteral(".desktop")));
    expectValid("appstreamcli", {QStringLiteral("validate"), QStringLiteral("--no-net")},
                asset(id + QStringLiteral(".metainfo.xml")));
}

TEST(InstallTest, InstallsTheProgramsAndTheFilesTheDesktopAndItsMimeDatabaseUse) {
    QTemporaryDir prefix;
    const ProgramRun install = runProgram(ORLENDA_CMAKE, {"--install", ORLENDA_BUILD_DIR, "--prefix", prefix.path()});
    ASSERT_EQ(install.status, 0) << (install.out + install.err).toStdString();
    const QString id = QStringLiteral(ORLENDA_APP_ID);
    // The programs, the desktop's files and the manual with every picture it shows.
    QStringList expected = {"bin/orlenda", "bin/orlenda-cli", "share/doc/orlenda/manual.ja.md",
                            "share/doc/orlenda/manual.ja.html"};
    for (const char* shared : {"applications/%1.desktop", "mime/packages/%1.xml",
                               "metainfo/%1.metainfo.xml", "icons/hicolor/scalable/apps/%1.svg"})
        expected << QStringLiteral("share/") + QString::fromLatin1(shared).arg(id);
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id);
    const QStringList pictures = manualPictures();
    EXPECT_FALSE(pictures.isEmpty());
    for (const QString& picture : pictures)
        expected << QStringLiteral("share/doc/orlenda/") + picture;
    for (const QString& file : expected)
        EXPECT_TRUE(QFile::exists(prefix.filePath(file))) << file.toStdString();

    // The installed editor carries no test hooks.
    QFile editor(prefix.filePath("bin/orlenda"));
    ASSERT_TRUE(editor.open(QIODevice::ReadOnly));
    EXPECT_FALSE(editor.readAll().contains("ORLENDA_TEST_"));

    EXPECT_EQ(runProgram(prefix.filePath("bin/orlenda-cli"), {"--version"}).out,
              "orlenda-cli " + builtVersion() + '\n');

    // The MIME database knows train files by content and legacy files by name.
    QTemporaryDir files;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(files.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QByteArray current = "QRL2000000\r\n#ACCELERATION\r\n0.6\r\n";
    const QStringList paths = {
        write("train.dat", current),
        write("TRAIN.DAT", current),
        write("no-extension", current),
        write("backup.old", "qrl1220000\r\n#PERFORMANCE\r\n"),
        write("legacy.trn", QByteArray("[\x89\xc1\x91\xac\x97\xcd]\r\n2.5\r\n")),
        write("notes", "QRLabcdefg is not a version\r\n"),
    };

    // Only the installed package and Qt's own types count, not this machine's.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_DIRS"), prefix.filePath(QStringLiteral("share")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), files.filePath(QStringLiteral("no-user-data")));
    const ProgramRun probe = runProgram(ORLENDA_MIME_PROBE, paths, env);
    ASSERT_EQ(probe.status, 0) << probe.err.toStdString();
    const QStringList lines = probe.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6) << probe.out.toStdString();
    EXPECT_EQ(lines.mid(0, 5).join(QLatin1Char('\n')).toStdString(),
              "train.dat\tapplication/x-orlenda-train\n"
              "TRAIN.DAT\tapplication/x-orlenda-train\n"
              "no-extension\tapplication/x-orlenda-train\n"
              "backup.old\tapplication/x-orlenda-train\n"
              "legacy.trn\tapplication/x-orlenda-train-legacy");
    EXPECT_FALSE(lines.at(5).contains(QStringLiteral("orlenda"))) << lines.at(5).toStdString();
}
