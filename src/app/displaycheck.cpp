#include "app/displaycheck.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Orlenda {

namespace {

QtMessageHandler gPrevious = nullptr;

[[noreturn]] void exitWithoutDisplay() {
    std::fputs("orlenda: no display is available; orlenda-cli works without one.\n", stderr);
    std::fflush(stderr);
    std::_Exit(2);
}

// The toolkit reports an unreachable display with warnings of its platform
// category and then a fatal message that aborts: the first are dropped, the
// second becomes the one line.
void watchStart(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg)
        exitWithoutDisplay();
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0)
        return;
    if (gPrevious)
        gPrevious(type, context, text);
}

bool displayNamed(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            return true;
    }
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return true;
#endif
}

} // namespace

DisplayCheck::DisplayCheck(int argc, char** argv) {
    if (!displayNamed(argc, argv))
        exitWithoutDisplay();
    gPrevious = qInstallMessageHandler(watchStart);
}

DisplayCheck::~DisplayCheck() {
    passed();
}

void DisplayCheck::passed() {
    if (!mWatching)
        return;
    mWatching = false;
    qInstallMessageHandler(gPrevious);
}

} // namespace Orlenda
