#include "form/stepname.h"

#include "form/formlayout.h"

namespace Orlenda {

namespace {

QString captionOf(const ControlLayout& c) {
    switch (c.kind) {
    case ControlKind::Text:
        return textFieldInfo(TextId(c.id)).caption;
    case ControlKind::List:
        return listInfo(ListId(c.id)).caption;
    case ControlKind::Check:
        return checkInfo(c.id).caption;
    case ControlKind::Button:
        break;
    }
    return QString();
}

QString stepName(ControlKind kind, int id) {
    const QList<ControlLayout>& controls = controlLayouts();
    const auto own = std::find_if(controls.cbegin(), controls.cend(), [&](const ControlLayout& c) {
        return c.kind == kind && c.id == id;
    });
    if (own == controls.cend())
        return QString();
    const QString caption = captionOf(*own);
    const auto sameCaption =
        std::count_if(controls.cbegin(), controls.cend(),
                      [&](const ControlLayout& c) { return captionOf(c) == caption; });
    if (sameCaption < 2 || own->panel < 0)
        return caption;
    return panelLayouts()[std::size_t(own->panel)].caption + QLatin1Char(' ') + caption;
}

} // namespace

QString fieldStepName(TextId id) {
    return stepName(ControlKind::Text, int(id));
}
QString listStepName(ListId id) {
    return stepName(ControlKind::List, int(id));
}
QString checkStepName(int index) {
    return stepName(ControlKind::Check, index);
}

} // namespace Orlenda
