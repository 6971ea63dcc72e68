#include "shared/ui/historylabel.h"

namespace Orlenda {

namespace {

QString labelled(const QString& word, const QString& step) {
    return step.isEmpty() ? word : word + QStringLiteral(": ") + step;
}

} // namespace

QString undoLabel(const QString& step) {
    return labelled(QStringLiteral("元に戻す"), step);
}

QString redoLabel(const QString& step) {
    return labelled(QStringLiteral("やり直し"), step);
}

} // namespace Orlenda
