// CZNStatic: the frequency-response graph of the output page (outputs, mode 4) and of the input
// page (music inputs, mode 3). It computes no response: every channel and filter keeps its curve,
// response polygon and handle boxes in this control's client coordinates, laid out from the plot
// rectangle the graph hands to the document. The graph chooses what to draw and in which colour,
// routes the mouse to the filters' drag steps and tells its owner, at most every 200 ms, which
// band changed.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"
#include "platform/ui/Static.h"

#include <memory>
#include <vector>

namespace Gdiplus {
class Bitmap;
}
class CDC;
class CEffect_Data;
class CFilter;
class CKTVEQ;
class CKTV_Data;
class CKTV_MicRoute;
class CKTV_MusicRoute;
class CKTV_OutData;
class CKTV_OutRoute;
class CMIC_InData;
class CMusic_InData;

// Posted to the graph's owner, never sent.
constexpr UINT WM_CURVE_BAND_CHANGED = 0x464; // (filter index, channel id)
constexpr UINT WM_CURVE_KILLFOCUS = 0x465;    // (0, 0)

class CZNStatic : public CStatic {
public:
    enum Mode { MODE_GRID = 0, MODE_EFFECT = 1, MODE_MIC = 2, MODE_MUSIC = 3, MODE_OUTPUT = 4 };
    static constexpr UINT kTimerId = 3;
    static constexpr UINT kTimerMs = 200;
    static constexpr int kGridCount = 27;
    static constexpr UINT kLogoBitmap = 835;
    static constexpr UINT kLinkBitmap = 709;
    static constexpr int kMusicScanCount = 15;
    static const int kGridFreq[kGridCount];

    CZNStatic();
    ~CZNStatic() override;

    // ---- Set-up by the owning page
    void SetOwnerWnd(CWnd* owner);
    void LoadLinkBitmap(UINT id);
    // Keeps the document's channels, lays the plot out and hands it to the channels of the kind
    // (3 music inputs, 4 outputs).
    void AttachChannelData(CKTV_Data* doc, int kind);
    void LayoutPlot();
    void SetOutputChannel(int n);
    void SetMusicChannel(int n);
    void SetEffectChannel();
    void SetMicChannel(int n);
    void SetMode(int mode);
    int GetMode() const { return m_nMode; }
    // Selects filter sel (-1 none; an index outside the channel's set counts as none) and repaints
    // the plot now.
    void RefreshCurve(int sel);
    void EnableGraph(BOOL enable);
    BOOL EnableWindow(BOOL enable = TRUE) override;
    void StopTimer();

    // ---- State the owner and the tests read
    int GetSelBand() const { return m_nSelBand; }
    int GetMsgBand() const { return m_nMsgBand; }
    int GetMsgChannel() const { return m_nMsgChannel; }
    int GetOutIndex() const { return m_nOutIndex; }
    CFilter* GetHotFilter() const { return m_pHotFilter; }
    BOOL IsOverHandle() const { return m_bOverHandle; }
    BOOL IsChanged() const { return m_bChanged; }
    const CRect& GetPlotRect() const { return m_rcPlot; }
    int GetGridX(int i) const { return i >= 0 && i < kGridCount ? m_nGridX[i] : 0; }
    CKTVEQ* GetBands() const { return m_pBands; }
    // The current output shares its link group with another output while the L/R link is on.
    BOOL IsOutputLinked() const;
    // Filter i is drawn and can be hovered: on outputs 7 and 8 of the 10-band devices only bands
    // 1..10 and the crossover pair, the other band objects having no place on the plot.
    bool IsFilterShown(int i) const;
    // The system cursor the pointer shows now (IDC_SIZEWE, IDC_SIZENS, IDC_SIZEALL or IDC_ARROW).
    UINT CursorId() const;

    // ---- Geometry (pure)
    static CRect PlotRectOf(const CRect& client);
    // Client x of a frequency on a plot of the width.
    static int FreqX(double hz, int plotWidth);
    // DrawText alignment of a filter's marker in its handle box.
    static UINT MarkerFormat(const CRect& handle, int plotRight, int hz);

    // Set when the button was released; the owner clears it once it has taken the band over.
    int m_bButtonUp = 0;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnTimer(UINT_PTR id) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    void LayoutGeometry();
    void LoadCursors();
    CFilter* Band(int i) const;
    int BandCount() const;
    CFilter* ActiveFilter() const;
    void ApplySelection();
    void Redraw();

    // Drawing (client coordinates; the plot goes through one off-screen bitmap).
    void DrawBackground(CDC* dc);
    void DrawPlot(CDC* dc);
    void DrawGrid(CDC* dc);
    void DrawOutputCurves(CDC* dc, int n);
    void DrawChannelBeziers(CDC* dc);
    void DrawMarkers(CDC* dc, int last);
    void DrawActiveExtras(CDC* dc);
    void DrawLinkMarker(CDC* dc);
    void BlitBitmap(CDC* dc, CBitmap& bmp, int x, int y);

    // Mouse
    void TrackMouse(CPoint point);
    void TrackXover(CFilter* f, CPoint point);
    void XoverStep(CFilter* f, CPoint point);
    void BeginDrag(CPoint point);
    void EndDrag();
    bool MouseModeActive() const;

    CWnd* m_pOwnerWnd = nullptr;
    HWND m_hOwner = nullptr;
    CKTV_Data* m_pDoc = nullptr;
    CEffect_Data* m_pEffect = nullptr;
    CKTV_MicRoute* m_pMics = nullptr;
    CMIC_InData* m_pCurMic = nullptr;
    CKTV_MusicRoute* m_pMusic = nullptr;
    CMusic_InData* m_pCurMusic = nullptr;
    CKTV_OutRoute* m_pOuts = nullptr;
    CKTV_OutData* m_pCurOut = nullptr;
    CKTVEQ* m_pBands = nullptr;
    CFilter* m_pHotFilter = nullptr;
    HCURSOR m_hSizeAll = nullptr;
    HCURSOR m_hSizeWE = nullptr;
    HCURSOR m_hSizeNS = nullptr;
    int m_nGridX[kGridCount] = {};
    CRect m_rcClient;
    CRect m_rcPlot;
    CRect m_rcWindow;
    BOOL m_bOverHandle = 0;
    BOOL m_bDragResult = 0;
    BOOL m_bChanged = 0;
    int m_nMsgBand = 0;
    int m_nSelBand = -1;
    int m_nMode = MODE_GRID;
    int m_nMsgChannel = 0;
    int m_nOutIndex = 0;
    CBitmap m_bmpLink;
    CBitmap m_bmpLogo;
    CFont m_font;
    bool m_bRedrawPending = false;
    // The comparison curves as drawn for the last few selections, each with the points it was
    // drawn from, newest last: going back to an output whose comparison curves did not move draws
    // no line again. One layer per output at most (under 1 MB each).
    struct OtherCurvesLayer {
        std::vector<float> key;
        std::unique_ptr<Gdiplus::Bitmap> bitmap;
    };
    std::vector<OtherCurvesLayer> m_otherCurves;
};
