#pragma once

#include <QList>
#include <QPair>
#include <QRect>
#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

namespace Orlenda {

inline constexpr int TwipsPerPixel = 15;

// The settings written when the main window closes, in the order written:
// left, top, outer width and outer height in twips. None while minimized.
QList<QPair<QString, QString>> windowPlacementSettings(const QRect& outerGeometry, bool minimized);

// The main window's placement (outer geometry in pixels) from those settings'
// texts, in the same order, when it is worth using: four whole numbers, at
// least minimum and at most the screen in size, and the top edge, where the
// title bar is, well inside one of the screens. A settings file may hold
// anything, so anything else gives none and the window starts at its default.
std::optional<QRect> savedWindowPlacement(const QStringList& texts, const QList<QRect>& screens,
                                          QSize minimum);

// A window's size kept in the settings under widthKey and heightKey, in twips.
QList<QPair<QString, QString>> windowSizeSettings(const QString& widthKey,
                                                  const QString& heightKey, QSize size);
// The size from those texts, kept within minimum and maximum; none unless
// both are positive whole numbers.
std::optional<QSize> savedWindowSize(const QString& widthText, const QString& heightText,
                                     QSize minimum, QSize maximum);

// Where those settings live.
inline QString settingsApplication() { return QStringLiteral("Orlenda"); }
inline QString settingsSection() { return QStringLiteral("Settings"); }

// The per-user settings store of the program, its one file alone; none when
// settingsFileProblem() finds that the file must be left alone, so that it
// is neither read nor written.
std::unique_ptr<QSettings> settingsStore();

// The per-user store under that application and section: the text of a key
// (empty when missing or when the store is left alone), and writing values in
// the order given (nothing when it is left alone). A failure to write is not
// reported.
QString readSetting(const QString& key);
void writeSettings(const QList<QPair<QString, QString>>& values);

} // namespace Orlenda
