#pragma once

#include "acceleration/accelerationplot.h"
#include "performance/performancefigures.h"

#include <QObject>
#include <optional>

namespace Orlenda {

class Prompter;

// A second train file to compare the document with. It is read as Open reads
// a file, into a document of its own that is never the user's and never
// written anywhere; it stays until it is removed or the program ends.
class ReferenceTrain : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Reads the file at path, asking its questions through prompter. A No, a
    // declined version or a file that cannot be read only stops reading it:
    // false, and the reference stays as it was. Never ends the program. A
    // name holding U+FFFD (bytes that were not UTF-8) is refused with a notice.
    bool load(const QString& path, Prompter& prompter);
    void clear();

    bool isSet() const { return mTrain.has_value(); }
    // Absolute.
    const QString& path() const { return mPath; }
    // What the figures and the plot need of it; meaningful only when set.
    const std::optional<PerformanceTrain>& train() const { return mTrain; }
    std::optional<ReferenceCurves> curves() const;

signals:
    void changed();

private:
    std::optional<PerformanceTrain> mTrain;
    QString mPath;
};

} // namespace Orlenda
