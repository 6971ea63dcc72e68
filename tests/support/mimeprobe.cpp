// Prints "name<TAB>type" for each file as the desktop's MIME database names
// it. Run in a child process: the database reads XDG_DATA_DIRS once, at first use.
#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QMimeDatabase db;
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    for (const QString& path : args) {
        const QString line = QFileInfo(path).fileName() + QLatin1Char('\t') +
                             db.mimeTypeForFile(path).name() + QLatin1Char('\n');
        std::fputs(line.toUtf8().constData(), stdout);
    }
    return 0;
}
