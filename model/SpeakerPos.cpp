#include "model/SpeakerPos.h"

#include "model/Globals.h"

#include <cstring>

namespace {

enum FrontPos { T = 0, M = 1, W = 2, MT = 3, MW = 4, F = 5 };

constexpr int kFrontLeft = 1;
constexpr int kFrontRight = 7;
constexpr int kRearLeft = 13;
constexpr int kRearRight = 16;
constexpr int kCentre = 19;

BYTE& State(int code) {
    return g_posState[code];
}

void Unblock(int code) {
    if (State(code) != POS_TAKEN)
        State(code) = POS_FREE;
}
void Block(int code) {
    State(code) = POS_BLOCKED;
}
void Take(int code) {
    State(code) = POS_TAKEN;
}
void Free(int code) {
    State(code) = POS_FREE;
}
bool Taken(int code) {
    return State(code) == POS_TAKEN;
}

// ---- Front sides: base 1 (left) or 7 (right), positions T, M, W, MT, MW, F -------------------

int Other(int base) {
    return base == kFrontLeft ? kFrontRight : kFrontLeft;
}
// Taken on either side.
bool AnyTaken(int pos) {
    return Taken(kFrontLeft + pos) || Taken(kFrontRight + pos);
}

void UnblockIf(int code, bool cond) {
    if (cond)
        Unblock(code);
    else
        Block(code);
}

// The other side copies this side's states, except where it holds a position itself.
void Follow(int base, int otherBase, int count) {
    for (int p = 0; p < count; ++p) {
        if (Taken(otherBase + p))
            continue;
        State(otherBase + p) = Taken(base + p) ? POS_FREE : State(base + p);
    }
}

void SelectFront(int base, int pos) {
    const int s = base;
    switch (pos) {
    case T:
        Take(s + T);
        UnblockIf(s + M, !AnyTaken(MW));
        UnblockIf(s + W, !AnyTaken(MW));
        Block(s + MT);
        UnblockIf(s + MW, !AnyTaken(M) && !AnyTaken(W));
        Block(s + F);
        break;
    case M:
        Unblock(s + T);
        Take(s + M);
        Unblock(s + W);
        Block(s + MT);
        Block(s + MW);
        Block(s + F);
        break;
    case W:
        UnblockIf(s + T, !AnyTaken(MT));
        UnblockIf(s + M, !AnyTaken(MT));
        Take(s + W);
        UnblockIf(s + MT, !AnyTaken(M) && !AnyTaken(T));
        Block(s + MW);
        Block(s + F);
        break;
    case MT:
        Block(s + T);
        Block(s + M);
        Unblock(s + W);
        Take(s + MT);
        Block(s + MW);
        Block(s + F);
        break;
    case MW:
        Unblock(s + T);
        Block(s + M);
        Block(s + W);
        Block(s + MT);
        Take(s + MW);
        Block(s + F);
        break;
    default:
        for (int p = T; p <= MW; ++p)
            Block(s + p);
        Take(s + F);
        break;
    }
    Follow(s, Other(s), 6);
}

void ReleaseFront(int base, int pos) {
    const int s = base;
    switch (pos) {
    case T:
        Free(s + T);
        if (!AnyTaken(M) && !AnyTaken(T) && !AnyTaken(MW))
            Free(s + MT);
        break;
    case M:
        Free(s + M);
        if (!AnyTaken(M)) {
            if (State(s + T) == POS_FREE)
                Free(s + MT);
            if (State(s + W) == POS_FREE)
                Free(s + MW);
        }
        break;
    case W:
        Free(s + W);
        if (!AnyTaken(M) && !AnyTaken(W) && !AnyTaken(MT))
            Free(s + MW);
        break;
    case MT:
        Free(s + MT);
        if (!AnyTaken(MT)) {
            Free(s + T);
            Free(s + M);
            if (!AnyTaken(W))
                Free(s + MW);
        }
        break;
    case MW:
        Free(s + MW);
        if (!AnyTaken(MW)) {
            Free(s + M);
            Free(s + W);
            if (!AnyTaken(T))
                Free(s + MT);
        }
        break;
    default:
        if (!Taken(Other(s) + F)) {
            for (int p = T; p <= MW; ++p)
                Free(s + p);
        }
        Free(s + F);
        break;
    }
    if (pos != F) {
        bool any = false;
        for (int p = T; p <= MW; ++p)
            any = any || AnyTaken(p);
        if (any)
            Block(s + F);
        else
            Free(s + F);
    }
    Follow(s, Other(s), 6);
}

// ---- Rear sides (T, W, F) and centre -------------------------------------------------------

void SelectTwoWayFull(int base, int pos) {
    if (pos == 0) {
        Take(base);
        Unblock(base + 1);
        Block(base + 2);
    } else if (pos == 1) {
        Take(base + 1);
        Unblock(base);
        Block(base + 2);
    } else {
        Block(base);
        Block(base + 1);
        Take(base + 2);
    }
}

void SelectRear(int base, int pos) {
    SelectTwoWayFull(base, pos);
    Follow(base, base == kRearLeft ? kRearRight : kRearLeft, 3);
}

void ReleaseRear(int base, int pos) {
    const int other = base == kRearLeft ? kRearRight : kRearLeft;
    if (pos < 2) {
        Free(base + pos);
        const bool any =
            Taken(kRearLeft) || Taken(kRearLeft + 1) || Taken(kRearRight) || Taken(kRearRight + 1);
        if (any)
            Block(base + 2);
        else
            Free(base + 2);
    } else {
        if (!Taken(other + 2)) {
            Free(base);
            Free(base + 1);
        }
        Free(base + 2);
    }
    Follow(base, other, 3);
}

void ReleaseCentre(int pos) {
    if (pos < 2) {
        Free(kCentre + pos);
        if (Taken(kCentre + (1 - pos)))
            Block(kCentre + 2);
        else
            Free(kCentre + 2);
    } else {
        Free(kCentre);
        Free(kCentre + 1);
        Free(kCentre + 2);
    }
}

// ---- Subwoofers (22 RL, 23 RR, 24 mono, 25 FL, 26 FR) ---------------------------------------

void SelectSub(int code) {
    switch (code) {
    case 22:
        Take(22);
        Unblock(23);
        Block(24);
        break;
    case 23:
        Take(23);
        Unblock(22);
        Block(24);
        break;
    case 24:
        Block(22);
        Block(23);
        Take(24);
        break;
    case 25:
        Take(25);
        Unblock(26);
        break;
    default:
        Take(26);
        Unblock(25);
        break;
    }
}

void ReleaseSub(int code) {
    switch (code) {
    case 22:
    case 23: {
        Free(code);
        const int partner = code == 22 ? 23 : 22;
        if (Taken(partner))
            Block(24);
        else
            Free(24);
        break;
    }
    case 24:
        Free(22);
        Free(23);
        Free(24);
        break;
    default:
        Free(code);
        break;
    }
}

bool ValidOut(int out) {
    return out >= 0 && out < NUM_OUTPUTS;
}

int OutCode(int out) {
    return g_posState[POS_STATE_OUTPUTS + out];
}

int Partner(int code, bool withFrontSubs) {
    if (code >= 1 && code <= 6)
        return code + 6;
    if (code >= 7 && code <= 12)
        return code - 6;
    if (code >= 13 && code <= 15)
        return code + 3;
    if (code >= 16 && code <= 18)
        return code - 3;
    if (code == 22)
        return 23;
    if (code == 23)
        return 22;
    if (withFrontSubs && code == 25)
        return 26;
    if (withFrontSubs && code == 26)
        return 25;
    return -1;
}

bool IsRightCode(int code) {
    return (code >= 7 && code <= 12) || (code >= 16 && code <= 18) || code == 23 || code == 26;
}

int FillPairs(LRPair* pairs, bool withFrontSubs) {
    for (int n = 0; n < 4; ++n)
        pairs[n].used = 0;
    int count = 0;
    for (int i = 0; i < NUM_OUTPUTS - 1; ++i) {
        const int partner = Partner(OutCode(i), withFrontSubs);
        if (partner < 0)
            continue;
        for (int j = i + 1; j < NUM_OUTPUTS; ++j) {
            if (OutCode(j) != partner)
                continue;
            if (count < 4) {
                pairs[count].first = i;
                pairs[count].second = j;
                pairs[count].used = 1;
                ++count;
            }
            break;
        }
    }
    return count > 0 ? 1 : 0;
}

} // namespace

void ResetSpeakerStates() {
    std::memset(g_posState, POS_FREE, sizeof g_posState);
}

void RecalcSpeakerStates() {
    for (int k = 0; k < NUM_OUTPUTS; ++k)
        SelectSpeakerPos(OutCode(k), k);
}

void SelectSpeakerPos(int code, int out) {
    (void)out;
    if (code < 0 || code > SPEAKER_CODE_MAX)
        return;
    if (code == 0)
        Take(0);
    else if (code <= 6)
        SelectFront(kFrontLeft, code - kFrontLeft);
    else if (code <= 12)
        SelectFront(kFrontRight, code - kFrontRight);
    else if (code <= 15)
        SelectRear(kRearLeft, code - kRearLeft);
    else if (code <= 18)
        SelectRear(kRearRight, code - kRearRight);
    else if (code <= 21)
        SelectTwoWayFull(kCentre, code - kCentre);
    else
        SelectSub(code);
}

void ReleaseSpeakerPos(int code, int out) {
    if (code < 0 || code > SPEAKER_CODE_MAX)
        return;
    if (code == 0) {
        if (!ValidOut(out))
            return;
        bool other = false;
        for (int k = 0; k < NUM_OUTPUTS; ++k)
            other = other || (k != out && OutCode(k) == 0);
        if (other)
            Take(0);
        else
            Free(0);
    } else if (code <= 6) {
        ReleaseFront(kFrontLeft, code - kFrontLeft);
    } else if (code <= 12) {
        ReleaseFront(kFrontRight, code - kFrontRight);
    } else if (code <= 15) {
        ReleaseRear(kRearLeft, code - kRearLeft);
    } else if (code <= 18) {
        ReleaseRear(kRearRight, code - kRearRight);
    } else if (code <= 21) {
        ReleaseCentre(code - kCentre);
    } else {
        ReleaseSub(code);
    }
}

int IsAnyOutputMapped() {
    for (int k = 0; k < NUM_OUTPUTS; ++k)
        if (OutCode(k) != 0)
            return 1;
    return 0;
}

int IsOutInLinkGroup(int out) {
    return GetOutLinkFlag(out);
}

int RemoveDuplicatePositions() {
    int removed = 0;
    for (int i = 0; i < NUM_OUTPUTS - 1; ++i) {
        const int code = OutCode(i);
        if (code == 0)
            continue;
        for (int j = i + 1; j < NUM_OUTPUTS; ++j) {
            if (OutCode(j) == code) {
                g_posState[POS_STATE_OUTPUTS + j] = 0;
                removed = 1;
            }
        }
    }
    return removed;
}

int FindLRPairs() {
    return FillPairs(g_lrPairCand, false);
}

int BuildLRLinkPairs() {
    const int any = FillPairs(g_lrPairs, true);
    for (LRPair& p : g_lrPairs) {
        if (p.used && IsRightCode(OutCode(p.first))) {
            const int t = p.first;
            p.first = p.second;
            p.second = t;
        }
    }
    return any;
}

int IsSameSpeakerGroup(int a, int b) {
    if (!ValidOut(a) || !ValidOut(b))
        return 0;
    static constexpr int kRanges[][2] = {{1, 5}, {7, 11}, {13, 14}, {16, 17}, {19, 20}};
    const int ca = OutCode(a);
    const int cb = OutCode(b);
    for (const auto& r : kRanges)
        if (ca >= r[0] && ca <= r[1])
            return cb >= r[0] && cb <= r[1] ? 1 : 0;
    return 0;
}

const char* GetSpeakerPosName(int code, bool chinese) {
    static constexpr const char* kEn[NUM_SPEAKER_CODES] = {
        "NULL",      "FL-Tweeter",   "FL-Midrange", "FL-Woofer", "FL-M && T",    "FL-M && WF",
        "FL-Full",   "FR-Tweeter",   "FR-Midrange", "FR-Woofer", "FR-M && T",    "FR-M && WF",
        "FR-Full",   "RL-Tweeter",   "RL-Woofer",   "RL-Full",   "RR-Tweeter",   "RR-Woofer",
        "RR-Full",   "C-Tweeter",    "C-Woofer",    "C-Full",    "RL-Subwoofer", "RR-Subwoofer",
        "Subwoofer", "FL-Subwoofer", "FR-Subwoofer"};
    static constexpr const char* kCn[NUM_SPEAKER_CODES] = {
        "空",         "前置左高频", "前置左中频", "前置左低频", "前置左中高频", "前置左中低频",
        "前置左全频", "前置右高频", "前置右中频", "前置右低频", "前置右中高频", "前置右中低频",
        "前置右全频", "后置左高频", "后置左低频", "后置左全频", "后置右高频",   "后置右低频",
        "后置右全频", "中置高频",   "中置低频",   "中置全频",   "后左超低频",   "后右超低频",
        "超低频",     "前左超低频", "前右超低频"};
    if (code < 0 || code > SPEAKER_CODE_MAX)
        return nullptr;
    return chinese ? kCn[code] : kEn[code];
}
