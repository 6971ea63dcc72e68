#pragma once

#include "shared/prompter.h"

class QWidget;

namespace Orlenda {

// Asks with a modal message box over the window that is active at the time.
class MessageBoxPrompter : public Prompter {
public:
    bool ask(const QString& caption, const QString& text, Icon icon) override;
    bool askNoByDefault(const QString& caption, const QString& text, Icon icon) override;
    // Beside はい and いいえ, "すべて続行" answers the rest of the read with Yes.
    Answer askWhileReading(const QString& caption, const QString& text, Icon icon) override;
    SaveChoice askToSave(const QString& caption, const QString& text) override;
    void tell(const QString& caption, const QString& text) override;
};

} // namespace Orlenda
