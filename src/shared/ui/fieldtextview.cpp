#include "shared/ui/fieldtextview.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace Orlenda {

namespace {
// QLineEdit keeps this many pixels free on each side of its text, and one for the cursor.
constexpr int LineEditTextMargin = 2;
constexpr int CursorWidth = 1;
} // namespace

bool textFitsField(const QLineEdit* edit) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                               .marginsRemoved(edit->textMargins());
    const int available = contents.width() - 2 * LineEditTextMargin;
    return edit->fontMetrics().horizontalAdvance(edit->displayText()) + CursorWidth <= available;
}

void showTextStart(QLineEdit* edit) {
    edit->setCursorPosition(0);
}

void updateOverflowToolTip(QLineEdit* edit) {
    edit->setToolTip(textFitsField(edit) ? QString() : edit->text());
}

} // namespace Orlenda
