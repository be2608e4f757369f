#include "controls/BtnPng.h"

#include "controls/SkinControl.h"
#include "model/Globals.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CBtnPng, CButton)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

void CBtnPng::PreSubclassWindow() {
    m_nKind = skin::ButtonKind(GetStyle());
    // Every kind is owner-drawn (check and radio kinds then draw nothing).
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

// --- images ------------------------------------------------------------------------------------

std::unique_ptr<CPngImageRes> CBtnPng::LoadImage(UINT id) {
    // A failed load leaves an empty image: its state shows the background only.
    auto image = std::make_unique<CPngImageRes>();
    image->Load(id, "PNG");
    return image;
}

void CBtnPng::SizeToImage(const CPngImageRes* image) {
    m_nImageWidth = static_cast<int>(image->GetWidth());
    m_nImageHeight = static_cast<int>(image->GetHeight());
    if (m_hWnd)
        SetWindowPos(&wndTop, 0, 0, m_nImageWidth, m_nImageHeight, SWP_NOMOVE);
}

void CBtnPng::SetPngImages(UINT normal, UINT hover, UINT pressed) {
    m_images[kNormal] = LoadImage(normal);
    m_images[kHover] = LoadImage(hover);
    m_images[kPressed] = LoadImage(pressed);
    SizeToImage(m_images[kNormal].get());
}

void CBtnPng::SetCheckedPngImages(UINT normal, UINT hover, UINT pressed) {
    m_images[kCheckedNormal] = LoadImage(normal);
    m_images[kCheckedHover] = LoadImage(hover);
    m_images[kCheckedPressed] = LoadImage(pressed);
}

void CBtnPng::SetChinesePngImages(UINT normal, UINT hover, UINT pressed, UINT checkedNormal,
                                  UINT checkedHover, UINT checkedPressed) {
    m_images[kCnNormal] = LoadImage(normal);
    m_images[kCnHover] = LoadImage(hover);
    m_images[kCnPressed] = LoadImage(pressed);
    m_images[kCnCheckedNormal] = LoadImage(checkedNormal);
    m_images[kCnCheckedHover] = LoadImage(checkedHover);
    m_images[kCnCheckedPressed] = LoadImage(checkedPressed);
    m_bChineseSet = TRUE;
}

void CBtnPng::SetDisabledPngImages(UINT disabled, UINT disabledChecked) {
    m_images[kDisabled] = LoadImage(disabled);
    m_images[kDisabledChecked] = LoadImage(disabledChecked);
    SizeToImage(m_images[kDisabled].get());
}

// --- state -------------------------------------------------------------------------------------

void CBtnPng::SetCheck(int check) {
    const BOOL checked = check ? TRUE : FALSE;
    if (checked == m_bChecked)
        return;
    m_bChecked = checked;
    if (!m_bChecked) {
        if (m_pPartner1)
            m_pPartner1->SetHoverLook(FALSE);
        if (m_pPartner2)
            m_pPartner2->SetHoverLook(FALSE);
    }
    InvalidateRect(nullptr, FALSE);
}

void CBtnPng::SetHoverPartners(CBtnPng* first, CBtnPng* second) {
    m_pPartner1 = first;
    m_pPartner2 = second;
}

void CBtnPng::SetHoverLook(BOOL hover) {
    m_bHover = hover;
    InvalidateRect(nullptr, FALSE);
}

void CBtnPng::SetPartnersHover(BOOL hover) {
    if (m_bChecked)
        return;
    if (m_pPartner1)
        m_pPartner1->SetHoverLook(hover);
    if (m_pPartner2)
        m_pPartner2->SetHoverLook(hover);
}

BOOL CBtnPng::ShowWindow(int command) {
    if (command == SW_HIDE) {
        m_pPartner1 = nullptr;
        m_pPartner2 = nullptr;
        // A hidden button comes back without a stale hover or pressed look.
        m_bHover = FALSE;
        m_bPressed = FALSE;
    }
    InvalidateRect(nullptr, FALSE);
    return CButton::ShowWindow(command);
}

// --- drawing -----------------------------------------------------------------------------------

CBtnPng::Look CBtnPng::CurrentLook(BOOL disabled) const {
    if (disabled)
        return m_bChecked ? kDisabledChecked : kDisabled;
    const bool cn = m_bChineseSet && g_bChinese.load() != 0;
    if (m_bChecked) {
        if (m_bHover)
            return m_bPressed ? (cn ? kCnCheckedPressed : kCheckedPressed)
                              : (cn ? kCnCheckedHover : kCheckedHover);
        return cn ? kCnCheckedNormal : kCheckedNormal;
    }
    if (m_bHover)
        return m_bPressed ? (cn ? kCnPressed : kPressed) : (cn ? kCnHover : kHover);
    return cn ? kCnNormal : kNormal;
}

int CBtnPng::CachesBuilt() const {
    int n = 0;
    for (const auto& c : m_caches)
        n += c ? 1 : 0;
    return n;
}

void CBtnPng::BuildCaches() {
    // Each state is rendered once at the normal image's size; a state without an image caches
    // nothing visible (the parent shows through).
    const int last = m_bChineseSet ? kLooks : kCnNormal;
    for (int i = 0; i < last; ++i) {
        if (m_caches[i])
            continue;
        const int w = std::max(1, m_nImageWidth), h = std::max(1, m_nImageHeight);
        m_caches[i] = std::make_unique<Gdiplus::Bitmap>(w, h);
        CPngImageRes* image = m_images[i].get();
        if (image && !image->IsEmpty()) {
            Gdiplus::Bitmap* source = image->GetBitmap();
            source->RotateFlip(m_nRotateFlip);
            Gdiplus::Graphics g(m_caches[i].get());
            g.DrawImage(source, 0, 0, m_nImageWidth, m_nImageHeight);
        }
    }
    if (m_nCurrent == kLooks)
        m_nCurrent = m_bChineseSet ? kCnNormal : kNormal;
}

HBRUSH CBtnPng::CtlColor(CDC*, UINT) {
    BuildCaches();
    return nullptr;
}

BOOL CBtnPng::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CBtnPng::DrawItem(LPDRAWITEMSTRUCT dis) {
    m_pDrawItem = dis;
    if (m_nKind == 2)
        CButton::DrawItem(dis);
    if (m_nKind != 0) {
        m_pDrawItem = nullptr;
        return;
    }
    BuildCaches();
    m_nCurrent = CurrentLook((dis->itemState & ODS_DISABLED) != 0);
    if (Gdiplus::Bitmap* cache = m_caches[m_nCurrent].get()) {
        Gdiplus::Graphics g(dis->hDC);
        g.DrawImage(cache, 0, 0, static_cast<int>(cache->GetWidth()), static_cast<int>(cache->GetHeight()));
    }
    if (dis->itemState & ODS_FOCUS)
        skin::PaintFocusMark(CDC::FromHandle(dis->hDC), dis->rcItem);
    m_pDrawItem = nullptr;
}

// --- mouse -------------------------------------------------------------------------------------

void CBtnPng::OnMouseMove(UINT flags, CPoint point) {
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd, 1};
    ::TrackMouseEvent(&tme);
    if (m_bMoveNotify)
        m_moveNotifier.Notify(this, flags, point);
    CButton::OnMouseMove(flags, point);
}

void CBtnPng::OnMouseHover(UINT, CPoint) {
    if (!m_bHover) {
        Invalidate(TRUE);
        SetPartnersHover(TRUE);
    }
    m_bHover = TRUE;
}

void CBtnPng::OnMouseLeave() {
    m_bHover = FALSE;
    Invalidate(TRUE);
    SetPartnersHover(FALSE);
}

void CBtnPng::OnLButtonDown(UINT flags, CPoint point) {
    m_bPressed = TRUE;
    Invalidate(TRUE);
    CButton::OnLButtonDown(flags, point);
}

void CBtnPng::OnLButtonUp(UINT flags, CPoint point) {
    m_bPressed = FALSE;
    CButton::OnLButtonUp(flags, point);
}

BOOL CBtnPng::OnSetCursor(CWnd*, UINT, UINT) {
    return m_hand.Show(m_bHandCursor);
}
