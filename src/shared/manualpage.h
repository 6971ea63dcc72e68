#pragma once

#include <QString>

namespace Orlenda {

// The manual as one HTML page that any browser shows, made from its Markdown
// text; images keep their relative addresses.
QString manualHtml(const QString& markdown);

} // namespace Orlenda
