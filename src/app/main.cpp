#include "app/displaycheck.h"
#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "app/startuptiming.h"
#include "app/messageboxprompter.h"
#include "app/qttranslation.h"
#include "app/recoverysession.h"
#ifdef ORLENDA_TEST_HOOKS
#include "app/testhooks.h"
#endif
#include "app/uifont.h"
#include "document/traindata.h"
#include "app/appicon.h"
#include "app/applicationid.h"
#include "shared/apptitle.h"
#include "shared/standardoptions.h"

#include <QApplication>

#include <cstdio>

namespace {

// Answered before any window exists, so they work without a display.
bool answerStandardOptions(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto reply = Orlenda::standardOptionReply(
        arguments, QStringLiteral("orlenda"),
        QStringLiteral("usage: orlenda [FILE]\n"
                       "\n"
                       "Opens FILE, a train file or a legacy .trn file, in the editor;\n"
                       "without FILE it starts a new document.\n"));
    if (!reply)
        return false;
    std::fputs(reply->toLocal8Bit().constData(), stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (answerStandardOptions(argc, argv))
        return 0;
    Orlenda::DisplayCheck display(argc, argv);
    QApplication app(argc, argv);
    display.passed();
    QApplication::setApplicationName(Orlenda::applicationTitle());
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(Orlenda::applicationId());
    QApplication::setWindowIcon(Orlenda::applicationIcon());
    QApplication::setFont(Orlenda::japaneseUiFont());
    Orlenda::installQtJapanese(app);

    Orlenda::TrainData data;
    Orlenda::MessageBoxPrompter prompter;
    Orlenda::DialogFileChooser chooser;
    Orlenda::MainWindow window(data, prompter, chooser);

    // The bytes as the system gave them, less Qt's own options: decoding
    // would turn a name that is not UTF-8 into another file's.
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    // For timing start-up from outside: end once the window has painted.
    if (arguments.removeAll(QByteArrayLiteral("--quit-after-first-paint")) > 0)
        Orlenda::quitAfterFirstPaint(window);
    Orlenda::RecoverySession recovery(window, data, prompter);
#ifdef ORLENDA_TEST_HOOKS
    Orlenda::installTestHooks(data);
#endif
    // The file is read while the window loads, before it is shown; a recovered
    // copy takes its place.
    if (!recovery.offerCopies())
        window.loadRawCommandLine(arguments);
    window.show();
    return app.exec();
}
