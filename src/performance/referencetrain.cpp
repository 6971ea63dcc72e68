#include "performance/referencetrain.h"

#include "document/openfile.h"
#include "document/traindata.h"
#include "shared/apptitle.h"
#include "shared/pathname.h"
#include "shared/prompter.h"

#include <QFileInfo>

namespace Orlenda {

namespace {

// Passes the questions on, each saying that it is about the comparison file
// and not the document, and remembers whether any was answered No.
class DeclineWatch : public Prompter {
public:
    DeclineWatch(Prompter& inner, const QString& path)
        : mInner(inner), mAbout(aboutReference(path)) {}
    bool ask(const QString& caption, const QString& text, Icon icon) override {
        const bool yes = mInner.ask(caption, mAbout + text, icon);
        mDeclined = mDeclined || !yes;
        return yes;
    }
    bool declined() const { return mDeclined; }

    static QString aboutReference(const QString& path) {
        return QStringLiteral("比較ファイル: %1\n").arg(QFileInfo(path).fileName());
    }

private:
    Prompter& mInner;
    QString mAbout;
    bool mDeclined = false;
};

} // namespace

bool ReferenceTrain::load(const QString& path, Prompter& prompter) {
    if (holdsUnreadableBytes(path)) {
        prompter.tell(applicationTitle(),
                      DeclineWatch::aboutReference(path) + unreadableNameText(path));
        return false;
    }
    TrainData data;
    DeclineWatch watch(prompter, path);
    try {
        openFile(data, path, watch);
    } catch (const ProgramEndRequested&) {
        // The question was about another file than the user's document:
        // declining it must not end the program.
        return false;
    }
    // Any No stops reading the reference, and a part of a file is no
    // reference. Without a path the file could not be read at all.
    if (watch.declined() || data.documentPath().isEmpty())
        return false;
    mTrain = performanceTrain(data);
    // Absolute, as openFile made it.
    mPath = data.documentPath();
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
