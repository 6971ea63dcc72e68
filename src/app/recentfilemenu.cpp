#include "app/recentfilemenu.h"

#include "shared/windowplacement.h"

#include <QAction>
#include <QDir>
#include <QSettings>

namespace Orlenda {

RecentFileMenu::RecentFileMenu(const QList<QAction*>& fileSlots, QAction* separator,
                               QObject* parent)
    : QObject(parent), mSlots(fileSlots), mSeparator(separator) {
    if (const std::unique_ptr<QSettings> settings = settingsStore())
        mFiles.load(*settings);
    for (int i = 0; i < mSlots.size(); ++i) {
        connect(mSlots.at(i), &QAction::triggered, this, [this, i] {
            // A copy: the list may change before the receiver is done with it.
            const QString path = mFiles.paths().value(i);
            if (!path.isEmpty())
                emit chosen(path);
        });
    }
    update();
}

void RecentFileMenu::add(const QString& path) {
    mFiles.add(path);
    store();
    update();
}

void RecentFileMenu::remove(const QString& path) {
    mFiles.remove(path);
    store();
    update();
}

void RecentFileMenu::store() const {
    if (const std::unique_ptr<QSettings> settings = settingsStore())
        mFiles.store(*settings);
}

void RecentFileMenu::update() {
    const QStringList& paths = mFiles.paths();
    for (int i = 0; i < mSlots.size(); ++i) {
        QAction* slot = mSlots.at(i);
        const bool used = i < paths.size();
        QString shown = used ? QDir::toNativeSeparators(paths.at(i)) : QString();
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        slot->setText(used ? QStringLiteral("&%1 ").arg(i + 1) + shown : QString());
        slot->setVisible(used);
        slot->setEnabled(used);
    }
    mSeparator->setVisible(!paths.isEmpty());
}

} // namespace Orlenda
