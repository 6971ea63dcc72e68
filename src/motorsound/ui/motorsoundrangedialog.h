#pragma once

#include "motorsound/motorsoundrange.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace Orlenda {

// 範囲を数値で設定: two speeds and, for each of index, pitch and volume,
// either "unchanged" or what to write. OK closes it only when every entry is
// one the tools could write; otherwise it names the permitted range and
// stays open.
class MotorSoundRangeDialog : public QDialog {
    Q_OBJECT

public:
    static QString title() { return QStringLiteral("範囲を数値で設定"); }

    MotorSoundRangeDialog(const MotorSoundRangeInput& initial, QWidget* parent);

    // The entries as they stand.
    MotorSoundRangeInput input() const;
    // After OK, what to write.
    const MotorSoundRange& range() const { return mRange; }

    void accept() override;

private:
    QLineEdit* addField(const QString& name);

    QLineEdit* mFrom = nullptr;
    QLineEdit* mTo = nullptr;
    QComboBox* mIndex = nullptr;
    std::array<QCheckBox*, 2> mUse{};                   // pitch, volume
    std::array<std::array<QLineEdit*, 2>, 2> mValues{}; // pitch, volume: from, to
    QLabel* mError = nullptr;
    MotorSoundRange mRange;
};

} // namespace Orlenda
