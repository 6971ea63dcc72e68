#pragma once

#include <QString>
#include <QUrl>

namespace Orlenda {

// The address the version window's link opens. The build configures it: an
// absolute address (a web page) is taken as it is; a relative one names the
// installed manual from the program's own folder, so an installation works
// under whatever prefix it was put.
QUrl manualUrl(const QString& programFolder, const QString& configured);
QUrl manualUrl(const QString& programFolder);

} // namespace Orlenda
