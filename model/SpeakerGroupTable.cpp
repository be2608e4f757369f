#include "model/SpeakerGroupTable.h"

#include "model/Globals.h"

namespace {

void Clear(SpeakerGroup& g) {
    g.linkFlag = -1;
    for (int& m : g.members)
        m = -1;
}

void Clear(FrontSpeakerGroup& g) {
    g.linkFlag = -1;
    g.kind = -1;
    for (int& c : g.codes)
        c = -1;
    for (int& m : g.members)
        m = -1;
}

void SetLinkFlag(SpeakerGroup& g, int count) {
    if (count == 2 || count == 3)
        g.linkFlag = 0;
}

void SetFrontKind(FrontSpeakerGroup& g, int count, int tweeter, int woofer) {
    if (count == 2) {
        const bool hasTweeter = g.codes[0] == tweeter || g.codes[1] == tweeter;
        const bool hasWoofer = g.codes[0] == woofer || g.codes[1] == woofer;
        g.linkFlag = 0;
        g.kind = hasTweeter ? (hasWoofer ? 2 : 1) : 3;
    } else if (count == 3) {
        g.linkFlag = 0;
        g.kind = 4;
    }
}

} // namespace

void SpeakerGroupTable::Rebuild(const std::function<void()>& hideDialog) {
    Clear(centre);
    Clear(frontLeft);
    Clear(frontRight);
    Clear(rearLeft);
    Clear(rearRight);
    Clear(subwoofer);

    int nCentre = 0, nFl = 0, nFr = 0, nRl = 0, nRr = 0, nSub = 0;
    for (int k = 0; k < NUM_OUTPUTS; ++k) {
        const int code = g_posState[POS_STATE_OUTPUTS + k];
        if (code >= 1 && code <= 5) {
            frontLeft.members[k] = k;
            if (nFl < 3)
                frontLeft.codes[nFl] = code;
            ++nFl;
        } else if (code >= 7 && code <= 11) {
            frontRight.members[k] = k;
            if (nFr < 3)
                frontRight.codes[nFr] = code;
            ++nFr;
        } else if (code == 13 || code == 14) {
            rearLeft.members[k] = k;
            ++nRl;
        } else if (code == 16 || code == 17) {
            rearRight.members[k] = k;
            ++nRr;
        } else if (code == 19 || code == 20) {
            centre.members[k] = k;
            ++nCentre;
        } else if (code == 22 || code == 23) {
            subwoofer.members[k] = k;
            ++nSub;
        }
    }

    SetLinkFlag(centre, nCentre);
    SetLinkFlag(rearLeft, nRl);
    SetLinkFlag(rearRight, nRr);
    SetLinkFlag(subwoofer, nSub);
    SetFrontKind(frontLeft, nFl, 1, 3);
    SetFrontKind(frontRight, nFr, 7, 9);

    if (hideDialog)
        hideDialog();
}
