#include "shared/ui/windowmemory.h"

#include "shared/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Orlenda {

void rememberWindowGeometry(const QWidget& window, const QString& prefix) {
    // normalGeometry() is empty until the window has been maximised once.
    const QRect normal = window.isMaximized() || window.isMinimized() || window.isFullScreen()
                             ? window.normalGeometry()
                             : window.geometry();
    if (normal.isEmpty())
        return;
    writeSettings(windowGeometrySettings(prefix, normal, window.isMaximized()));
}

RestoredGeometry restoreWindowGeometry(QWidget& window, const QString& prefix) {
    QStringList texts;
    for (const QString& key : windowGeometryKeys(prefix))
        texts << readSetting(key);
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const std::optional<SavedGeometry> saved =
        savedWindowGeometry(texts, screens, window.minimumSize());
    if (!saved)
        return {};
    window.setGeometry(QRect(saved->normal.topLeft(),
                             saved->normal.size().boundedTo(window.maximumSize())));
    return {true, saved->maximized};
}

} // namespace Orlenda
