#include "app/uifont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The windows are laid out for a Japanese font; with a fallback font the
// tests would fail far from the cause, so say plainly what is missing.
bool japaneseFontInstalled() {
    const QStringList families = Orlenda::japaneseUiFont().families();
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family))
            return true;
    }
    std::fprintf(stderr,
                 "orlenda_widget_tests: no Japanese font is installed (one of: %s).\n"
                 "Install the package fonts-noto-cjk, or run scripts/test, which installs it.\n",
                 qPrintable(families.join(QStringLiteral(", "))));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // Test discovery and CI run without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings written by closing windows must not reach the user's own store.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // Nor may recovery copies reach the user's state folder.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Listing the tests needs no font; running them does.
    if (!GTEST_FLAG_GET(list_tests) && !japaneseFontInstalled())
        return EXIT_FAILURE;
    return RUN_ALL_TESTS();
}
