#pragma once

#include <QString>

namespace Orlenda {

// The reverse-DNS id that names the installed desktop entry, icon, file types
// and metainfo; the build defines it once for all of them.
inline QString applicationId() {
    return QStringLiteral(ORLENDA_APP_ID);
}

} // namespace Orlenda
