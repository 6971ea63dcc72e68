#include "shared/windowplacement.h"

#include "shared/settingsfile.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>

namespace Orlenda {

namespace {

// Of the title bar, this much must lie on a screen to grab the window by it.
constexpr int GripWidth = 64;
constexpr int GripHeight = 16;

std::optional<int> pixels(const QString& twips) {
    bool ok = false;
    const qint64 value = twips.trimmed().toLongLong(&ok);
    if (!ok || value < -(qint64(1) << 24) || value > (qint64(1) << 24))
        return std::nullopt;
    return int(value / TwipsPerPixel);
}

} // namespace

std::unique_ptr<QSettings> settingsStore() {
    if (!settingsFileProblem().isEmpty())
        return nullptr;
    // The native per-user store reads fallback files beside this one too,
    // which nothing has checked; they hold nothing of ours.
    return std::make_unique<QSettings>(settingsFilePath(), QSettings::IniFormat);
}

QList<QPair<QString, QString>> windowPlacementSettings(const QRect& outerGeometry, bool minimized) {
    if (minimized)
        return {};
    auto twips = [](int pixels) { return QString::number(qint64(pixels) * TwipsPerPixel); };
    return {
        {QStringLiteral("MainLeft"), twips(outerGeometry.x())},
        {QStringLiteral("MainTop"), twips(outerGeometry.y())},
        {QStringLiteral("MainWidth"), twips(outerGeometry.width())},
        {QStringLiteral("MainHeight"), twips(outerGeometry.height())},
    };
}

std::optional<QRect> savedWindowPlacement(const QStringList& texts, const QList<QRect>& screens,
                                          QSize minimum) {
    if (texts.size() != 4)
        return std::nullopt;
    std::optional<int> values[4];
    for (int i = 0; i < 4; ++i) {
        values[i] = pixels(texts.at(i));
        if (!values[i])
            return std::nullopt;
    }
    const QRect placement(*values[0], *values[1], *values[2], *values[3]);
    if (placement.width() < minimum.width() || placement.height() < minimum.height())
        return std::nullopt;
    const QRect titleBar(placement.topLeft(), QSize(placement.width(), GripHeight));
    for (const QRect& screen : screens) {
        const QRect grip = titleBar & screen;
        if (grip.width() >= GripWidth && grip.height() >= GripHeight &&
            placement.width() <= screen.width() && placement.height() <= screen.height())
            return placement;
    }
    return std::nullopt;
}

QList<QPair<QString, QString>> windowSizeSettings(const QString& widthKey,
                                                  const QString& heightKey, QSize size) {
    return {{widthKey, QString::number(qint64(size.width()) * TwipsPerPixel)},
            {heightKey, QString::number(qint64(size.height()) * TwipsPerPixel)}};
}

std::optional<QSize> savedWindowSize(const QString& widthText, const QString& heightText,
                                     QSize minimum, QSize maximum) {
    const std::optional<int> width = pixels(widthText);
    const std::optional<int> height = pixels(heightText);
    if (!width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return QSize(*width, *height).expandedTo(minimum).boundedTo(maximum);
}

QStringList windowGeometryKeys(const QString& prefix) {
    QStringList keys;
    for (const char* key : {"Left", "Top", "Width", "Height", "Maximized"})
        keys << prefix + QLatin1String(key);
    return keys;
}

QList<QPair<QString, QString>> windowGeometrySettings(const QString& prefix, const QRect& normal,
                                                      bool maximized) {
    const QStringList keys = windowGeometryKeys(prefix);
    QList<QPair<QString, QString>> values;
    const int numbers[] = {normal.x(), normal.y(), normal.width(), normal.height()};
    for (int i = 0; i < 4; ++i)
        values.append({keys.at(i), QString::number(qint64(numbers[i]) * TwipsPerPixel)});
    values.append({keys.at(4), maximized ? QStringLiteral("1") : QStringLiteral("0")});
    return values;
}

std::optional<SavedGeometry> savedWindowGeometry(const QStringList& texts,
                                                 const QList<QRect>& screens, QSize minimum) {
    if (texts.size() != 5)
        return std::nullopt;
    const std::optional<QRect> normal = savedWindowPlacement(texts.mid(0, 4), screens, minimum);
    if (!normal)
        return std::nullopt;
    return SavedGeometry{*normal, texts.at(4).trimmed() == QLatin1String("1")};
}

QRect firstWindowGeometry(QSize wanted, const QRect& available, const QRect& mainFrame,
                          QMargins frame) {
    const QRect inner = available.marginsRemoved(frame);
    const QSize size = wanted.boundedTo(inner.size()).expandedTo(QSize(1, 1));
    const int outerWidth = size.width() + frame.left() + frame.right();
    int left = 0;
    if (mainFrame.right() + 1 + outerWidth <= available.right() + 1)
        left = mainFrame.right() + 1;
    else if (mainFrame.left() - outerWidth >= available.left())
        left = mainFrame.left() - outerWidth;
    else
        left = mainFrame.center().x() < available.center().x() ? available.right() + 1 - outerWidth
                                                                : available.left();
    const int top = std::clamp(mainFrame.top(), available.top(),
                               std::max(available.top(), available.bottom() + 1 -
                                                             (size.height() + frame.top() +
                                                              frame.bottom())));
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}

QString readSetting(const QString& key) {
    const std::unique_ptr<QSettings> settings = settingsStore();
    if (!settings)
        return {};
    settings->beginGroup(settingsSection());
    return settings->value(key).toString();
}

void writeSettings(const QList<QPair<QString, QString>>& values) {
    const std::unique_ptr<QSettings> settings = settingsStore();
    if (!settings)
        return;
    settings->beginGroup(settingsSection());
    for (const auto& [key, value] : values)
        settings->setValue(key, value);
}

} // namespace Orlenda
