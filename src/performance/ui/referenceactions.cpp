#include "performance/ui/referenceactions.h"

#include "performance/referencetrain.h"

#include <QAction>
#include <QWidget>

namespace Orlenda {

ReferenceActions makeReferenceActions(QWidget* owner, ReferenceTrain& reference, Prompter& prompter,
                                      ReferencePathChooser choosePath) {
    ReferenceActions actions;
    actions.open = new QAction(QStringLiteral("比較ファイルを開く..."), owner);
    actions.open->setObjectName(QStringLiteral("mnuReferenceOpen"));
    QObject::connect(actions.open, &QAction::triggered, owner,
                     [owner, &reference, &prompter, choose = std::move(choosePath)] {
                         const QString path = choose(owner->window());
                         if (!path.isEmpty())
                             reference.load(path, prompter);
                     });
    actions.clear = new QAction(QStringLiteral("比較をやめる"), owner);
    actions.clear->setObjectName(QStringLiteral("mnuReferenceClear"));
    actions.clear->setEnabled(reference.isSet());
    QObject::connect(actions.clear, &QAction::triggered, &reference, &ReferenceTrain::clear);
    QObject::connect(&reference, &ReferenceTrain::changed, actions.clear,
                     [clear = actions.clear, &reference] { clear->setEnabled(reference.isSet()); });
    return actions;
}

} // namespace Orlenda
