#pragma once

#include <QImage>
#include <QString>

namespace Orlenda {

// The program's identity as the version window shows it.
struct AppIdentity {
    QString title;
    int major;
    int minor;
    int revision;
    QString legalNotice;
    QString webPage;
};

AppIdentity appIdentity();

// "Version 1.05": the minor number in two digits, a revision above 0 in four.
QString versionText(int major, int minor, int revision);

// The 48 x 48 logo of the version window.
QImage logoImage();

} // namespace Orlenda
