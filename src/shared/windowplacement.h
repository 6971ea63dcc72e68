#pragma once

#include <QList>
#include <QMargins>
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

// A window's normal geometry (without the frame) and whether it was
// maximised, kept under prefix + Left, Top, Width, Height (twips) and
// Maximized (1 or 0).
QList<QPair<QString, QString>> windowGeometrySettings(const QString& prefix, const QRect& normal,
                                                      bool maximized);
struct SavedGeometry {
    QRect normal;
    bool maximized = false;
};
// Those settings when worth using, as savedWindowPlacement judges a placement;
// the texts are read in the order written.
std::optional<SavedGeometry> savedWindowGeometry(const QStringList& texts,
                                                 const QList<QRect>& screens, QSize minimum);
QStringList windowGeometryKeys(const QString& prefix);

// Where a window first opens: the wanted size, shrunk to the available area
// less the frame, beside the main window's frame (right, else left) where
// there is room, otherwise at the available area's right or left edge.
QRect firstWindowGeometry(QSize wanted, const QRect& available, const QRect& mainFrame,
                          QMargins frame);

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
