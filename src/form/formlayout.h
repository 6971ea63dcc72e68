#pragma once

#include "document/controls.h"

#include <QList>
#include <QRect>
#include <QString>
#include <array>

namespace Orlenda {

// Where the parameter form puts its controls. Rectangles are in twips
// (15 to the pixel); a control's rectangles are relative to its panel, or to
// the form for those that stand on no panel.

enum class PanelId : int { Performance, Delay, Move, Handle, Brake, Pressure, Car, Device, Cab };
inline constexpr int PanelCount = int(PanelId::Cab) + 1;

struct PanelLayout {
    PanelId id;
    QString caption;
    QRect rect;
};

const std::array<PanelLayout, PanelCount>& panelLayouts();

enum class ControlKind { Text, List, Check, Button };

// The form's buttons; cmdDummy is the hidden one that Enter moves the focus to.
enum class FormButton : int { Acc, Motor, Dummy };

struct ControlLayout {
    ControlKind kind;
    int id;              // TextId, ListId, check index or FormButton, by kind
    int panel;           // PanelId, or -1 for the form itself
    QRect rect;
    QRect captionRect;   // empty where the control has no caption label
    QRect unitRect;      // empty where it has no unit label
};

// Every control except cmdDummy, in Tab order.
const QList<ControlLayout>& controlLayouts();

// cmdDummy: outside the visible area of the form.
ControlLayout dummyButtonLayout();

const char* buttonName(FormButton button);
QString buttonCaption(FormButton button);

// Control name of a placed control ("txtPer(0)", "cbxHead", "chkDevice(3)", "cmdAcc").
QString controlName(const ControlLayout& control);

// The size of the client area the panels were laid out for.
QRect formRect();

QRect twipsToPixels(const QRect& twips);

} // namespace Orlenda
