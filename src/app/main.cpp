#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "app/messageboxprompter.h"
#include "app/uifont.h"
#include "document/traindata.h"
#include "shared/apptitle.h"
#include "shared/commandline.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(Orlenda::applicationTitle());
    QApplication::setFont(Orlenda::japaneseUiFont());

    Orlenda::TrainData data;
    Orlenda::MessageBoxPrompter prompter;
    Orlenda::DialogFileChooser chooser;
    Orlenda::MainWindow window(data, prompter, chooser);
    window.show();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    window.loadCommandLine(Orlenda::rawCommandLine(arguments));
    return app.exec();
}
