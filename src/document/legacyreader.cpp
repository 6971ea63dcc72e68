#include "document/legacyreader.h"

#include "shared/apptitle.h"
#include "shared/prompter.h"

namespace Orlenda {

void OpenTrn(TrainData&, const QString&, qsizetype, Prompter& prompter) {
    // Placeholder until legacy files are imported.
    prompter.ask(applicationTitle(), QStringLiteral("旧形式のファイルはまだ読み込めません。"),
                 Prompter::Icon::Warning);
}

} // namespace Orlenda
