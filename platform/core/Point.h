// POINT and CPoint: a pixel position, with the offset arithmetic the drawing and hit-test code uses.
#pragma once

#include "platform/core/Size.h"
#include "platform/core/WinTypes.h"

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

class CPoint : public POINT {
public:
    constexpr CPoint() : POINT{0, 0} {}
    constexpr CPoint(int px, int py) : POINT{px, py} {}
    constexpr CPoint(const POINT& p) : POINT(p) {}
    constexpr explicit CPoint(const SIZE& s) : POINT{s.cx, s.cy} {}

    constexpr void SetPoint(int px, int py) {
        x = px;
        y = py;
    }
    constexpr void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    constexpr void Offset(const POINT& p) { Offset(p.x, p.y); }
    constexpr void Offset(const SIZE& s) { Offset(s.cx, s.cy); }

    constexpr CPoint& operator+=(const SIZE& s) {
        Offset(s);
        return *this;
    }
    constexpr CPoint& operator-=(const SIZE& s) {
        Offset(-s.cx, -s.cy);
        return *this;
    }
    constexpr CPoint& operator+=(const POINT& p) {
        Offset(p);
        return *this;
    }
    constexpr CPoint& operator-=(const POINT& p) {
        Offset(-p.x, -p.y);
        return *this;
    }
    constexpr CPoint operator-() const { return CPoint(-x, -y); }

    friend constexpr CPoint operator+(const CPoint& p, const SIZE& s) {
        return CPoint(p.x + s.cx, p.y + s.cy);
    }
    friend constexpr CPoint operator-(const CPoint& p, const SIZE& s) {
        return CPoint(p.x - s.cx, p.y - s.cy);
    }
    friend constexpr CPoint operator+(const CPoint& a, const POINT& b) {
        return CPoint(a.x + b.x, a.y + b.y);
    }
    // The distance between two points is a size.
    friend constexpr CSize operator-(const CPoint& a, const POINT& b) { return CSize(a.x - b.x, a.y - b.y); }
};

constexpr bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}

constexpr CPoint operator+(const CSize& s, const POINT& p) {
    return CPoint(p.x + s.cx, p.y + s.cy);
}
