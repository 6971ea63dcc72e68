#include "app/testhooks.h"

#include "document/traindata.h"
#ifdef ORLENDA_SOUND
#include "app/auditionloader.h"
#endif

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <cstdio>

namespace Orlenda {

void installTestHooks(TrainData& data) {
#ifdef ORLENDA_SOUND
    // Whether this editor finds its audition module where it was built.
    if (qEnvironmentVariableIsSet("ORLENDA_TEST_AUDITION")) {
        const QString failure = auditionModuleFailure();
        std::printf("audition: %s\n", failure.isEmpty() ? "loaded" : qPrintable(failure));
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QApplication::quit);
        return;
    }
#endif
    const QString edit = qEnvironmentVariable("ORLENDA_TEST_EDIT");
    const bool answer = qEnvironmentVariableIsSet("ORLENDA_TEST_ANSWER_DEFAULT");
    if (edit.isEmpty() && !answer)
        return;
    auto* timer = new QTimer(qApp);
    QObject::connect(
        timer, &QTimer::timeout, qApp, [&data, edit, answer, timer, ready = false]() mutable {
            // A question box is known by its text label; a notice has one
            // button and no default.
            QWidget* modal = QApplication::activeModalWidget();
            auto* text = modal ? modal->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")) : nullptr;
            QPushButton* choice = nullptr;
            if (text) {
                const QList<QPushButton*> buttons = modal->findChildren<QPushButton*>();
                for (QPushButton* button : buttons) {
                    if (button->isDefault())
                        choice = button;
                }
                if (!choice && buttons.size() == 1)
                    choice = buttons.first();
            }
            if (answer && choice) {
                std::printf("question: %s\n",
                            qPrintable(text->text().replace(QLatin1Char('\n'), u' ')));
                std::fflush(stdout);
                choice->click();
                return;
            }
            // The recovery window: its rows are printed as one question.
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && answer && dialog->objectName() == QLatin1String("frmRecovery")) {
                QString rows;
                if (auto* table = dialog->findChild<QTableView*>()) {
                    for (int r = 0; r < table->model()->rowCount(); ++r)
                        rows += QLatin1Char(' ') + table->model()->index(r, 0).data().toString();
                }
                std::printf("question: recovery%s\n", qPrintable(rows));
                std::fflush(stdout);
                if (auto* restore = dialog->findChild<QPushButton*>(QStringLiteral("cmdRestore")))
                    restore->click();
                return;
            }
            const QWidgetList windows = QApplication::topLevelWidgets();
            const bool shown = std::any_of(windows.cbegin(), windows.cend(), [](QWidget* w) {
                return w->objectName() == QLatin1String("frmMain") && w->isVisible();
            });
            if (!shown || ready)
                return;
            ready = true;
            const qsizetype equals = edit.indexOf(QLatin1Char('='));
            for (const TextFieldInfo& info : textFields()) {
                if (equals > 0 && edit.left(equals) == QLatin1String(info.name))
                    data.type([&] { data.setText(info.id, edit.mid(equals + 1)); });
            }
            std::printf("ready\n");
            std::fflush(stdout);
            if (!answer)
                timer->stop();
        });
    timer->start(20);
}

} // namespace Orlenda
