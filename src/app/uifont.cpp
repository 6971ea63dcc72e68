#include "app/uifont.h"

#include <QFontDatabase>
#include <QStringList>

namespace Orlenda {

QFont japaneseUiFont() {
    // The first family installed wins. Only installed families are listed:
    // the font system works out a fallback list for every family it is given,
    // per script, so a missing first choice would cost as much as the font
    // that is used.
    static const char* const preferred[] = {"MS UI Gothic", "Noto Sans CJK JP", "Noto Sans JP",
                                            "IPAGothic",    "VL Gothic",        "TakaoGothic"};
    // One list of the installed families: asking for each family by name
    // would resolve fontconfig aliases each time, which costs more.
    const QStringList families = QFontDatabase::families();
    QStringList installed;
    for (const char* family : preferred) {
        const QString name = QString::fromLatin1(family);
        if (families.contains(name, Qt::CaseInsensitive))
            installed.append(name);
    }
    QFont font;
    if (!installed.isEmpty())
        font.setFamilies(installed);
    font.setPointSize(9);
    return font;
}

} // namespace Orlenda
