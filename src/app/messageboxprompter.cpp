#include "app/messageboxprompter.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

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

} // namespace

bool MessageBoxPrompter::ask(const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    makeRoomForTitle(box);
    return box.exec() == QMessageBox::Yes;
}

bool MessageBoxPrompter::askNoByDefault(const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    makeRoomForTitle(box);
    return box.exec() == QMessageBox::Yes;
}

Prompter::Answer MessageBoxPrompter::askWhileReading(const QString& caption, const QString& text,
                                                     Icon icon) {
    QMessageBox box(boxIcon(icon), caption, text,
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No,
                    QApplication::activeWindow());
    box.button(QMessageBox::YesToAll)->setText(QStringLiteral("すべて続行"));
    box.setDefaultButton(QMessageBox::Yes);
    makeRoomForTitle(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::YesToAll:
        return Answer::YesToAll;
    default:
        return Answer::No;
    }
}

void MessageBoxPrompter::tell(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    makeRoomForTitle(box);
    box.exec();
}

Prompter::SaveChoice MessageBoxPrompter::askToSave(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QApplication::activeWindow());
    // The standard buttons keep their roles (Esc cancels); only the words are ours.
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("保存しない"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    makeRoomForTitle(box);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

} // namespace Orlenda
