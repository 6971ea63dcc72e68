#include "app/messageboxprompter.h"

#include <QApplication>
#include <QMessageBox>

namespace Orlenda {

bool MessageBoxPrompter::ask(const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Warning, caption,
                    text, QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace Orlenda
