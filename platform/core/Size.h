// SIZE and CSize: an extent in pixels, with the arithmetic the drawing code uses.
#pragma once

#include "platform/core/WinTypes.h"

struct SIZE {
    LONG cx;
    LONG cy;
};
using LPSIZE = SIZE*;

class CSize : public SIZE {
public:
    constexpr CSize() : SIZE{0, 0} {}
    constexpr CSize(int x, int y) : SIZE{x, y} {}
    constexpr CSize(const SIZE& s) : SIZE(s) {}

    constexpr void SetSize(int x, int y) {
        cx = x;
        cy = y;
    }

    constexpr CSize& operator+=(const SIZE& s) {
        cx += s.cx;
        cy += s.cy;
        return *this;
    }
    constexpr CSize& operator-=(const SIZE& s) {
        cx -= s.cx;
        cy -= s.cy;
        return *this;
    }
    constexpr CSize operator-() const { return CSize(-cx, -cy); }
    friend constexpr CSize operator+(const CSize& a, const SIZE& b) {
        return CSize(a.cx + b.cx, a.cy + b.cy);
    }
    friend constexpr CSize operator-(const CSize& a, const SIZE& b) {
        return CSize(a.cx - b.cx, a.cy - b.cy);
    }
};

constexpr bool operator==(const SIZE& a, const SIZE& b) {
    return a.cx == b.cx && a.cy == b.cy;
}
