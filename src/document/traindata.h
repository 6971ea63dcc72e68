#pragma once

#include "document/accelerationtable.h"
#include "document/controls.h"
#include "document/diskfingerprint.h"
#include "document/documentstate.h"
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
//
// A user's change is finished when the form (or a sub-editor, through the
// table setters) calls commitChange: that is where undo takes its steps and
// other windows follow the document.
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
    // Both table setters commit the change as one step of its own: a
    // sub-editor's OK or 適用 writes a whole table.
    void setAccelerationTable(const AccelerationTable& table);

    const MotorSoundTable& motorSoundTable() const { return mMotorSound; }
    void setMotorSoundTable(const MotorSoundTable& table);

    // Calls slot, in receiver's context, on every change to a value a user can
    // change (texts, lists, checks, tables).
    template <typename Receiver, typename Slot>
    void onValueChanged(const Receiver* receiver, Slot slot) const {
        connect(this, &TrainData::textChanged, receiver, slot);
        connect(this, &TrainData::listChanged, receiver, slot);
        connect(this, &TrainData::checkChanged, receiver, slot);
        connect(this, &TrainData::tablesChanged, receiver, slot);
    }

    // Marks the end of one user's change, named for the undo menu.
    void commitChange(const QString& stepName) { emit changeCommitted(stepName); }

    // Every value a user can change; an unchanged motor-sound table is shared
    // with previous's.
    DocumentState state(const DocumentState* previous = nullptr) const;
    bool holds(const DocumentState& state) const;
    // Puts back a state exactly as it was kept: the dependent-control rules do
    // not run, since the state already holds their outcome.
    void restore(const DocumentState& state);

    const QString& documentPath() const { return mDocumentPath; }
    void setDocumentPath(const QString& path);
    // The file at documentPath as last read or written; a save compares the
    // disk with it before replacing the file.
    const DiskFingerprint& diskFingerprint() const { return mDiskFingerprint; }
    void setDiskFingerprint(const DiskFingerprint& print) { mDiskFingerprint = print; }
    // Set for a restored recovery copy whose file has changed since the copy:
    // the next save asks before replacing it, whatever the fingerprint says.
    bool asksBeforeReplacing() const { return mAskBeforeReplacing; }
    void setAsksBeforeReplacing(bool ask) { mAskBeforeReplacing = ask; }
    std::int32_t formatVersion() const { return mFormatVersion; }
    void setFormatVersion(std::int32_t version) { mFormatVersion = version; }

    // The main window's caption for this document.
    QString caption() const;

    // Whether the document differs from what was last opened, imported or
    // saved. Every change signal sets it; opening, saving and New clear it.
    // An undo history turns the first off and decides the mark itself.
    bool isModified() const { return mModified; }
    void setModified(bool modified);
    void setChangesMarkModified(bool on) { mChangesMarkModified = on; }

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
    void changeCommitted(const QString& stepName);

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
    DiskFingerprint mDiskFingerprint;
    bool mAskBeforeReplacing = false;
    std::int32_t mFormatVersion = 0;
    bool mModified = false;
    bool mChangesMarkModified = true;
};

// Step names of the two tables, as their sub-editors are called.
QString accelerationStepName();
QString motorSoundStepName();

// The tables of a new document.
AccelerationTable defaultAccelerationTable();
MotorSoundTable defaultMotorSoundTable();

} // namespace Orlenda
