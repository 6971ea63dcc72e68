#include "document/controls.h"

namespace Orlenda {

namespace {

using F = TextFamily;
using T = TextId;
#define S(x) QStringLiteral(x)

const std::array<TextFieldInfo, TextFieldCount> kTextFields = {{
    {T::Per0, F::Per, 0, "txtPer(0)", S("減速度"), S("km/h/s"), S("4")},
    {T::Per1, F::Per, 1, "txtPer(1)", S("粘着係数"), {}, S("0.35")},
    {T::Delay0, F::Delay, 0, "txtDelay(0)", S("力行入"), S("s"), S("0.4")},
    {T::Delay1, F::Delay, 1, "txtDelay(1)", S("力行切"), S("s"), S("0.4")},
    {T::Delay2, F::Delay, 2, "txtDelay(2)", S("常用"), S("s"), S("0.8")},
    {T::Delay3, F::Delay, 3, "txtDelay(3)", S("非常"), S("s"), S("0.4")},
    {T::Delay4, F::Delay, 4, "txtDelay(4)", S("電制入"), S("s"), S("1.2")},
    {T::Delay5, F::Delay, 5, "txtDelay(5)", S("電制切"), S("s"), S("0.4")},
    {T::Move0, F::Move, 0, "txtMove(0)", S("力行入"), {}, S("3000")},
    {T::Move1, F::Move, 1, "txtMove(1)", S("力行切"), {}, S("3000")},
    {T::Move2, F::Move, 2, "txtMove(2)", S("電制入"), {}, S("3000")},
    {T::Move3, F::Move, 3, "txtMove(3)", S("電制切"), {}, S("3000")},
    {T::Move4, F::Move, 4, "txtMove(4)", S("込め"), {}, S("300")},
    {T::Move5, F::Move, 5, "txtMove(5)", S("緩め"), {}, S("300")},
    {T::ElcStop, F::ElcStop, 0, "txtElcStop", S("電制停止"), S("km/h"), S("10")},
    {T::Prs0, F::Prs, 0, "txtPrs(0)", S("BC常用最大"), S("kPa"), S("400")},
    {T::Prs1, F::Prs, 1, "txtPrs(1)", S("BC非常"), S("kPa"), S("400")},
    {T::Prs2, F::Prs, 2, "txtPrs(2)", S("元空気溜め下限"), S("kPa"), S("686")},
    {T::Prs3, F::Prs, 3, "txtPrs(3)", S("元空気溜め上限"), S("kPa"), S("784")},
    {T::NotchDown, F::NotchDown, 0, "txtNotchDown", S("ノッチ戻し"), S("ノッチ"), S("8")},
    {T::Point0, F::Point, 0, "txtPoint(0)", S("左右"), S("mm"), S("-730")},
    {T::Point1, F::Point, 1, "txtPoint(1)", S("高さ"), S("mm"), S("2700")},
    {T::Point2, F::Point, 2, "txtPoint(2)", S("前後"), S("mm"), S("-1000")},
    {T::Car0, F::Car, 0, "txtCar(0)", S("M車重量"), S("t"), S("35")},
    {T::Car1, F::Car, 1, "txtCar(1)", S("M車両数"), S("両"), S("1")},
    {T::Car2, F::Car, 2, "txtCar(2)", S("T車重量"), S("t"), S("30")},
    {T::Car3, F::Car, 3, "txtCar(3)", S("T車両数"), S("両"), S("1")},
    {T::Car4, F::Car, 4, "txtCar(4)", S("車体長"), S("m"), S("20")},
    {T::AdaptLoad, F::AdaptLoad, 0, "txtAdaptLoad", S("応荷重制御"), S("t/車"), S("0")},
}};

using L = ListId;
const std::array<ListInfo, ListCount> kLists = {{
    {L::BrkSend, "cbxBrkSend", S("指令伝達"), {S("電磁直通"), S("電気指令式"), S("自動空気")}, {}, 0},
    {L::BrkElcAir, "cbxBrkElcAir", S("電空協和"), {S("無し"), S("締切電磁弁"), S("遅れ込め制御")}, {}, 1},
    {L::Handle0, "cbxHandle(0)", S("タイプ"), {S("ツーハンドル"), S("ワンハンドル")}, {0, 1}, 0},
    {L::Handle1, "cbxHandle(1)", S("力行段数"), {S("3段"), S("4段"), S("5段"), S("6段"), S("無段")}, {3, 4, 5, 6, 0}, 1},
    {L::Handle2, "cbxHandle(2)", S("ブレーキ段数"), {S("5段"), S("6段"), S("7段"), S("8段"), S("無段")}, {5, 6, 7, 8, 0}, 4},
    {L::Head, "cbxHead", S("制御車"), {S("T車"), S("M車")}, {}, 0},
    {L::Device0, "cbxDevice(0)", S("ATC"), {S("無し"), S("自動切替"), S("手動切替")}, {}, 0},
    {L::Device1, "cbxDevice(1)", S("再粘着装置"), {S("タイプA"), S("タイプB"), S("タイプC"), S("タイプD")}, {}, 0},
    {L::Device2, "cbxDevice(2)", S("誤通過防止"), {S("なし"), S("1回発音"), S("連続発音")}, {}, 0},
}};

const std::array<CheckInfo, CheckCount> kChecks = {{
    {"chkDevice(0)", S("ATS-P")},
    {"chkDevice(1)", S("EB")},
    {"chkDevice(2)", S("定速制御")},
    {"chkDevice(3)", S("抑速制御")},
}};

#undef S

} // namespace

const TextFieldInfo& textFieldInfo(TextId id) { return kTextFields.at(std::size_t(id)); }
const std::array<TextFieldInfo, TextFieldCount>& textFields() { return kTextFields; }
const ListInfo& listInfo(ListId id) { return kLists.at(std::size_t(id)); }
const std::array<ListInfo, ListCount>& lists() { return kLists; }
const CheckInfo& checkInfo(int index) { return kChecks.at(std::size_t(index)); }

QStringList brakeNotchCaptions(bool holdingControl) {
    if (holdingControl)
        return {QStringLiteral("4ノッチ"), QStringLiteral("5ノッチ"), QStringLiteral("6ノッチ"),
                QStringLiteral("7ノッチ")};
    return {QStringLiteral("5ノッチ"), QStringLiteral("6ノッチ"), QStringLiteral("7ノッチ"),
            QStringLiteral("8ノッチ")};
}

} // namespace Orlenda
