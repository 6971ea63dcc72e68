#pragma once

#include <QString>
#include <QStringView>

namespace Orlenda {

// Typed text as the number reader expects it. A Japanese input method in
// full-width mode types "３００", "－１．５Ｅ３" or "＆ＨＦＦ"; each full-width
// ASCII character becomes its ASCII twin, the ideographic space a space and the
// minus sign "−" a hyphen-minus. Everything else is kept. Only for what a user
// types: files are read exactly as they are.
QString halfWidthText(QStringView typed);

} // namespace Orlenda
