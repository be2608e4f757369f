// CCOM_EXT_LIMStatic: the static transfer curve of one output's limiter. Input level runs from
// -30 dBu (left) to +12 dBu (right), output level from +12 dBu (top) to -30 dBu (bottom); the curve
// follows 1:1 up to the limit level (the knee) and stays flat above it. Dragging the knee up or
// down sets the limit level, but only while a spin/edit pair is bound to show it. One code is
// 0.1 dB: code c stands for c x 0.1 - 30 dBu, 0..420 on both axes.
#pragma once

#include "model/Globals.h"
#include "platform/core/Point.h"
#include "platform/core/Rect.h"
#include "platform/ui/Font.h"
#include "platform/ui/Static.h"

class CDC;
class CKTV_Data;
class CKTV_OutData;
class CNumEdit;
class CNumSpin;

// A point of the curve in client pixels, kept in floating point like the scales.
struct LimPointF {
    double x = 0;
    double y = 0;
};

class CCOM_EXT_LIMStatic : public CStatic {
public:
    static constexpr int kMaxCode = 420;     // +12 dBu, the top and the right edge
    static constexpr int kMaxCompCode = 360; // highest compressor threshold
    static constexpr int kDrawMode = 3;      // the only scale mode that draws and drags
    static constexpr UINT kKneeCursorId = 106;

    CCOM_EXT_LIMStatic();
    ~CCOM_EXT_LIMStatic() override;

    // Plot = client rectangle less 20 left, 5 top, 10 right, 15 bottom.
    void CalcPlotRect();
    // m = 3 also sets both scales (plot size / 420).
    void SetScaleMode(int m);
    void BindLimitCtrls(CNumSpin* spin, CNumEdit* edit);
    void BindMirrorCtrls(CNumSpin* spin, CNumEdit* edit);
    void SetChannelArray(CKTV_Data* document);
    // Shows output n (0..7) of the document; another index or no document shows nothing.
    void SelectOutput(int n);
    // Copies the output's mix row 2 and limiter codes again and redraws.
    void RefreshCurve();

    // Knee drag: the limit level from the pointer's height, 0..420. The output and the bound
    // fields follow only while a limit pair is bound.
    void DragKnee(CPoint point);
    // Drags the mouse handling does not use: the compressor threshold (0..360, never above the
    // knee) and the ratio (the slope above the knee, as the ratio field codes it).
    void DragCompThreshold(CPoint point);
    void DragRatio(CPoint point);

    // ---- State (for the owner and the tests)
    int GetScaleMode() const { return m_nScaleMode; }
    int GetKneeCode() const { return m_limiter[0]; }
    const SHORT* GetLimiterCopy() const { return m_limiter; }
    const BYTE* GetMix2Copy() const { return m_mix2; }
    CKTV_OutData* GetOutput() const { return m_pOut; }
    const CRect& GetPlotRect() const { return m_rcPlot; }
    const CRect& GetKneeRect() const { return m_rcKnee; }
    LimPointF GetKneePoint() const { return m_ptKnee; }
    LimPointF GetStartPoint() const { return m_ptStart; }
    LimPointF GetEndPoint() const { return m_ptEnd; }
    double GetVScale() const { return m_dVScale; }
    double GetHScale() const { return m_dHScale; }
    BOOL IsHovering() const { return m_bHover; }
    BOOL IsDragging() const { return m_bDrag; }
    ArgbColor GetCurveColor() const { return m_clrCurve; }
    int GetCompThresholdCode() const { return m_nCompThreshold; }

    // The knee and the end point of the curve for the current codes and scales; also places
    // the knee handle.
    void LayoutCurve();

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

private:
    void DrawGraph(CDC* dc);
    void DrawTransferCurve(CDC* dc);
    void CopyCodes();
    void Redraw();
    HCURSOR LoadKneeCursor();

    CKTV_Data* m_pDoc = nullptr;
    CKTV_OutData* m_pOut = nullptr;
    BYTE m_mix2[8] = {};
    SHORT m_limiter[3] = {};
    LimPointF m_ptStart;
    LimPointF m_ptKnee;
    LimPointF m_ptEnd;
    double m_dVScale = 0;
    double m_dHScale = 0;
    CRect m_rcClient;
    CRect m_rcPlot;
    CRect m_rcKnee;
    int m_nScaleMode = -1;
    CFont m_font;
    HCURSOR m_hKneeCursor = nullptr;
    BOOL m_bHover = FALSE;
    BOOL m_bDrag = FALSE;
    CNumSpin* m_pLimitSpin = nullptr;
    CNumEdit* m_pLimitEdit = nullptr;
    CNumSpin* m_pMirrorSpin = nullptr;
    CNumEdit* m_pMirrorEdit = nullptr;
    ArgbColor m_clrCurve{255, 0, 192, 0};
    int m_nCompThreshold = 0;
};
