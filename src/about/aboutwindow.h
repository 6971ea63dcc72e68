#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;

namespace Orlenda {

// The version window: title, version, legal notice and the link to the web page.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    // Opens a page in the user's browser; false when none could be started.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit AboutWindow(QWidget* owner, UrlOpener opener = {});

    QLabel* linkLabel() const { return mUrl; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLinkColour(const QColor& colour);
    void fitToContents();
    void openWebPage();

    QLabel* mUrl = nullptr;
    UrlOpener mOpen;
    QString mAddress;
    bool mPressed = false;
};

} // namespace Orlenda
