#include "cli/clicommands.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {
int run(const QStringList& args, QString* errText = nullptr) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = runCli(args, o, e);
    e.flush();
    if (errText)
        *errText = err;
    return status;
}
} // namespace

TEST(CliNew, WritesTheNewDocumentAndExitsClean) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.dat"));
    EXPECT_EQ(run({"new", out}), CliClean);
    QFile written(out), expected(QStringLiteral(ORLENDA_TEST_DATA "/new-document.dat"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), expected.readAll());
}

TEST(CliNew, UnwritableTargetAndUsageErrorsExitWithTwo) {
    QTemporaryDir dir;
    QString err;
    EXPECT_EQ(run({"new", dir.filePath(QStringLiteral("no/such/out.dat"))}, &err), CliFailed);
    EXPECT_TRUE(err.startsWith(QStringLiteral("orlenda-cli: Orlenda - Save: ")));
    EXPECT_TRUE(err.contains(QStringLiteral(" / 続行しますか？")));
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(run({}), CliFailed);
    EXPECT_EQ(run({"new"}), CliFailed);
    EXPECT_EQ(run({"frobnicate", "x"}), CliFailed);
}
