// The keyboard ring of the output page's numeric fields: where Left, Right (Tab) and Enter move
// the focus from a field, and which band becomes selected on the way. Pure rules over control ids,
// so the page only carries the move out.
#pragma once

#include "platform/core/WinTypes.h"

#include <functional>

struct FocusMove {
    enum Kind {
        NONE,
        FIELD,       // control id of the page
        STRIP_LEVEL, // level edit of strip
        STRIP_DELAY, // delay edit of strip
        NEXT_STRIP,  // the first enabled strip after the focused one, else the shown level edit
        LPF_LIST,    // the high-pass list closes, the low-pass list takes the focus and opens
    };
    Kind kind = NONE;
    int id = 0;
    int strip = 0;
    int select = -1; // band to select, -1 none
    bool clearSelection = false;
};

class COutputFocusRing {
public:
    struct State {
        int bandCount = 31;    // 10 on outputs 7 and 8
        bool subShown = false; // the subwoofer level edit is shown instead of the source level
        std::function<bool(int id)> visible;
    };

    // Left (VK_LEFT) or right (VK_RIGHT, Tab) from field id; other keys move nothing.
    static FocusMove Navigate(const State& st, int id, UINT key);
    // Enter: frequency, Q, gain, then the next band's frequency; elsewhere a move to the right.
    static FocusMove Enter(const State& st, int id);
    // The level edit the page shows.
    static int ShownLevelEdit(const State& st);

private:
    static FocusMove Left(const State& st, int id);
    static FocusMove Right(const State& st, int id);
    static FocusMove DelayMove(const State& st, int k, bool right);
};
