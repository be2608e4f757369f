#include "platform/core/Rect.h"

#include <algorithm>
#include <utility>

void CRect::NormalizeRect() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void CRect::InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

bool CRect::IntersectRect(const RECT& a, const RECT& b) {
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
    if (CRect(a).IsRectEmpty() || CRect(b).IsRectEmpty() || r.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    *this = r;
    return true;
}

bool CRect::UnionRect(const RECT& a, const RECT& b) {
    const bool aEmpty = CRect(a).IsRectEmpty();
    const bool bEmpty = CRect(b).IsRectEmpty();
    if (aEmpty && bEmpty) {
        SetRectEmpty();
        return false;
    }
    if (aEmpty) {
        *this = b;
    } else if (bEmpty) {
        *this = a;
    } else {
        SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
    }
    return true;
}
