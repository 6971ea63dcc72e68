// Build-time helper: writes the icon theme files and the manual's HTML page,
// so the installed pictures come from the same code as the version window's.
#include "app/appicon.h"
#include "shared/manualpage.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// icons DIR ID: DIR/scalable/apps/ID.svg and DIR/NxN/apps/ID.png
bool writeIcons(const QString& dir, const QString& id) {
    bool ok = writeFile(dir + QStringLiteral("/scalable/apps/") + id + QStringLiteral(".svg"),
                        Orlenda::iconSvg());
    for (int size : Orlenda::iconSizes()) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(dir).arg(size);
        QDir().mkpath(folder);
        ok = Orlenda::iconImage(size).save(folder + QLatin1Char('/') + id +
                                           QStringLiteral(".png")) &&
             ok;
    }
    return ok;
}

bool writeManual(const QString& markdownPath, const QString& htmlPath) {
    QFile in(markdownPath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    return writeFile(htmlPath, Orlenda::manualHtml(QString::fromUtf8(in.readAll())).toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    // Text layout wants an application object; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool ok = false;
    if (args.size() == 4 && args.at(1) == QLatin1String("icons"))
        ok = writeIcons(args.at(2), args.at(3));
    else if (args.size() == 4 && args.at(1) == QLatin1String("manual"))
        ok = writeManual(args.at(2), args.at(3));
    else
        std::fputs("usage: orlenda-assetgen icons DIR ID | manual IN.md OUT.html\n", stderr);
    return ok ? 0 : 1;
}
