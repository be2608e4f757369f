// RECT and CRect with the Windows rules: right and bottom are exclusive, so a rectangle from
// (0,0) to (10,5) covers 10 x 5 pixels and (10,5) lies outside it. A rectangle is empty when its
// width or height is not positive.
#pragma once

#include "platform/core/Point.h"
#include "platform/core/Size.h"
#include "platform/core/WinTypes.h"

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

class CRect : public RECT {
public:
    constexpr CRect() : RECT{0, 0, 0, 0} {}
    constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {}
    constexpr CRect(const POINT& topLeft, const SIZE& size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    constexpr CRect(const POINT& topLeft, const POINT& bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    // Lets a CRect be passed where a RECT pointer is expected.
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
    constexpr CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    constexpr bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(const POINT& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool EqualRect(const RECT& r) const {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }

    constexpr void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void CopyRect(const RECT& r) { SetRect(r.left, r.top, r.right, r.bottom); }

    void NormalizeRect();

    // Inflate grows every side outwards (negative values shrink), Deflate the reverse.
    void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(const SIZE& s) { InflateRect(s.cx, s.cy); }
    void InflateRect(const RECT& sides) { InflateRect(sides.left, sides.top, sides.right, sides.bottom); }
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(const SIZE& s) { InflateRect(-s.cx, -s.cy); }
    void DeflateRect(const RECT& sides) { InflateRect(-sides.left, -sides.top, -sides.right, -sides.bottom); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int dx, int dy);
    void OffsetRect(const POINT& p) { OffsetRect(p.x, p.y); }
    void OffsetRect(const SIZE& s) { OffsetRect(s.cx, s.cy); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void MoveToY(int y) { OffsetRect(0, y - top); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToXY(const POINT& p) { MoveToXY(p.x, p.y); }

    // The overlap of a and b; when they do not overlap the result is (0,0,0,0) and false.
    bool IntersectRect(const RECT& a, const RECT& b);
    // The smallest rectangle holding both; empty inputs are ignored, two empty inputs give
    // (0,0,0,0) and false.
    bool UnionRect(const RECT& a, const RECT& b);

    CRect& operator=(const RECT& r) {
        CopyRect(r);
        return *this;
    }
    CRect& operator+=(const POINT& p) {
        OffsetRect(p);
        return *this;
    }
    CRect& operator+=(const SIZE& s) {
        OffsetRect(s);
        return *this;
    }
    CRect& operator-=(const POINT& p) {
        OffsetRect(-p.x, -p.y);
        return *this;
    }
    CRect& operator-=(const SIZE& s) {
        OffsetRect(-s.cx, -s.cy);
        return *this;
    }
    CRect& operator&=(const RECT& r) {
        IntersectRect(*this, r);
        return *this;
    }
    CRect& operator|=(const RECT& r) {
        UnionRect(*this, r);
        return *this;
    }

    friend CRect operator+(CRect r, const POINT& p) { return r += p; }
    friend CRect operator-(CRect r, const POINT& p) { return r -= p; }
    friend CRect operator+(CRect r, const SIZE& s) { return r += s; }
    friend CRect operator-(CRect r, const SIZE& s) { return r -= s; }
    friend CRect operator&(const CRect& a, const RECT& b) {
        CRect r;
        r.IntersectRect(a, b);
        return r;
    }
    friend CRect operator|(const CRect& a, const RECT& b) {
        CRect r;
        r.UnionRect(a, b);
        return r;
    }
};

constexpr bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
