#include "controls/EnTabCtrl.h"

#include "platform/ui/DC.h"
#include "platform/ui/ImageList.h"

#include <algorithm>

namespace {
int g_lookFlags = 0;

BYTE Scale(BYTE channel, float factor) {
    return static_cast<BYTE>(std::min(255, static_cast<int>(static_cast<float>(channel) * factor)));
}
} // namespace

COLORREF Darken(COLORREF colour, float factor) {
    factor = std::clamp(factor, 0.0f, 1.0f);
    return RGB(Scale(GetRValue(colour), factor), Scale(GetGValue(colour), factor),
               Scale(GetBValue(colour), factor));
}

COLORREF Lighten(COLORREF colour, float factor) {
    factor = std::max(factor, 1.0f);
    return RGB(Scale(GetRValue(colour), factor), Scale(GetGValue(colour), factor),
               Scale(GetBValue(colour), factor));
}

CSize FormatTabText(CString& text, CDC* dc, int width) {
    CRect rc(0, 0, width, 20);
    dc->DrawText(text, &rc, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    return dc->GetTextExtent(text);
}

CEnTabCtrl::CEnTabCtrl() : CBaseTabCtrl(0) {
    m_fontTab.CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Microsoft Verdana");
}

CEnTabCtrl::~CEnTabCtrl() = default;

void CEnTabCtrl::SetLookFlags(BOOL enable, int flags) {
    g_lookFlags = enable ? flags : 0;
}

int CEnTabCtrl::GetLookFlags() {
    return g_lookFlags;
}

void CEnTabCtrl::PreSubclassWindow() {
    CBaseTabCtrl::PreSubclassWindow();
    if (m_nDrawStyle != 0 || g_lookFlags != 0)
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

COLORREF CEnTabCtrl::GetTabColor(BOOL selected) {
    const int look = g_lookFlags;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (selected && (look & ETC_SELECTION))
        return (look & ETC_COLOR) ? RGB(0, 0, 0) : Lighten(face, 1.4f);
    if (selected)
        return face;
    if ((look & ETC_BACKTABS) || !(look & ETC_FLAT)) {
        if (look & ETC_COLOR)
            return m_nLastTab == 3 ? RGB(227, 228, 238) : Darken(RGB(127, 168, 222), 0.9f);
        return Darken(face, 0.9f);
    }
    return m_clrBk == static_cast<COLORREF>(-1) ? face : m_clrBk;
}

COLORREF CEnTabCtrl::GetTabTextColor(BOOL selected) {
    return selected ? Darken(RGB(255, 0, 0), 0.9f) : Darken(RGB(255, 255, 255), 0.9f);
}

void CEnTabCtrl::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (!dis)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    const int item = static_cast<int>(dis->itemID);
    const BOOL selected = item == GetCurSel();
    m_nLastTab = item;
    CRect face(dis->rcItem);
    if (selected)
        face.bottom -= 1;
    else
        face.bottom += 2;
    const COLORREF upper = GetTabColor(selected);
    if ((g_lookFlags & ETC_GRADIENT) && dc->GetDeviceCaps(BITSPIXEL) >= 16) {
        const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
        COLORREF lower = buttonFace;
        if (!selected) {
            const COLORREF base =
                ((g_lookFlags & ETC_COLOR) && m_clrBk != static_cast<COLORREF>(-1)) ? m_clrBk : buttonFace;
            lower = Darken(base, 0.7f);
        }
        const int height = face.Height();
        for (int y = 0; y < height; y += 2) {
            const auto mix = [y, height](int a, int b) {
                return static_cast<BYTE>(a + y * (b - a) / height);
            };
            const COLORREF c =
                RGB(mix(GetRValue(upper), GetRValue(lower)), mix(GetGValue(upper), GetGValue(lower)),
                    mix(GetBValue(upper), GetBValue(lower)));
            const CRect band(face.left, face.top + y, face.right, face.top + y + 2);
            dc->FillSolidRect(&band, c);
        }
    } else {
        dc->FillSolidRect(&face, upper);
    }
    CRect text(dis->rcItem);
    text.left += 3;
    text.top += selected ? 4 : 3;
    dc->SetBkMode(TRANSPARENT);
    char buffer[100] = {};
    TCITEM info{};
    info.mask = TCIF_TEXT | TCIF_IMAGE;
    info.pszText = buffer;
    info.cchTextMax = 99;
    info.iImage = -1;
    GetItem(item, &info);
    if (CImageList* images = GetImageList(); images && info.iImage >= 0) {
        images->Draw(dc, info.iImage, POINT{text.left, text.top}, ILD_TRANSPARENT);
        text.left += 19;
    }
    CString label(buffer);
    text.right -= 3;
    // Measured with the font it is drawn in, so the ellipsis stays inside the tab.
    CFont* old = dc->SelectObject(&m_fontTab);
    FormatTabText(label, dc, text.Width());
    dc->SetTextColor(GetTabTextColor(selected));
    dc->DrawText(label, &text, DT_CENTER | DT_NOPREFIX);
    dc->SelectObject(old);
}

void CEnTabCtrl::DrawTabBorder(LPDRAWITEMSTRUCT dis) {
    if (!dis || !(g_lookFlags & ETC_FLAT))
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    const int item = static_cast<int>(dis->itemID);
    const BOOL selected = item == GetCurSel();
    const COLORREF tone = GetTabColor(selected);
    const COLORREF light = Lighten(tone, 1.5f);
    const COLORREF dark = Darken(tone, 0.75f);
    const CRect r(dis->rcItem);
    const int l = r.left, t = r.top, rt = r.right, b = r.bottom;
    if (selected || (g_lookFlags & ETC_BACKTABS)) {
        const int b2 = selected ? b - 1 : b + 1;
        const auto fill = [dc](int x0, int y0, int x1, int y1, COLORREF c) {
            const CRect f(x0, y0, x1, y1);
            dc->FillSolidRect(&f, c);
        };
        if (item == 3)
            return;
        if (item == 0 || item == 4) {
            fill(l, t, l + 4, b2, dark);
            fill(l, t, rt, t + 1, dark);
            fill(rt - 3, t, rt, b2, dark);
        } else if (item == 9) {
            fill(l, t, l + 3, b2, light);
            fill(l, t, rt, t + 1, light);
        } else {
            fill(l, t, l + 4, b2, light);
            fill(l, t, rt, t + 1, light);
            fill(rt - 4, t, rt, b2, dark);
        }
    } else {
        const CRect left(l - 6, t, l, b), right(rt - 1, t, rt, b);
        dc->FillSolidRect(&left, dark);
        dc->FillSolidRect(&right, dark);
    }
}

void CEnTabCtrl::DrawMainBorder(LPDRAWITEMSTRUCT dis) {
    if (!dis)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    const COLORREF tone = GetTabColor(FALSE);
    const CRect r(dis->rcItem);
    dc->Draw3dRect(&r, Lighten(tone, 1.5f), Darken(tone, 0.75f));
}
