#include "app/uifont.h"

#include <QStringList>

namespace Orlenda {

QFont japaneseUiFont() {
    // The first family installed wins; listing them lets the font system pick
    // without enumerating every installed font at start-up.
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Noto Sans JP"), QStringLiteral("IPAGothic"),
                      QStringLiteral("VL Gothic"), QStringLiteral("TakaoGothic")});
    font.setPointSize(9);
    return font;
}

} // namespace Orlenda
