#pragma once

#include <QString>

namespace Orlenda {

// The application title shown in captions, prompts and the settings store.
inline QString applicationTitle() { return QStringLiteral("Orlenda"); }

// "path - Orlenda" for a named document, the title alone for a new one.
inline QString documentCaption(const QString& documentPath) {
    return documentPath.isEmpty() ? applicationTitle()
                                  : documentPath + QStringLiteral(" - ") + applicationTitle();
}

} // namespace Orlenda
