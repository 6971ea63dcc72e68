#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace Orlenda {

// The document's scalar values are named after the controls that show them.

// Text fields, in file order.
enum class TextId : int {
    Per0, Per1,
    Delay0, Delay1, Delay2, Delay3, Delay4, Delay5,
    Move0, Move1, Move2, Move3, Move4, Move5,
    ElcStop,
    Prs0, Prs1, Prs2, Prs3,
    NotchDown,
    Point0, Point1, Point2,
    Car0, Car1, Car2, Car3, Car4,
    AdaptLoad,
};
inline constexpr int TextFieldCount = int(TextId::AdaptLoad) + 1;

enum class TextFamily { Per, Delay, Move, ElcStop, Prs, NotchDown, Point, Car, AdaptLoad };

constexpr TextId txtPer(int i) { return TextId(int(TextId::Per0) + i); }
constexpr TextId txtDelay(int i) { return TextId(int(TextId::Delay0) + i); }
constexpr TextId txtMove(int i) { return TextId(int(TextId::Move0) + i); }
constexpr TextId txtPrs(int i) { return TextId(int(TextId::Prs0) + i); }
constexpr TextId txtPoint(int i) { return TextId(int(TextId::Point0) + i); }
constexpr TextId txtCar(int i) { return TextId(int(TextId::Car0) + i); }
inline constexpr TextId txtElcStop = TextId::ElcStop;
inline constexpr TextId txtNotchDown = TextId::NotchDown;
inline constexpr TextId txtAdaptLoad = TextId::AdaptLoad;

struct TextFieldInfo {
    TextId id;
    TextFamily family;
    int index;           // element index within its family
    const char* name;    // control name, "txtPer(0)"
    QString caption;     // label at the field's left
    QString unit;        // label at its right; empty where there is none
    QString defaultText; // text of a new document
};

const TextFieldInfo& textFieldInfo(TextId id);
const std::array<TextFieldInfo, TextFieldCount>& textFields();

// Drop-down lists.
enum class ListId : int {
    BrkSend, BrkElcAir, Handle0, Handle1, Handle2, Head, Device0, Device1, Device2,
};
inline constexpr int ListCount = int(ListId::Device2) + 1;

inline constexpr ListId cbxBrkSend = ListId::BrkSend;
inline constexpr ListId cbxBrkElcAir = ListId::BrkElcAir;
inline constexpr ListId cbxHead = ListId::Head;
constexpr ListId cbxHandle(int i) { return ListId(int(ListId::Handle0) + i); }
constexpr ListId cbxDevice(int i) { return ListId(int(ListId::Device0) + i); }

// Entries of cbxBrkSend and cbxBrkElcAir, in list order, for the rules and
// readers that depend on them.
enum BrakeTransmission : int { ElectromagneticStraight, ElectricCommand, AutomaticAir };
enum BrakeBlending : int { NoBlending, CutOffValve, DelayedFilling };

struct ListInfo {
    ListId id;
    const char* name;      // control name, "cbxHandle(2)"
    QString caption;       // label beside the list
    QStringList entries;   // captions of a new document, index 0 first
    QList<int> itemData;   // entry numbers; empty where the list has none
    int defaultIndex;
};

const ListInfo& listInfo(ListId id);
const std::array<ListInfo, ListCount>& lists();

// Check boxes chkDevice(0) to chkDevice(3).
enum class CheckId : int { Device0, Device1, Device2, Device3 };
inline constexpr int CheckCount = int(CheckId::Device3) + 1;
constexpr CheckId chkDevice(int i) { return CheckId(int(CheckId::Device0) + i); }
// chkDevice(3): holding control, which renames the brake notches.
inline constexpr CheckId HoldingControlCheck = CheckId::Device3;
struct CheckInfo {
    const char* name;
    QString caption;
};
const CheckInfo& checkInfo(int index);
inline const CheckInfo& checkInfo(CheckId id) { return checkInfo(int(id)); }

// Brake-notch captions of cbxHandle(2) entries 0 to 3 with holding control off and on.
QStringList brakeNotchCaptions(bool holdingControl);

} // namespace Orlenda
