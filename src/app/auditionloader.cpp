#include "app/auditionloader.h"

#include "sound/ui/auditionentry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>

namespace Orlenda {

namespace {

struct LoadedMaker {
    AuditionPanelMaker maker = nullptr;
    QString failure;
};

// Beside the program in a build, in the library folder when installed; never
// from the working folder or a search path.
LoadedMaker loadMaker() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString candidates[] = {
        programFolder + QStringLiteral("/orlenda_audition.so"),
        programFolder + QStringLiteral("/" ORLENDA_AUDITION_FROM_BIN),
    };
    LoadedMaker loaded;
    for (const QString& path : candidates) {
        QLibrary library(path);
        // Every symbol now: one missing later would end the program.
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (!library.load()) {
            if (loaded.failure.isEmpty() || QFileInfo::exists(path))
                loaded.failure = library.errorString();
            continue;
        }
        loaded.maker = reinterpret_cast<AuditionPanelMaker>(library.resolve(AuditionPanelMakerName));
        if (loaded.maker)
            return loaded;
        loaded.failure = library.errorString();
    }
    return loaded;
}

const LoadedMaker& loadedMaker() {
    static const LoadedMaker loaded = loadMaker();
    return loaded;
}

} // namespace

QString auditionModuleFailure() {
    return loadedMaker().maker ? QString() : loadedMaker().failure;
}

QWidget* makeAuditionPanel(TrainData& data, MotorSoundWindow& window, Prompter& prompter) {
    const LoadedMaker& loaded = loadedMaker();
    if (loaded.maker)
        return loaded.maker(data, window, prompter);
    auto* note = new QLabel(QStringLiteral("試聴は使えません: ") + loaded.failure);
    note->setObjectName(QStringLiteral("lblAuditionMissing"));
    note->setWordWrap(true);
    return note;
}

} // namespace Orlenda
