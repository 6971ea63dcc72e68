#pragma once

#include "document/accelerationtable.h"
#include "document/controls.h"
#include "document/diskfingerprint.h"
#include "document/documentstate.h"
#include "document/motorsoundtable.h"
#include "document/trainquantities.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

namespace Orlenda {

class DocumentHistory;

// Called when a document with a history is changed outside edit or type.
using StrayEditHandler = void (*)();
// Replaces the handler (by default a debug assertion); returns the previous one.
StrayEditHandler setStrayEditHandler(StrayEditHandler handler);

// The one in-memory home of a train file: what the main window's controls
// hold (each field's text as typed, each list's selection and enabled state,
// each check box, the brake-notch captions), the two tables, and where the
// document came from. Setting a list or a check box runs the dependent-control
// rules, whoever sets it: defaults, a reader or the user.
//
// A TrainData without a history is scratch: readers fill it, the command line
// works on it, and its setters are free. The document the editor shows keeps
// a history (keepHistory); from then on every change of a value goes through
// edit, which makes one named step of it, or type, which leaves the change
// pending until the next step. A setter called outside both is a fault that
// the stray-edit handler hears of. Another document comes in whole through
// adopt.
class TrainData : public QObject {
    Q_OBJECT

public:
    // A new document: every value at its default.
    explicit TrainData(QObject* parent = nullptr);
    ~TrainData() override;

    // Gives the document its undo history, once; later calls return the same.
    DocumentHistory& keepHistory();
    DocumentHistory* history() const { return mHistory.get(); }

    // Runs change, which calls setters, as one step named stepName; typing
    // still pending goes into the same step. A change that leaves the document
    // as it was records nothing.
    template <typename Change> void edit(const QString& stepName, Change&& change) {
        const EditScope scope(*this, stepName, true);
        change();
    }
    // Typing in a field: the change stays pending (undo puts it back, the mark
    // and recovery follow it) until the next step takes it.
    template <typename Change> void type(Change&& change) {
        const EditScope scope(*this, QString(), false);
        change();
    }

    // Takes scratch's values, path and disk facts in one replacement (Open,
    // New, a restored copy) and starts a fresh history. The document counts as
    // unmodified afterwards unless unsaved is true (a recovered copy).
    void adopt(const TrainData& scratch, bool unsaved = false);

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

    bool check(CheckId id) const { return mChecks.at(std::size_t(id)); }
    void setCheck(CheckId id, bool checked);

    const AccelerationTable& accelerationTable() const { return mAcceleration; }
    void setAccelerationTable(const AccelerationTable& table);

    const MotorSoundTable& motorSoundTable() const { return mMotorSound; }
    void setMotorSoundTable(const MotorSoundTable& table);

    // Every value a user can change; an unchanged motor-sound table is shared
    // with previous's.
    DocumentState state(const DocumentState* previous = nullptr) const;
    bool holds(const DocumentState& state) const;

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

    // The train as the models read it from the fields: the formation as whole
    // numbers (consistValue), the others as each field's leading number.
    TrainConsist consist() const;
    double serviceDeceleration() const; // km/h/s
    double adhesionCoefficient() const;
    double serviceBrakeDelay() const; // s
    void setFormatVersion(std::int32_t version) { mFormatVersion = version; }

    // The main window's caption for this document.
    QString caption() const;

    // Whether the document differs from what was last opened or saved, or a
    // field holds typing not yet made a step. The history decides it; without
    // one, every change sets it.
    bool isModified() const { return mModified; }
    // The current values are what the file now holds (a save, or a reader's
    // outcome): the history takes this state as the saved one.
    void markSaved();

    // Every value to its default; DocumentPath and FormatVersion stay. A
    // change like the setters.
    void resetToDefaults();
    // ResetToDefaults, then no path (the caption becomes the title alone).
    void newDocument();

signals:
    // What changed, for the controls that show it.
    void textChanged(Orlenda::TextId id);
    // Selection, enabled state or entry captions.
    void listChanged(Orlenda::ListId id);
    void checkChanged(Orlenda::CheckId id);
    void tablesChanged();
    // Every change of a value a user can change, typing included, after the
    // signal of its kind: the modified mark and recovery follow this.
    void valueChanged();
    // A step was made, undone or redone, or another document adopted: windows
    // that show the document follow this, not the typing in between.
    void stepCommitted();
    void documentPathChanged();
    void modifiedChanged(bool modified);

private:
    friend class DocumentHistory;

    class EditScope {
    public:
        EditScope(TrainData& data, QString stepName, bool makesStep);
        ~EditScope();
        EditScope(const EditScope&) = delete;
        EditScope& operator=(const EditScope&) = delete;

    private:
        TrainData& mData;
        QString mStepName;
        bool mMakesStep;
    };

    // Before any change of a value: a document with a history must be inside edit or type.
    void checkEditing() const;
    void changedValue();
    // Puts back a state exactly as it was kept: the dependent-control rules do
    // not run, since the state already holds their outcome.
    void restore(const DocumentState& state);
    void setModified(bool modified);

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
    int mEditDepth = 0;
    bool mAdopting = false;
    std::unique_ptr<DocumentHistory> mHistory;
};

// Step names of the two tables, as their sub-editors are called.
QString accelerationStepName();
QString motorSoundStepName();

// The tables of a new document.
AccelerationTable defaultAccelerationTable();
MotorSoundTable defaultMotorSoundTable();

} // namespace Orlenda
