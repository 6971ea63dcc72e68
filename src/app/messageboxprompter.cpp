#include "app/messageboxprompter.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <initializer_list>

namespace Orlenda {

namespace {

// The window manager draws the title in a bar that also holds the window's
// icon and buttons; a box only as wide as its text cuts the title short.
// Room for the title measured in the window font, and for about eight
// font heights of icon and buttons, is an estimate that holds.
void makeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics(box.font());
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 8 * metrics.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

QMessageBox::Icon boxIcon(Prompter::Icon icon) {
    return icon == Prompter::Icon::Error ? QMessageBox::Critical : QMessageBox::Warning;
}

struct ButtonText {
    QMessageBox::StandardButton button;
    QString text;
};

// Every prompt: a modal box over the active window; returns the button pressed.
// The standard buttons keep their roles (Esc, Enter); labels only change the words.
int showBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
            QMessageBox::StandardButton escapeButton = QMessageBox::NoButton,
            std::initializer_list<ButtonText> labels = {}) {
    QMessageBox box(icon, caption, text, buttons, QApplication::activeWindow());
    for (const ButtonText& label : labels)
        box.button(label.button)->setText(label.text);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (escapeButton != QMessageBox::NoButton)
        box.setEscapeButton(escapeButton);
    makeRoomForTitle(box);
    return box.exec();
}

} // namespace

bool MessageBoxPrompter::ask(const QString& caption, const QString& text, Icon icon) {
    return showBox(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes) == QMessageBox::Yes;
}

bool MessageBoxPrompter::askNoByDefault(const QString& caption, const QString& text, Icon icon) {
    return showBox(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

Prompter::Answer MessageBoxPrompter::askWhileReading(const QString& caption, const QString& text,
                                                     Icon icon) {
    switch (showBox(boxIcon(icon), caption, text,
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No, QMessageBox::Yes,
                    QMessageBox::NoButton,
                    {{QMessageBox::YesToAll, QStringLiteral("すべて続行(&A)")}})) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::YesToAll:
        return Answer::YesToAll;
    default:
        return Answer::No;
    }
}

void MessageBoxPrompter::tell(const QString& caption, const QString& text) {
    showBox(QMessageBox::Information, caption, text, QMessageBox::Ok, QMessageBox::NoButton);
}

Prompter::SaveChoice MessageBoxPrompter::askToSave(const QString& caption, const QString& text) {
    switch (showBox(QMessageBox::Warning, caption, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QMessageBox::Save, QMessageBox::Cancel,
                    {{QMessageBox::Save, QStringLiteral("保存")},
                     {QMessageBox::Discard, QStringLiteral("保存しない")},
                     {QMessageBox::Cancel, QStringLiteral("キャンセル")}})) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

} // namespace Orlenda
