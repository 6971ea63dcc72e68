#pragma once

#include <QList>
#include <QPair>
#include <QRect>
#include <QString>

namespace Orlenda {

inline constexpr int TwipsPerPixel = 15;

// The settings written when the main window closes, in the order written:
// left, top, outer width and outer height in twips. None while minimized.
QList<QPair<QString, QString>> windowPlacementSettings(const QRect& outerGeometry, bool minimized);

// Where those settings live.
inline QString settingsApplication() { return QStringLiteral("Orlenda"); }
inline QString settingsSection() { return QStringLiteral("Settings"); }

} // namespace Orlenda
