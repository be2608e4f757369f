#include "grid/HeaderCtrlCl.h"

#include "controls/AppObjects.h"
#include "model/Globals.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CHeaderCtrlCl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CHeaderCtrlCl, CHeaderCtrl)
ON_MESSAGE(HDM_LAYOUT, &CHeaderCtrlCl::OnLayout)
END_MESSAGE_MAP()

COLORREF CHeaderCtrlCl::BandColour(int red, int green, int blue, int step, int row) {
    const auto channel = [&](int top) { return static_cast<BYTE>(std::clamp(top - step * row, 0, 255)); };
    return RGB(channel(red), channel(green), channel(blue));
}

UINT CHeaderCtrlCl::AlignmentFormat(char alignment) {
    switch (alignment) {
    case '0':
        return DT_LEFT;
    case '2':
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}

int CHeaderCtrlCl::GuiTextHeight() {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    return tm.tmHeight;
}

LRESULT CHeaderCtrlCl::OnLayout(WPARAM wParam, LPARAM lParam) {
    const LRESULT r = CHeaderCtrl::DefWindowProc(HDM_LAYOUT, wParam, lParam);
    auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (!r || !layout)
        return r;
    const int height = layout->pwpos->cy;
    const int scaled = static_cast<int>(static_cast<float>(height) * m_height);
    layout->pwpos->cy = scaled;
    layout->prc->top += scaled - height;
    return r;
}

void CHeaderCtrlCl::FillGradient(CDC& dc, const CRect& rc) const {
    // Bands run to the bottom edge inclusive, as the header was always drawn.
    for (int y = rc.top; y <= rc.bottom; ++y)
        dc.FillSolidRect(rc.left, y, rc.Width(), 1,
                         BandColour(m_red, m_green, m_blue, m_gradient, y - rc.top));
}

void CHeaderCtrlCl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CFont& font = g_bChinese.load() ? g_fontSimSun12 : g_fontArial14b;
    const int count = GetItemCount();
    int right = client.left;
    for (int i = 0; i < count; ++i) {
        CRect item;
        GetItemRect(i, &item);
        FillGradient(dc, CRect(item.left + 1, item.top, item.right, item.bottom));
        right = item.right;

        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(m_color);
        CFont* old = font.m_hObject ? dc.SelectObject(&font) : nullptr;
        const char a = i < m_alignment.GetLength() ? m_alignment[i] : '1';
        const UINT format = AlignmentFormat(a);
        CRect text = item;
        if (format == DT_LEFT)
            text.left += 3;
        else if (format == DT_RIGHT)
            text.right -= 3;
        text.top += (text.Height() - GuiTextHeight()) / 2;
        const CString heading =
            static_cast<size_t>(i) < m_columnTexts.size() ? m_columnTexts[static_cast<size_t>(i)] : CString();
        dc.DrawText(heading, &text, format | DT_SINGLELINE | DT_NOPREFIX);
        if (old)
            dc.SelectObject(old);
    }
    if (right < client.right)
        FillGradient(dc, CRect(right, client.top, client.right, client.bottom));
}
