#pragma once

#include "document/accelerationtable.h"
#include "document/controls.h"
#include "document/motorsoundtable.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace Orlenda {

// The one in-memory home of a train file: what the main window's controls
// hold (each field's text as typed, each list's selection and enabled state,
// each check box, the brake-notch captions), the two tables, and where the
// document came from. Setting a list or a check box runs the dependent-control
// rules, whoever sets it: defaults, a reader or the user.
class TrainData : public QObject {
    Q_OBJECT

public:
    // A new document: every value at its default.
    explicit TrainData(QObject* parent = nullptr);

    const QString& text(TextId id) const { return mTexts[std::size_t(id)]; }
    void setText(TextId id, const QString& text);

    // Selected position, -1 when none.
    int listIndex(ListId id) const { return list(id).index; }
    // StepFailure(InvalidPropertyValue) for a position outside the entries; -1 clears.
    void setListIndex(ListId id, int index);
    // Selects every entry whose entry number equals number (the last one wins);
    // false, and no change, when none does.
    bool selectByItemData(ListId id, int number);
    // The entry number of the selection; none without a selection or entry numbers.
    std::optional<int> listItemData(ListId id) const;
    bool listEnabled(ListId id) const { return list(id).enabled; }
    void setListEnabled(ListId id, bool enabled);
    const QStringList& listEntries(ListId id) const { return list(id).entries; }
    void setListEntryCaption(ListId id, int entry, const QString& caption);

    bool check(int index) const { return mChecks.at(std::size_t(index)); }
    void setCheck(int index, bool checked);

    const AccelerationTable& accelerationTable() const { return mAcceleration; }
    AccelerationTable& accelerationTable() { return mAcceleration; }
    void setAccelerationTable(const AccelerationTable& table);

    const MotorSoundTable& motorSoundTable() const { return mMotorSound; }
    MotorSoundTable& motorSoundTable() { return mMotorSound; }
    void setMotorSoundTable(const MotorSoundTable& table);

    // For readers that fill the tables in place: tells views once at the end.
    void announceTablesChanged() { emit tablesChanged(); }

    const QString& documentPath() const { return mDocumentPath; }
    void setDocumentPath(const QString& path);
    std::int32_t formatVersion() const { return mFormatVersion; }
    void setFormatVersion(std::int32_t version) { mFormatVersion = version; }

    // The main window's caption for this document.
    QString caption() const;

    // Whether the document differs from what was last opened, imported or
    // saved. Every change signal sets it; opening, saving and New clear it.
    bool isModified() const { return mModified; }
    void setModified(bool modified);

    // Every value to its default; DocumentPath and FormatVersion stay.
    void resetToDefaults();
    // ResetToDefaults, then no path (the caption becomes the title alone).
    void newDocument();

signals:
    void textChanged(Orlenda::TextId id);
    // Selection, enabled state or entry captions.
    void listChanged(Orlenda::ListId id);
    void checkChanged(int index);
    void tablesChanged();
    void documentPathChanged();
    void modifiedChanged(bool modified);

private:
    struct ListState {
        int index = -1;
        bool enabled = true;
        QStringList entries;
    };
    const ListState& list(ListId id) const { return mLists[std::size_t(id)]; }
    ListState& list(ListId id) { return mLists[std::size_t(id)]; }

    std::array<QString, TextFieldCount> mTexts;
    std::array<ListState, ListCount> mLists;
    std::array<bool, CheckCount> mChecks{};
    AccelerationTable mAcceleration{};
    MotorSoundTable mMotorSound{};
    QString mDocumentPath;
    std::int32_t mFormatVersion = 0;
    bool mModified = false;
};

// The tables of a new document.
AccelerationTable defaultAccelerationTable();
MotorSoundTable defaultMotorSoundTable();

} // namespace Orlenda
