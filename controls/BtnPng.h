// CBtnPng: the image button of the input selector, the level page and the output page, drawn
// from PNG resources with alpha: normal, hover and pressed, a checked set, a Chinese set used
// while the interface is Chinese, and a disabled pair. Each state image is rendered once into a
// cache; a paint composes one cached image over the parent.
#pragma once

#include "controls/HandCursor.h"
#include "controls/MoveNotifier.h"
#include "controls/PngImageRes.h"
#include "platform/ui/Button.h"

#include <memory>

class CBtnPng : public CButton {
public:
    // Cache slots in the order they are built.
    enum Look {
        kNormal,
        kHover,
        kPressed,
        kCheckedNormal,
        kCheckedHover,
        kCheckedPressed,
        kDisabled,
        kDisabledChecked,
        kCnNormal,
        kCnHover,
        kCnPressed,
        kCnCheckedNormal,
        kCnCheckedHover,
        kCnCheckedPressed,
        kLooks
    };

    CBtnPng() = default;
    ~CBtnPng() override = default;

    void SetPngImages(UINT normal, UINT hover, UINT pressed);
    void SetCheckedPngImages(UINT normal, UINT hover, UINT pressed);
    void SetChinesePngImages(UINT normal, UINT hover, UINT pressed, UINT checkedNormal, UINT checkedHover,
                             UINT checkedPressed);
    void SetDisabledPngImages(UINT disabled, UINT disabledChecked);
    void SetRotateFlip(Gdiplus::RotateFlipType type) { m_nRotateFlip = type; }
    void SetCheck(int check);
    int GetCheck() const { return m_bChecked; }
    void SetChannel(int channel) { m_nChannel = channel; }
    int GetChannel() const { return m_nChannel; }
    void SetHoverPartners(CBtnPng* first, CBtnPng* second);
    void EnableMoveNotify(BOOL enable) { m_bMoveNotify = enable; }
    void Redraw() { Invalidate(TRUE); }
    BOOL ShowWindow(int command) override;
    void SetHoverLook(BOOL hover);

    BOOL IsHovered() const { return m_bHover; }
    BOOL IsPressed() const { return m_bPressed; }
    // The look a paint shows now (kLooks: none, for kinds that draw nothing).
    Look CurrentLook(BOOL disabled) const;
    // Number of state caches rendered so far.
    int CachesBuilt() const;

    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseHover(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    DECLARE_MESSAGE_MAP()

private:
    static std::unique_ptr<CPngImageRes> LoadImage(UINT id);
    void SizeToImage(const CPngImageRes* image);
    void BuildCaches();
    void SetPartnersHover(BOOL hover);

    std::unique_ptr<CPngImageRes> m_images[kLooks];
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bChecked = FALSE;
    int m_nKind = 0;
    LPDRAWITEMSTRUCT m_pDrawItem = nullptr;
    CHandCursor m_hand;
    BOOL m_bHandCursor = TRUE;
    std::unique_ptr<Gdiplus::Bitmap> m_caches[kLooks];
    BOOL m_bChineseSet = FALSE;
    Look m_nCurrent = kLooks;
    int m_nImageHeight = 0;
    int m_nImageWidth = 0;
    Gdiplus::RotateFlipType m_nRotateFlip = Gdiplus::RotateNoneFlipNone;
    BOOL m_bMoveNotify = FALSE;
    CMoveNotifier m_moveNotifier;
    int m_nChannel = -1;
    CBtnPng* m_pPartner1 = nullptr;
    CBtnPng* m_pPartner2 = nullptr;
};
