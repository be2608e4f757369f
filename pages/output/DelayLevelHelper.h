// What the output page and the level page share about delays and levels: each output's delay
// binding (the field and spin of its position), the grouped delay step of linked speaker groups,
// the group link toggles, and the subwoofer level rules. UI thread.
#pragma once

#include "platform/core/WinTypes.h"
#include "model/RecordRanges.h"

#include <array>

class CNumEdit;
class CNumSpin;

constexpr int NUM_DELAY_OUTPUTS = 8;

// The delay field and spin an output is shown in; both null when its position has none.
struct DelayBinding {
    CNumEdit* field = nullptr;
    CNumSpin* spin = nullptr;
};

class CDelayLevelHelper {
public:
    enum Group {
        GROUP_FRONT_LEFT,
        GROUP_FRONT_RIGHT,
        GROUP_REAR_LEFT,
        GROUP_REAR_RIGHT,
        GROUP_CENTRE,
        GROUP_SUB
    };
    static constexpr int kGroupCount = 6;
    static constexpr int kMaxDelay = range::kDelay.hi;
    static constexpr int kFirstSubCode = 22; // codes above 21 are subwoofers
    static constexpr int kFirstToggle = 6800;

    // Position code of output n from g_posState; 0 outside 0..7.
    static int CodeOf(int output);
    // Delay field k (0..14) a position code is shown in on the output page, -1 for none.
    static int DelayFieldOf(int code);
    // The same on the level page, where FL- and FR-Subwoofer (25, 26) have no field.
    static int LevelDelayFieldOf(int code);
    static bool IsSubCode(int code) { return code >= kFirstSubCode; }
    // Group of a position code, -1 for codes of no group.
    static int GroupOfCode(int code);
    // The group's link flag (1 linked, 0 not, -1 no such group) and its members (output or -1).
    static int* LinkFlag(int group);
    static const int* Members(int group);
    // Toggle id showing the group's flag; the front groups' toggle follows their variant 1..4,
    // 0 when the variant is outside that.
    static UINT ToggleOf(int group);
    // Group of a toggle id 6800..6811, -1 for other ids.
    static int GroupOfToggle(UINT id);

    // Lowest effective level of the subwoofer outputs, -1 when there is none.
    static int LowestSubLevel();
    // At least one subwoofer output is on.
    static BOOL AnySubOn();

    void Bind(int output, CNumEdit* field, CNumSpin* spin);
    // No delay field is shown or driven for the output (no position, or one without a field).
    void Unbind(int output);
    const DelayBinding& Binding(int output) const;

    // One step of output's delay in the unit of its spin, clamped to 0..354; the model and the
    // spin take it when it differs. Returns the new delay, -1 without an output or a binding.
    int StepOutputDelay(int output, int step);
    // A step already taken by output's own spin, repeated on the other members of its group
    // while the group is linked. Returns how many outputs were stepped.
    int StepLinkedDelays(int output, int step);
    // Negates the group's flag; its members' fields become read-only (stepped, not typed) while
    // linked. Returns the new flag, -1 for no group.
    int ToggleGroupLink(int group);
    void SetGroupDelayReadOnly(int group, BOOL readOnly);

private:
    std::array<DelayBinding, NUM_DELAY_OUTPUTS> m_bindings{};
};
