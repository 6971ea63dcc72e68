#pragma once

#include "shared/recentfiles.h"

#include <QList>
#include <QObject>

class QAction;

namespace Orlenda {

// The File menu's slots mnuFileMRU(1) to (3) and the separator after them,
// showing the recent files kept in the settings; a slot without a file is hidden.
class RecentFileMenu : public QObject {
    Q_OBJECT

public:
    RecentFileMenu(const QList<QAction*>& fileSlots, QAction* separator, QObject* parent);

    // Both store the list at once, so that a crash loses nothing of it.
    void add(const QString& path);
    void remove(const QString& path);

signals:
    void chosen(const QString& path);

private:
    void update();
    void store() const;

    RecentFiles mFiles;
    QList<QAction*> mSlots;
    QAction* mSeparator;
};

} // namespace Orlenda
