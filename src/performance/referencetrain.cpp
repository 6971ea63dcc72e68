#include "performance/referencetrain.h"

#include "document/openfile.h"
#include "document/traindata.h"
#include "shared/prompter.h"

namespace Orlenda {

bool ReferenceTrain::load(const QString& path, Prompter& prompter) {
    TrainData data;
    try {
        openFile(data, path, prompter);
    } catch (const ProgramEndRequested&) {
        // The question was about another file than the user's document:
        // declining it must not end the program.
        return false;
    }
    // Without a path the file could not be read, was no train file, or its
    // version was declined.
    if (data.documentPath().isEmpty())
        return false;
    mTrain = performanceTrain(data);
    mPath = path;
    emit changed();
    return true;
}

void ReferenceTrain::clear() {
    if (!mTrain)
        return;
    mTrain.reset();
    mPath.clear();
    emit changed();
}

std::optional<ReferenceCurves> ReferenceTrain::curves() const {
    if (!mTrain)
        return std::nullopt;
    return ReferenceCurves{mTrain->table, mTrain->consist};
}

} // namespace Orlenda
