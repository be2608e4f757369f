#include "pages/output/DelayLevelHelper.h"

#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "model/Conversions.h"
#include "model/Globals.h"
#include "model/KTV_OutData.h"

#include <algorithm>

namespace {

const DelayBinding kNoBinding{};

// Codes 2, 4, 5, 6 share the front-left mid field, 8, 10, 11, 12 the front-right one.
constexpr int kDelayOfCode[SPEAKER_CODE_MAX + 1] = {-1, 0, 1,  2,  1,  1, 1, 3, 4,  5,  4,  4,  4, 8,
                                                    9,  9, 10, 11, 11, 6, 7, 7, 12, 13, 14, -1, 14};

} // namespace

int CDelayLevelHelper::CodeOf(int output) {
    return output >= 0 && output < NUM_OUTPUTS ? g_posState[POS_STATE_OUTPUTS + output] : 0;
}

int CDelayLevelHelper::DelayFieldOf(int code) {
    return code >= 0 && code <= SPEAKER_CODE_MAX ? kDelayOfCode[code] : -1;
}

int CDelayLevelHelper::LevelDelayFieldOf(int code) {
    return code >= 25 ? -1 : DelayFieldOf(code);
}

int CDelayLevelHelper::GroupOfCode(int code) {
    if (code >= 1 && code <= 5)
        return GROUP_FRONT_LEFT;
    if (code >= 7 && code <= 11)
        return GROUP_FRONT_RIGHT;
    if (code == 13 || code == 14)
        return GROUP_REAR_LEFT;
    if (code == 16 || code == 17)
        return GROUP_REAR_RIGHT;
    if (code == 19 || code == 20)
        return GROUP_CENTRE;
    if (code == 22 || code == 23)
        return GROUP_SUB;
    return -1;
}

int* CDelayLevelHelper::LinkFlag(int group) {
    switch (group) {
    case GROUP_FRONT_LEFT:
        return &g_spkGroups.frontLeft.linkFlag;
    case GROUP_FRONT_RIGHT:
        return &g_spkGroups.frontRight.linkFlag;
    case GROUP_REAR_LEFT:
        return &g_spkGroups.rearLeft.linkFlag;
    case GROUP_REAR_RIGHT:
        return &g_spkGroups.rearRight.linkFlag;
    case GROUP_CENTRE:
        return &g_spkGroups.centre.linkFlag;
    case GROUP_SUB:
        return &g_spkGroups.subwoofer.linkFlag;
    default:
        return nullptr;
    }
}

const int* CDelayLevelHelper::Members(int group) {
    switch (group) {
    case GROUP_FRONT_LEFT:
        return g_spkGroups.frontLeft.members;
    case GROUP_FRONT_RIGHT:
        return g_spkGroups.frontRight.members;
    case GROUP_REAR_LEFT:
        return g_spkGroups.rearLeft.members;
    case GROUP_REAR_RIGHT:
        return g_spkGroups.rearRight.members;
    case GROUP_CENTRE:
        return g_spkGroups.centre.members;
    case GROUP_SUB:
        return g_spkGroups.subwoofer.members;
    default:
        return nullptr;
    }
}

UINT CDelayLevelHelper::ToggleOf(int group) {
    if (group == GROUP_FRONT_LEFT || group == GROUP_FRONT_RIGHT) {
        const int kind = group == GROUP_FRONT_LEFT ? g_spkGroups.frontLeft.kind : g_spkGroups.frontRight.kind;
        if (kind < 1 || kind > 4)
            return 0;
        // Variant 4 sits on the group's first toggle, 1..3 on the ones after it.
        return static_cast<UINT>(kFirstToggle + (group == GROUP_FRONT_LEFT ? 0 : 4) + kind % 4);
    }
    if (group < 0 || group >= kGroupCount)
        return 0;
    return static_cast<UINT>(kFirstToggle + 8 + (group - GROUP_REAR_LEFT));
}

int CDelayLevelHelper::GroupOfToggle(UINT id) {
    if (id < kFirstToggle || id > kFirstToggle + 11)
        return -1;
    const int k = static_cast<int>(id) - kFirstToggle;
    if (k < 4)
        return GROUP_FRONT_LEFT;
    if (k < 8)
        return GROUP_FRONT_RIGHT;
    return GROUP_REAR_LEFT + (k - 8);
}

int CDelayLevelHelper::LowestSubLevel() {
    int lowest = -1;
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (IsSubCode(CodeOf(i)) && g_pOutData[i]) {
            const int level = g_pOutData[i]->GetEffectiveLevel();
            if (lowest < 0 || level < lowest)
                lowest = level;
        }
    return lowest;
}

BOOL CDelayLevelHelper::AnySubOn() {
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (IsSubCode(CodeOf(i)) && g_pOutData[i] && g_pOutData[i]->GetEnabled())
            return TRUE;
    return FALSE;
}

void CDelayLevelHelper::Bind(int output, CNumEdit* field, CNumSpin* spin) {
    if (output >= 0 && output < NUM_DELAY_OUTPUTS)
        m_bindings[static_cast<size_t>(output)] = {field, spin};
}

void CDelayLevelHelper::Unbind(int output) {
    Bind(output, nullptr, nullptr);
}

const DelayBinding& CDelayLevelHelper::Binding(int output) const {
    return output >= 0 && output < NUM_DELAY_OUTPUTS ? m_bindings[static_cast<size_t>(output)] : kNoBinding;
}

int CDelayLevelHelper::StepOutputDelay(int output, int step) {
    CNumSpin* spin = Binding(output).spin;
    CKTV_OutData* out = output >= 0 && output < NUM_OUTPUTS ? g_pOutData[output] : nullptr;
    if (!spin || !out)
        return -1;
    // A field shared by several positions shows the output bound to it last; the others step
    // from their own delay and leave the field alone.
    const bool shown = spin->GetChannel() == output;
    int value = shown ? spin->GetPos() : out->GetDelay();
    switch (spin->GetBuddyType()) {
    case NUMTYPE_DELAY_CM:
        value = StepDelayCm(value, step);
        break;
    case NUMTYPE_DELAY_INCH:
        value = StepDelayInch(value, step);
        break;
    default:
        value += step;
        break;
    }
    value = std::clamp(value, 0, kMaxDelay);
    if (value != out->GetDelay()) {
        out->SetDelay(value);
        if (shown)
            spin->SetPos(value);
    }
    return value;
}

int CDelayLevelHelper::StepLinkedDelays(int output, int step) {
    const int group = GroupOfCode(CodeOf(output));
    const int* flag = LinkFlag(group);
    if (!flag || *flag != 1)
        return 0;
    int stepped = 0;
    const int* members = Members(group);
    for (int i = 0; i < 8; ++i)
        if (members[i] >= 0 && members[i] != output && StepOutputDelay(members[i], step) >= 0)
            ++stepped;
    return stepped;
}

int CDelayLevelHelper::ToggleGroupLink(int group) {
    int* flag = LinkFlag(group);
    if (!flag)
        return -1;
    *flag = *flag ? 0 : 1;
    SetGroupDelayReadOnly(group, *flag == 1);
    return *flag;
}

void CDelayLevelHelper::SetGroupDelayReadOnly(int group, BOOL readOnly) {
    const int* members = Members(group);
    if (!members)
        return;
    for (int i = 0; i < 8; ++i)
        if (CNumEdit* field = Binding(members[i]).field)
            field->SetReadOnly(readOnly);
}
