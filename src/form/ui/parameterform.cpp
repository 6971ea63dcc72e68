#include "form/ui/parameterform.h"

#include "document/traindata.h"
#include "form/fieldchecks.h"
#include "form/formlayout.h"
#include "form/stepname.h"
#include "shared/ui/fieldtextview.h"
#include "shared/ui/focusmove.h"
#include "shared/ui/historykeys.h"
#include "form/ui/panelframe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Orlenda {

namespace {

QLabel* addLabel(QWidget* parent, const QString& text, const QRect& twips, const QString& name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(twipsToPixels(twips));
    return label;
}

} // namespace

ParameterForm::ParameterForm(TrainData& data, QWidget* parent) : QWidget(parent), mData(data) {
    setObjectName(QStringLiteral("ParameterForm"));
    buildControls();
    arrangeTabOrder();
    bindDocument();
}

ParameterForm::~ParameterForm() {
    // Deleting a focused field sends it a focus-out; the check must not run on a half-destroyed form.
    for (QLineEdit* f : mFields)
        f->removeEventFilter(this);
}

QPushButton* ParameterForm::button(FormButton which) const {
    return mButtons.at(std::size_t(which));
}

QSize ParameterForm::sizeHint() const { return twipsToPixels(formRect()).size(); }

void ParameterForm::buildControls() {
    // Created first so that Tab from it, after Enter, starts again at the top.
    const ControlLayout dummy = dummyButtonLayout();
    auto* dummyButton = new QPushButton(this);
    dummyButton->setObjectName(QString::fromLatin1(buttonName(FormButton::Dummy)));
    dummyButton->setGeometry(twipsToPixels(dummy.rect));
    dummyButton->setFocusPolicy(Qt::NoFocus);
    connect(dummyButton, &QPushButton::clicked, dummyButton, [dummyButton] { dummyButton->setFocus(); });
    mButtons[std::size_t(FormButton::Dummy)] = dummyButton;

    std::array<PanelFrame*, PanelCount> panels{};
    for (const PanelLayout& p : panelLayouts()) {
        auto* box = new PanelFrame(p.caption, this);
        box->setGeometry(twipsToPixels(p.rect));
        panels[std::size_t(p.id)] = box;
    }

    // The document's history takes the undo and redo keys, not a field's own undo.
    auto* historyKeys = new HistoryKeys(this);
    for (const ControlLayout& c : controlLayouts()) {
        QWidget* host = c.panel < 0 ? static_cast<QWidget*>(this) : panels[std::size_t(c.panel)];
        const QString name = controlName(c);
        QWidget* widget = nullptr;
        QString caption;
        QString unit;
        switch (c.kind) {
        case ControlKind::Text: {
            const TextId id = TextId(c.id);
            auto* edit = new QLineEdit(QStringLiteral("0"), host);
            // A file dropped on a field opens in the window instead of pasting its path.
            edit->setAcceptDrops(false);
            edit->installEventFilter(this);
            historyKeys->keepFrom(edit);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, id](const QString& t) {
                        mTyped[std::size_t(id)] = true;
                        mData.type([&] { mData.setText(id, t); });
                    });
            connect(edit, &QLineEdit::returnPressed, dummyButton, &QPushButton::click);
            connect(edit, &QLineEdit::textChanged, edit, [edit] { updateOverflowToolTip(edit); });
            mFields[std::size_t(id)] = edit;
            caption = textFieldInfo(id).caption;
            unit = textFieldInfo(id).unit;
            widget = edit;
            break;
        }
        case ControlKind::List: {
            const ListId id = ListId(c.id);
            auto* combo = new QComboBox(host);
            combo->setEditable(false);
            const QList<int>& itemData = listInfo(id).itemData;
            const QStringList& entries = mData.listEntries(id);
            for (int i = 0; i < entries.size(); ++i)
                combo->addItem(entries.at(i), i < itemData.size() ? QVariant(itemData.at(i)) : QVariant());
            connect(combo, &QComboBox::activated, this, [this, id](int index) {
                mData.edit(listStepName(id), [&] { mData.setListIndex(id, index); });
            });
            mLists[std::size_t(id)] = combo;
            caption = listInfo(id).caption;
            widget = combo;
            break;
        }
        case ControlKind::Check: {
            const int index = c.id;
            auto* box = new QCheckBox(checkInfo(index).caption, host);
            connect(box, &QCheckBox::clicked, this, [this, index](bool on) {
                mData.edit(checkStepName(index), [&] { mData.setCheck(chkDevice(index), on); });
            });
            mChecks[std::size_t(index)] = box;
            widget = box;
            break;
        }
        case ControlKind::Button: {
            const FormButton which = FormButton(c.id);
            auto* push = new QPushButton(buttonCaption(which), host);
            // Their windows are not part of the form; the main window connects them.
            push->setEnabled(false);
            mButtons[std::size_t(which)] = push;
            widget = push;
            break;
        }
        }
        widget->setObjectName(name);
        widget->setGeometry(twipsToPixels(c.rect));
        if (!c.captionRect.isEmpty())
            addLabel(host, caption, c.captionRect, QStringLiteral("lblCaption:") + name);
        if (!c.unitRect.isEmpty())
            addLabel(host, unit, c.unitRect, QStringLiteral("lblUnit:") + name);
    }
}

void ParameterForm::arrangeTabOrder() {
    QWidget* previous = nullptr;
    for (const ControlLayout& c : controlLayouts()) {
        QWidget* current = nullptr;
        switch (c.kind) {
        case ControlKind::Text:
            current = field(TextId(c.id));
            break;
        case ControlKind::List:
            current = list(ListId(c.id));
            break;
        case ControlKind::Check:
            current = checkBox(c.id);
            break;
        case ControlKind::Button:
            current = button(FormButton(c.id));
            break;
        }
        if (previous)
            QWidget::setTabOrder(previous, current);
        previous = current;
    }
}

void ParameterForm::bindDocument() {
    for (int i = 0; i < TextFieldCount; ++i)
        showText(TextId(i));
    for (int i = 0; i < ListCount; ++i)
        showList(ListId(i));
    for (int i = 0; i < CheckCount; ++i)
        showCheck(chkDevice(i));
    connect(&mData, &TrainData::textChanged, this, &ParameterForm::showText);
    connect(&mData, &TrainData::listChanged, this, &ParameterForm::showList);
    connect(&mData, &TrainData::checkChanged, this, &ParameterForm::showCheck);
}

void ParameterForm::showText(TextId id) {
    QLineEdit* edit = field(id);
    // Equal text is left alone so that typing keeps its cursor and undo history.
    if (edit->text() != mData.text(id)) {
        edit->setText(mData.text(id));
        showTextStart(edit);
    }
}

void ParameterForm::showList(ListId id) {
    QComboBox* combo = list(id);
    const QStringList& entries = mData.listEntries(id);
    for (int i = 0; i < entries.size() && i < combo->count(); ++i) {
        if (combo->itemText(i) != entries.at(i))
            combo->setItemText(i, entries.at(i));
    }
    if (combo->currentIndex() != mData.listIndex(id))
        combo->setCurrentIndex(mData.listIndex(id));
    combo->setEnabled(mData.listEnabled(id));
}

void ParameterForm::showCheck(CheckId id) {
    QCheckBox* box = checkBox(int(id));
    if (box->isChecked() != mData.check(id))
        box->setChecked(mData.check(id));
}

bool ParameterForm::eventFilter(QObject* watched, QEvent* event) {
    // Focus that leaves for a menu or another window comes back to the field:
    // the entry is not finished, and a Save from the menu writes it as typed.
    if (isFocusMoveWithinWindow(event, QEvent::FocusOut)) {
        for (int i = 0; i < TextFieldCount; ++i) {
            // A field only passed through keeps its text as it is, even one
            // the check would write differently.
            if (mFields[std::size_t(i)] == watched && mTyped[std::size_t(i)]) {
                mTyped[std::size_t(i)] = false;
                mData.edit(fieldStepName(TextId(i)), [&] { applyFieldCheck(mData, TextId(i)); });
                showTextStart(mFields[std::size_t(i)]);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Orlenda
