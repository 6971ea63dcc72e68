#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "app/startuptiming.h"
#include "app/messageboxprompter.h"
#include "app/qttranslation.h"
#include "app/uifont.h"
#include "document/traindata.h"
#include "shared/apptitle.h"
#include "shared/commandline.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(Orlenda::applicationTitle());
    QApplication::setFont(Orlenda::japaneseUiFont());
    Orlenda::installQtJapanese(app);

    Orlenda::TrainData data;
    Orlenda::MessageBoxPrompter prompter;
    Orlenda::DialogFileChooser chooser;
    Orlenda::MainWindow window(data, prompter, chooser);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    // For timing start-up from outside: end once the window has painted.
    if (arguments.removeAll(QStringLiteral("--quit-after-first-paint")) > 0)
        Orlenda::quitAfterFirstPaint(window);
    // The file is read while the window loads, before it is shown.
    window.loadCommandLine(Orlenda::rawCommandLine(arguments));
    window.show();
    return app.exec();
}
