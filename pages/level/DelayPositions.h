// The level page's speaker positions, without windows: for each speaker code its delay field, its
// position button on the car picture and the button's images, the images of the group link
// toggles, and which field and button each output is bound to. Codes 2, 4, 5 and 6 share one
// field (as 8, 10, 11, 12 do): the output bound last is the one the field edits. FL- and
// FR-Subwoofer have neither field nor button on this page.
#pragma once

#include "platform/core/WinTypes.h"

#include <array>

class CDelayPositions {
public:
    static constexpr int kOutputs = 8;
    static constexpr int kCentreTweeter = 19;
    static constexpr int kCentreWoofer = 20;
    static constexpr int kCentreFull = 21;

    struct Position {
        int field = -1; // delay field k (6000 + k), -1 for none
        int button = 0; // position button 6040..6063, 0 for none
        UINT image = 0; // normal image; hover and pressed follow it
    };
    // The position of a code; the empty one for 0, 25, 26 and codes outside 0..26.
    static const Position& Of(int code);
    // First image of link toggle 6800 + t: the three looks up, or down when selected.
    static UINT ToggleImage(int t, BOOL selected);

    // Binds output n to its code's field and button (an empty binding for codes without them).
    const Position& Bind(int n, int code);
    void Unbind(int n);
    void Clear();
    const Position& Binding(int n) const;
    // The outputs whose binding holds the button, in output order; returns their count.
    int OutputsOfButton(int button, int (&out)[kOutputs]) const;

private:
    std::array<Position, kOutputs> m_bind{};
};
