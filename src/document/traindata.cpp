#include "document/traindata.h"

#include "document/dependentrules.h"
#include "document/documenthistory.h"
#include "document/numbertext.h"
#include "shared/apptitle.h"
#include "shared/failure.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <utility>

namespace Orlenda {

AccelerationTable defaultAccelerationTable() {
    AccelerationTable table;
    table.fill(AccelerationRow{0.0f, 0.0f, 0, 0, 1.0f});
    table[0] = AccelerationRow{0.6f, 0.6f, 25, 25, 2.0f};
    return table;
}

MotorSoundTable defaultMotorSoundTable() {
    MotorSoundTable table;
    for (int r = 0; r < MotorSoundRows; ++r) {
        const double pitch = std::max(r * MotorSoundKmhPerRow * 100 / 90, 10.0);
        const MotorSoundEntry sounding{std::int16_t(roundHalfEven(pitch)), MaximumSoundVolume, 0};
        table[Track::P1][r] = sounding;
        table[Track::B1][r] = sounding;
        table[Track::P2][r] = MotorSoundEntry{100, 0, SilentSoundIndex};
        table[Track::B2][r] = MotorSoundEntry{100, 0, SilentSoundIndex};
    }
    return table;
}

namespace {

void assertStrayEdit() {
    Q_ASSERT_X(false, "TrainData", "the document was changed outside edit or type");
}

StrayEditHandler strayEditHandler = &assertStrayEdit;

} // namespace

StrayEditHandler setStrayEditHandler(StrayEditHandler handler) {
    return std::exchange(strayEditHandler, handler ? handler : &assertStrayEdit);
}

TrainData::TrainData(QObject* parent) : QObject(parent) {
    // Controls start as an unloaded window has them: texts "0", no selection;
    // the defaults then go in through the setters so the rules run.
    mTexts.fill(QStringLiteral("0"));
    for (const ListInfo& info : lists())
        list(info.id).entries = info.entries;
    newDocument();
}

TrainData::~TrainData() {
    // The history listens to this object: it goes while everything is whole.
    mHistory.reset();
}

DocumentHistory& TrainData::keepHistory() {
    if (!mHistory)
        mHistory.reset(new DocumentHistory(*this));
    return *mHistory;
}

TrainData::EditScope::EditScope(TrainData& data, QString stepName, bool makesStep)
    : mData(data), mStepName(std::move(stepName)), mMakesStep(makesStep) {
    ++mData.mEditDepth;
}

TrainData::EditScope::~EditScope() {
    // Also after a change that threw: what it did is in the document and must
    // be a step, or undo would not lead back.
    if (--mData.mEditDepth == 0 && mMakesStep && mData.mHistory)
        mData.mHistory->commit(mStepName);
}

void TrainData::checkEditing() const {
    if (mHistory && mEditDepth == 0)
        strayEditHandler();
}

void TrainData::changedValue() {
    if (!mHistory && !mAdopting)
        setModified(true);
    emit valueChanged();
}

void TrainData::setText(TextId id, const QString& text) {
    checkEditing();
    QString& slot = mTexts[std::size_t(id)];
    if (slot == text)
        return;
    slot = text;
    emit textChanged(id);
    changedValue();
}

void TrainData::setListIndex(ListId id, int index) {
    checkEditing();
    ListState& state = list(id);
    if (index < -1 || index >= state.entries.size())
        throw StepFailure(Failure::InvalidPropertyValue);
    if (state.index == index)
        return;
    state.index = index;
    emit listChanged(id);
    changedValue();
    if (id == cbxBrkSend)
        applyBrakeTransmissionRule(*this);
}

bool TrainData::selectByItemData(ListId id, int number) {
    const QList<int>& data = listInfo(id).itemData;
    int found = -1;
    for (int i = 0; i < data.size(); ++i) {
        if (data.at(i) == number)
            found = i;
    }
    if (found < 0)
        return false;
    setListIndex(id, found);
    return true;
}

std::optional<int> TrainData::listItemData(ListId id) const {
    const QList<int>& data = listInfo(id).itemData;
    const int index = listIndex(id);
    if (index < 0 || index >= data.size())
        return std::nullopt;
    return data.at(index);
}

void TrainData::setListEnabled(ListId id, bool enabled) {
    checkEditing();
    ListState& state = list(id);
    if (state.enabled == enabled)
        return;
    state.enabled = enabled;
    emit listChanged(id);
    changedValue();
}

void TrainData::setListEntryCaption(ListId id, int entry, const QString& caption) {
    checkEditing();
    ListState& state = list(id);
    if (state.entries.at(entry) == caption)
        return;
    state.entries[entry] = caption;
    emit listChanged(id);
    changedValue();
}

void TrainData::setCheck(CheckId id, bool checked) {
    checkEditing();
    bool& slot = mChecks.at(std::size_t(id));
    if (slot == checked)
        return;
    slot = checked;
    emit checkChanged(id);
    changedValue();
    applyHoldingControlRule(*this, id);
}

void TrainData::setAccelerationTable(const AccelerationTable& table) {
    checkEditing();
    // An editor confirmed without a change leaves the document unmodified.
    if (mAcceleration == table)
        return;
    mAcceleration = table;
    emit tablesChanged();
    changedValue();
}

void TrainData::setMotorSoundTable(const MotorSoundTable& table) {
    checkEditing();
    if (mMotorSound == table)
        return;
    mMotorSound = table;
    emit tablesChanged();
    changedValue();
}

DocumentState TrainData::state(const DocumentState* previous) const {
    DocumentState s;
    s.texts = mTexts;
    for (int i = 0; i < ListCount; ++i) {
        const ListState& l = mLists[std::size_t(i)];
        s.lists[std::size_t(i)] = {l.index, l.enabled, l.entries};
    }
    s.checks = mChecks;
    s.acceleration = mAcceleration;
    if (previous && previous->motorSound && *previous->motorSound == mMotorSound)
        s.motorSound = previous->motorSound;
    else
        s.motorSound = std::make_shared<const MotorSoundTable>(mMotorSound);
    return s;
}

bool TrainData::holds(const DocumentState& s) const {
    if (s.texts != mTexts || s.checks != mChecks || s.acceleration != mAcceleration)
        return false;
    for (int i = 0; i < ListCount; ++i) {
        const ListState& l = mLists[std::size_t(i)];
        if (s.lists[std::size_t(i)] != DocumentState::List{l.index, l.enabled, l.entries})
            return false;
    }
    return s.motorSound && *s.motorSound == mMotorSound;
}

void TrainData::restore(const DocumentState& s) {
    const EditScope scope(*this, QString(), false);
    const bool tables = s.acceleration != mAcceleration || *s.motorSound != mMotorSound;
    mAcceleration = s.acceleration;
    mMotorSound = *s.motorSound;
    if (tables) {
        emit tablesChanged();
        changedValue();
    }
    for (int i = 0; i < TextFieldCount; ++i)
        setText(TextId(i), s.texts[std::size_t(i)]);
    for (int i = 0; i < ListCount; ++i) {
        ListState& l = mLists[std::size_t(i)];
        const DocumentState::List& kept = s.lists[std::size_t(i)];
        if (DocumentState::List{l.index, l.enabled, l.entries} == kept)
            continue;
        l = ListState{kept.index, kept.enabled, kept.entries};
        emit listChanged(ListId(i));
        changedValue();
    }
    for (int i = 0; i < CheckCount; ++i) {
        if (mChecks[std::size_t(i)] == s.checks[std::size_t(i)])
            continue;
        mChecks[std::size_t(i)] = s.checks[std::size_t(i)];
        emit checkChanged(chkDevice(i));
        changedValue();
    }
}

void TrainData::adopt(const TrainData& scratch, bool unsaved) {
    {
        const QScopedValueRollback adopting(mAdopting, true);
        // Unmodified first: the old document is set aside, its recovery copy goes.
        setModified(false);
        if (mHistory)
            mHistory->beginReplacing();
        restore(scratch.state());
        setDocumentPath(scratch.mDocumentPath);
        mDiskFingerprint = scratch.mDiskFingerprint;
        mAskBeforeReplacing = scratch.mAskBeforeReplacing;
        mFormatVersion = scratch.mFormatVersion;
    }
    if (mHistory)
        mHistory->startFresh(unsaved);
    else
        setModified(unsaved);
}

void TrainData::markSaved() {
    if (mHistory)
        mHistory->markSaved();
    else
        setModified(false);
}

QString accelerationStepName() { return QStringLiteral("加速力曲線"); }
QString motorSoundStepName() { return QStringLiteral("モータ音"); }

void TrainData::setDocumentPath(const QString& path) {
    if (mDocumentPath == path)
        return;
    mDocumentPath = path;
    emit documentPathChanged();
}

TrainConsist TrainData::consist() const {
    return {consistValue(text(txtCar(0))), consistValue(text(txtCar(1))),
            consistValue(text(txtCar(2))), consistValue(text(txtCar(3)))};
}

double TrainData::serviceDeceleration() const {
    return leadingNumber(text(txtPer(0)));
}

double TrainData::adhesionCoefficient() const {
    return leadingNumber(text(txtPer(1)));
}

double TrainData::serviceBrakeDelay() const {
    return leadingNumber(text(txtDelay(2)));
}

QString TrainData::caption() const {
    return documentCaption(mDocumentPath);
}

void TrainData::setModified(bool modified) {
    if (mModified == modified)
        return;
    mModified = modified;
    emit modifiedChanged(modified);
}

void TrainData::resetToDefaults() {
    checkEditing();
    mMotorSound = defaultMotorSoundTable();
    mAcceleration = defaultAccelerationTable();
    emit tablesChanged();
    changedValue();
    for (const TextFieldInfo& info : textFields())
        setText(info.id, info.defaultText);
    // The transmission goes first: its rule would otherwise overwrite the
    // blending and handle defaults set after it.
    setListIndex(cbxBrkSend, listInfo(cbxBrkSend).defaultIndex);
    for (ListId id : {cbxBrkElcAir, cbxHandle(0), cbxHandle(1), cbxHandle(2), cbxHead})
        setListIndex(id, listInfo(id).defaultIndex);
    for (int i = 0; i < CheckCount; ++i)
        setCheck(chkDevice(i), false);
    for (int i = 0; i < 3; ++i)
        setListIndex(cbxDevice(i), listInfo(cbxDevice(i)).defaultIndex);
}

void TrainData::newDocument() {
    resetToDefaults();
    setDocumentPath(QString());
    mDiskFingerprint = {};
    mAskBeforeReplacing = false;
    if (!mHistory)
        setModified(false);
}

} // namespace Orlenda
