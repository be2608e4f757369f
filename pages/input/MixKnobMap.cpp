#include "pages/input/MixKnobMap.h"

#include "model/KTV_OutData.h"

#include <cstddef>

namespace {

constexpr int kMix1 = 264; // mix row 1: bytes 264..271
constexpr int kMix2 = 272; // mix row 2: bytes 272..279 (279 the switch mask)

bool SixRows(int inputType, int deviceType) {
    return deviceType == CMixKnobMap::kWideDevice &&
           (inputType == CMixKnobMap::kTypeHiLevel || inputType == CMixKnobMap::kTypeAux);
}

} // namespace

int CMixKnobMap::KnobByte(int knob, int inputType, int deviceType) {
    if (knob < 1 || knob > kKnobs)
        return -1;
    const int k = knob - 1;
    switch (inputType) {
    case 1:
        return kMix1 + k;
    case 3:
        if (deviceType == 3 || deviceType == 4 || k >= 2)
            return kMix2 + k;
        return kMix1 + 4 + k; // the bytes of Hi.Level knobs 5 and 6
    case 2:
    case 5:
        return k < 2 ? kMix1 + 6 + k : -1;
    case 0:
        return k < 2 ? kMix2 + k : -1;
    default:
        return -1;
    }
}

BOOL CMixKnobMap::StoreKnob(CKTV_OutData& out, int knob, int inputType, int deviceType, int value) {
    using Setter = void (CKTV_OutData::*)(BYTE);
    static constexpr Setter kSetters[14] = {
        &CKTV_OutData::SetMix1In1, &CKTV_OutData::SetMix1In2, &CKTV_OutData::SetMix1In3,
        &CKTV_OutData::SetMix1In4, &CKTV_OutData::SetMix1In5, &CKTV_OutData::SetMix1In6,
        &CKTV_OutData::SetMix1In7, &CKTV_OutData::SetMix1In8, &CKTV_OutData::SetMix2In1,
        &CKTV_OutData::SetMix2In2, &CKTV_OutData::SetMix2In3, &CKTV_OutData::SetMix2In4,
        &CKTV_OutData::SetMix2In5, &CKTV_OutData::SetMix2In6,
    };
    const int at = KnobByte(knob, inputType, deviceType);
    if (at < kMix1)
        return FALSE;
    (out.*kSetters[static_cast<std::size_t>(at - kMix1)])(static_cast<BYTE>(value));
    return TRUE;
}

int CMixKnobMap::ReadMixByte(const CKTV_OutData& out, int offset) {
    if (offset >= kMix1 && offset < kMix2)
        return out.GetMix1In(offset - kMix1 + 1);
    if (offset >= kMix2 && offset < kMix2 + 8)
        return out.GetMix2In(offset - kMix2 + 1);
    return -1;
}

int CMixKnobMap::KnobRows(int inputType, int deviceType) {
    if (SixRows(inputType, deviceType))
        return 6;
    return inputType == kTypeHiLevel ? 4 : 2;
}

int CMixKnobMap::PaneHeight(int inputType, int deviceType) {
    return kFirstRowHeight + (KnobRows(inputType, deviceType) / 2 - 1) * kRowPitch;
}

int CMixKnobMap::PaneTop(int inputType, int deviceType) {
    return KnobRows(inputType, deviceType) > 2 ? res::mixer::kTopWide : res::mixer::kTopNarrow;
}

CRect CMixKnobMap::PaneRect(int pane, int inputType, int deviceType) {
    const int x = kPaneLeft + kPanePitch * pane, y = PaneTop(inputType, deviceType);
    return CRect(x, y, x + kPaneWidth, y + PaneHeight(inputType, deviceType));
}

int CMixKnobMap::PopupHeight(int inputType, int deviceType) {
    switch (KnobRows(inputType, deviceType)) {
    case 6:
        return 775;
    case 4:
        return 550;
    default:
        return 331;
    }
}

UINT CMixKnobMap::Background(int inputType, int deviceType, bool chinese) {
    if (deviceType == kWideDevice) {
        if (inputType == kTypeHiLevel || inputType == kTypeAux)
            return 885;
        if (inputType == 2 || inputType == 5)
            return chinese ? 877 : 880;
        return 0;
    }
    static constexpr UINT kZh[6] = {891, 851, 877, 878, 0, 897};
    static constexpr UINT kEn[6] = {892, 852, 880, 879, 0, 898};
    if (inputType < 0 || inputType > 5)
        return 0;
    return chinese ? kZh[inputType] : kEn[inputType];
}

CString CMixKnobMap::Tooltip(int knob, int inputType, bool chinese) {
    CString s;
    if (knob < 1 || knob > kKnobs)
        return s;
    switch (inputType) {
    case 1:
        s.Format(chinese ? "高电平%d" : "Hi.Level%d", knob);
        break;
    case 3:
        s.Format(chinese ? "低电平%d" : "AUX%d", knob);
        break;
    case 2:
    case 5:
        if (knob == 1)
            s = chinese ? "蓝牙左" : "Bluetooth-L";
        else if (knob == 2)
            s = chinese ? "蓝牙右" : "Bluetooth-R";
        break;
    default:
        break;
    }
    return s;
}

const char* CMixKnobMap::RowLabelFormat(int inputType, bool chinese) {
    if (inputType == kTypeHiLevel)
        return chinese ? "高电平 %d" : "Hi.level %d";
    if (inputType == kTypeAux)
        return chinese ? "低电平 %d" : "AUX %d";
    return nullptr;
}

BOOL CMixKnobMap::NextKnob(Place from, int inputType, Place* to) {
    if (from.knob < 1 || from.knob > 4 || from.pane < 0 || from.pane >= kPanes)
        return FALSE;
    Place p{from.pane + 1, from.knob};
    if (from.pane == kPanes - 1) {
        p.pane = 0;
        switch (from.knob) {
        case 1:
            p.knob = 2;
            break;
        case 2:
            p.knob = inputType == kTypeHiLevel ? 3 : 1;
            break;
        case 3:
            p.knob = 4;
            break;
        default:
            p.knob = 1;
            break;
        }
    }
    if (to)
        *to = p;
    return TRUE;
}

BOOL CMixKnobMap::PrevKnob(Place from, int inputType, Place* to) {
    if (from.knob < 1 || from.knob > 4 || from.pane < 0 || from.pane >= kPanes)
        return FALSE;
    Place p{from.pane - 1, from.knob};
    if (from.pane == 0) {
        p.pane = kPanes - 1;
        p.knob = from.knob == 1 ? (inputType == kTypeHiLevel ? 4 : 2) : from.knob - 1;
    }
    if (to)
        *to = p;
    return TRUE;
}
