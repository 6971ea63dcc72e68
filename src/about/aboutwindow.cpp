#include "about/aboutwindow.h"

#include "about/manualaddress.h"
#include "shared/appidentity.h"
#include "shared/prompter.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace Orlenda {

namespace {

constexpr int PlannedWidth = 290;
constexpr int PlannedHeight = 119;
constexpr int RightMargin = 16;
constexpr int BottomMargin = 10;

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

AboutWindow::AboutWindow(QWidget* owner, Prompter& prompter, UrlOpener opener)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      mPrompter(prompter), mOpen(std::move(opener)) {
    if (!mOpen)
        mOpen = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    const AppIdentity identity = appIdentity();
    mAddress = manualUrl(QCoreApplication::applicationDirPath()).toString();
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setWindowTitle(identity.title + QStringLiteral(" のバージョン情報"));

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogoG"));
    logo->setGeometry(16, 16, 48, 48);
    logo->setPixmap(QPixmap::fromImage(logoImage()));

    QLabel* title = addLabel(this, "lblTitle", identity.title, 72, 16);
    title->setStyleSheet(QStringLiteral("color: black"));
    addLabel(this, "lblVersion", versionText(identity.major, identity.minor, identity.revision), 72,
             32);
    addLabel(this, "lblCopyright", identity.legalNotice, 72, 48);

    mUrl = new QLabel(identity.webPage, this);
    mUrl->setObjectName(QStringLiteral("lblUrl"));
    QFont underlined = mUrl->font();
    underlined.setUnderline(true);
    mUrl->setFont(underlined);
    // At least the link's planned 160 x 12, and never less than its text, so
    // that the underline and the descenders are not cut.
    mUrl->move(72, 64);
    mUrl->adjustSize();
    mUrl->resize(std::max(mUrl->width(), 160), std::max(mUrl->height(), 12));
    mUrl->setCursor(Qt::PointingHandCursor);
    mUrl->installEventFilter(this);
    setLinkColour(QColor(0, 0, 255));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(184, 88, 88, 21);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // Esc closes through QDialog's own reject.

    fitToContents();
}

void AboutWindow::fitToContents() {
    // The planned size holds every label in the editor's font; a wider text
    // (another font, a longer notice) widens the window rather than being cut.
    QRect contents;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        contents |= child->geometry();
    setFixedSize(std::max(PlannedWidth, contents.right() + 1 + RightMargin),
                 std::max(PlannedHeight, contents.bottom() + 1 + BottomMargin));
}

void AboutWindow::setLinkColour(const QColor& colour) {
    QPalette palette = mUrl->palette();
    palette.setColor(QPalette::WindowText, colour);
    mUrl->setPalette(palette);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mUrl)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        mPressed = true;
        setLinkColour(QColor(255, 0, 0));
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        setLinkColour(QColor(0, 0, 255));
        const bool inside =
            mUrl->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
        // The click follows the release, and only a release over the link counts.
        if (mPressed && inside)
            openWebPage();
        mPressed = false;
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::openWebPage() {
    if (mOpen(QUrl(mAddress)))
        return;
    mPrompter.tell(windowTitle(), QStringLiteral("ブラウザを起動できませんでした。\n%1").arg(mAddress));
}

} // namespace Orlenda
