#include "form/formlayout.h"

#include "shared/windowplacement.h"

namespace Orlenda {

namespace {

#define S(x) QStringLiteral(x)

// Inner positions are planned on the pixel grid so that nothing lands between pixels.
constexpr QRect px(int x, int y, int w, int h) {
    return QRect(x * TwipsPerPixel, y * TwipsPerPixel, w * TwipsPerPixel, h * TwipsPerPixel);
}

const std::array<PanelLayout, PanelCount> kPanels = {{
    {PanelId::Performance, S("性能"), QRect(120, 120, 3495, 1095)},
    {PanelId::Delay, S("反応性"), QRect(120, 1320, 1575, 2535)},
    {PanelId::Move, S("機敏性"), QRect(1920, 1320, 1695, 2535)},
    {PanelId::Handle, S("ハンドル"), QRect(120, 3960, 2775, 1935)},
    {PanelId::Brake, S("ブレーキ"), QRect(3840, 120, 2535, 1575)},
    {PanelId::Pressure, S("圧力"), QRect(3840, 1920, 2535, 1935)},
    {PanelId::Car, S("編成"), QRect(3120, 3960, 3255, 1935)},
    {PanelId::Device, S("装置"), QRect(6600, 120, 1815, 3735)},
    {PanelId::Cab, S("運転台"), QRect(6600, 3960, 1815, 1575)},
}};

// Below the caption that stands in each panel's top line.
constexpr int FirstRow = 18;
constexpr int RowStep = 26;
constexpr int FieldHeight = 20;
constexpr int ListHeight = 22;
constexpr int CaptionHeight = 17;

int row(int n) { return FirstRow + n * RowStep; }

ControlLayout text(TextId id, PanelId panel, int y, int captionX, int captionW, int fieldX, int fieldW,
                   int unitW) {
    const QRect unit = textFieldInfo(id).unit.isEmpty()
                           ? QRect()
                           : px(fieldX + fieldW + 3, y, unitW, FieldHeight);
    return {ControlKind::Text, int(id), int(panel), px(fieldX, y, fieldW, FieldHeight),
            px(captionX, y, captionW, FieldHeight), unit};
}

ControlLayout list(ListId id, PanelId panel, int y, int captionX, int captionW, int listX, int listW) {
    return {ControlKind::List, int(id), int(panel), px(listX, y, listW, ListHeight),
            px(captionX, y, captionW, ListHeight), QRect()};
}

ControlLayout check(int index, int y) {
    return {ControlKind::Check, index, int(PanelId::Device), px(8, y, 106, 20), QRect(), QRect()};
}

QList<ControlLayout> buildControls() {
    using P = PanelId;
    QList<ControlLayout> c;
    c.append({ControlKind::Button, int(FormButton::Acc), int(P::Performance),
              px(8, FirstRow, 100, 23), QRect(), QRect()});
    c.append(text(txtPer(0), P::Performance, 46, 6, 38, 44, 36, 42));
    c.append(text(txtPer(1), P::Performance, 46, 134, 52, 186, 40, 0));

    // Each off delay and the emergency delay stand directly below their partners.
    const int delayOrder[] = {0, 1, 4, 5, 2, 3};
    for (int k = 0; k < 6; ++k)
        c.append(text(txtDelay(delayOrder[k]), P::Delay, FirstRow + k * 24, 6, 38, 44, 40, 14));
    for (int i = 0; i < 6; ++i)
        c.append(text(txtMove(i), P::Move, FirstRow + i * 24, 6, 38, 46, 56, 0));

    c.append(list(cbxBrkSend, P::Brake, row(0), 6, 50, 58, 104));
    c.append(list(cbxBrkElcAir, P::Brake, row(1), 6, 50, 58, 104));
    c.append(text(txtElcStop, P::Brake, row(2) + 2, 6, 50, 58, 40, 40));

    for (int i = 0; i < 4; ++i)
        c.append(text(txtPrs(i), P::Pressure, row(i), 6, 86, 92, 42, 28));

    // "ブレーキ段数" fills its caption's width: the lists keep a gap after it.
    for (int i = 0; i < 3; ++i)
        c.append(list(cbxHandle(i), P::Handle, row(i), 6, 72, 80, 101));
    c.append(text(txtNotchDown, P::Handle, row(3) + 2, 6, 72, 80, 40, 40));

    for (int i = 0; i < 4; ++i)
        c.append(text(txtCar(i), P::Car, row(i), 6, 50, 56, 36, 16));
    c.append(text(txtCar(4), P::Car, row(0), 114, 38, 152, 40, 16));
    c.append(list(cbxHead, P::Car, row(1), 114, 38, 152, 58));

    // The lower half of the device panel puts each caption over its control.
    c.append(check(0, FirstRow));
    c.append(list(cbxDevice(0), P::Device, 39, 8, 26, 36, 78));
    c.append(check(1, 61));
    c.append(check(2, 81));
    c.append(check(3, 101));
    c.append({ControlKind::List, int(cbxDevice(1)), int(P::Device), px(8, 139, 106, ListHeight),
              px(8, 122, 106, CaptionHeight), QRect()});
    c.append({ControlKind::Text, int(txtAdaptLoad), int(P::Device), px(8, 179, 50, FieldHeight),
              px(8, 162, 106, CaptionHeight), px(61, 179, 50, FieldHeight)});
    c.append({ControlKind::List, int(cbxDevice(2)), int(P::Device), px(8, 218, 106, ListHeight),
              px(8, 201, 106, CaptionHeight), QRect()});

    for (int i = 0; i < 3; ++i)
        c.append(text(txtPoint(i), P::Cab, row(i), 6, 30, 36, 54, 22));

    // Below the cab panel, flush with the right edge of its frame.
    // 21 px high, so that it ends within the client area that a title bar and a
    // menu bar leave of the window's fixed outer height.
    c.append({ControlKind::Button, int(FormButton::Motor), -1, QRect(7080, 5640, 1335, 315),
              QRect(), QRect()});
    return c;
}

} // namespace

const std::array<PanelLayout, PanelCount>& panelLayouts() { return kPanels; }

const QList<ControlLayout>& controlLayouts() {
    static const QList<ControlLayout> controls = buildControls();
    return controls;
}

ControlLayout dummyButtonLayout() {
    return {ControlKind::Button, int(FormButton::Dummy), -1, QRect(-240, -240, 75, 180), QRect(),
            QRect()};
}

namespace {

struct ButtonInfo {
    const char* name;
    const char* caption;
};

// Indexed by FormButton.
constexpr ButtonInfo kButtons[] = {
    {"cmdAcc", "加速力曲線..."},
    {"cmdMotor", "モータ音..."},
    {"cmdDummy", ""},
};

} // namespace

const char* buttonName(FormButton button) {
    return kButtons[int(button)].name;
}

QString buttonCaption(FormButton button) {
    return QString::fromUtf8(kButtons[int(button)].caption);
}

QString controlName(const ControlLayout& control) {
    switch (control.kind) {
    case ControlKind::Text:
        return QString::fromLatin1(textFieldInfo(TextId(control.id)).name);
    case ControlKind::List:
        return QString::fromLatin1(listInfo(ListId(control.id)).name);
    case ControlKind::Check:
        return QString::fromLatin1(checkInfo(control.id).name);
    case ControlKind::Button:
        break;
    }
    return QString::fromLatin1(buttonName(FormButton(control.id)));
}

QRect formRect() { return QRect(0, 0, 576 * TwipsPerPixel, 400 * TwipsPerPixel); }

QRect twipsToPixels(const QRect& twips) {
    return QRect(twips.x() / TwipsPerPixel, twips.y() / TwipsPerPixel, twips.width() / TwipsPerPixel,
                 twips.height() / TwipsPerPixel);
}

#undef S

} // namespace Orlenda
