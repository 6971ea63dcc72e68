#include "about/manualaddress.h"
#include "shared/manualpage.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(ManualAddress, RelativeAddressesFollowTheInstalledProgram) {
    EXPECT_EQ(manualUrl(QStringLiteral("/opt/o/bin"),
                        QStringLiteral("../share/doc/orlenda/manual.ja.html")),
              QUrl::fromLocalFile(QStringLiteral("/opt/o/share/doc/orlenda/manual.ja.html")));
    // A home folder with blanks and Japanese letters stays one local path.
    const QUrl home = manualUrl(QStringLiteral("/home/山田 太郎/.local/bin/"),
                                QStringLiteral("../share/doc/orlenda/manual.ja.html"));
    EXPECT_EQ(home.toLocalFile(),
              QStringLiteral("/home/山田 太郎/.local/share/doc/orlenda/manual.ja.html"));
    EXPECT_EQ(
        manualUrl(QStringLiteral("/usr/bin"), QStringLiteral("https://orlenda.example.org/manual")),
        QUrl(QStringLiteral("https://orlenda.example.org/manual")));
    // The build's own setting names the manual beside an installed program.
    EXPECT_TRUE(manualUrl(QStringLiteral("/usr/bin"))
                    .toString()
                    .endsWith(QStringLiteral("/doc/orlenda/manual.ja.html")));
}

TEST(ManualPage, KeepsStructureAndPictureAddresses) {
    const QString html = manualHtml(QStringLiteral(
        "# 車両性能\n\n本文です。\n\n| 項目 | 単位 |\n|---|---|\n| 減速度 | km/h/s |\n\n"
        "![加速力曲線](manual/acceleration.png)\n"));
    for (const char* part : {"<meta charset=\"utf-8\"", "<html lang=\"ja\">", "<h1>", "車両性能",
                             "<table>", "<img src=\"manual/acceleration.png\""})
        EXPECT_TRUE(html.contains(QString::fromUtf8(part))) << part;
    EXPECT_FALSE(html.contains(QStringLiteral("margin-top:0px")));
}
