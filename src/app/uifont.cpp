#include "app/uifont.h"

#include <QFontDatabase>
#include <QStringList>

namespace Orlenda {

QFont japaneseUiFont() {
    const QStringList families = QFontDatabase::families();
    for (const char* candidate : {"MS UI Gothic", "Noto Sans CJK JP", "Noto Sans JP", "IPAGothic",
                                  "VL Gothic", "TakaoGothic"}) {
        const QString name = QString::fromLatin1(candidate);
        if (families.contains(name)) {
            QFont font(name, 9);
            return font;
        }
    }
    QFont font;
    font.setPointSize(9);
    return font;
}

} // namespace Orlenda
