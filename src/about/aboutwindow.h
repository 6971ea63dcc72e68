#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;

namespace Orlenda {

class Prompter;

// The version window: title, version, legal notice and the link to the web page.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    // Opens a page in the user's browser; false when none could be started.
    using UrlOpener = std::function<bool(const QUrl&)>;

    // A page that cannot be opened is told through prompter.
    AboutWindow(QWidget* owner, Prompter& prompter, UrlOpener opener = {});

    QLabel* linkLabel() const { return mUrl; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLinkColour(const QColor& colour);
    void fitToContents();
    void openWebPage();

    QLabel* mUrl = nullptr;
    Prompter& mPrompter;
    UrlOpener mOpen;
    QString mAddress;
    bool mPressed = false;
};

} // namespace Orlenda
