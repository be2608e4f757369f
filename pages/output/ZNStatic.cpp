#include "pages/output/ZNStatic.h"

#include "controls/MemDC.h"
#include "model/Conversions.h"
#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTVEQ.h"
#include "model/KTV_Data.h"
#include "model/KTV_MicRoute.h"
#include "model/KTV_MusicRoute.h"
#include "model/KTV_OutData.h"
#include "model/KTV_OutRoute.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"
#include "platform/core/Messages.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Gdiplus.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"
#include "res/ResourceTable.h"

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kFrame = RGB(149, 149, 149);
constexpr COLORREF kFrameGreen = RGB(0, 180, 0);
constexpr COLORREF kGrid = RGB(100, 100, 100);
constexpr COLORREF kLevelText = RGB(100, 100, 100);
constexpr COLORREF kFreqText = RGB(224, 224, 224);
constexpr COLORREF kArea = RGB(68, 86, 98);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Our logo (a quiet wordmark under the grid) and the chain of the link marker.
const res::SvgSpec kGraphArt[] = {
    {CZNStatic::kLogoBitmap, false, 480, 78,
     "<svg xmlns='http://www.w3.org/2000/svg' width='480' height='78'>"
     "<rect width='480' height='78' fill='#000'/>"
     "<text x='240' y='54' text-anchor='middle' font-family='Liberation Sans, DejaVu Sans, sans-serif' "
     "font-size='40' font-weight='bold' letter-spacing='14' fill='#11161c'>R9VQ-TN</text>"
     "</svg>"},
    {CZNStatic::kLinkBitmap, false, 26, 13,
     "<svg xmlns='http://www.w3.org/2000/svg' width='26' height='13'>"
     "<rect width='26' height='13' fill='#000'/>"
     "<rect x='1.5' y='3' width='12' height='7' rx='3.5' fill='none' stroke='#19b5fe' stroke-width='2'/>"
     "<rect x='12.5' y='3' width='12' height='7' rx='3.5' fill='none' stroke='#19b5fe' stroke-width='2'/>"
     "</svg>"},
};
const res::TableRegistrar kGraphArtRegistrar{kGraphArt};

// Level labels: text and top y (index 0 at the client top + 5, the last at the plot height).
const char* const kLevelLabels[9] = {"+12", "+9", "+6", "+3", "0dB", "-3", "-6", "-9", "-12"};

struct FreqLabel {
    const char* text;
    int hz;
    int offset;
};
const FreqLabel kFreqLabels[] = {
    {"30", 30, 8},      {"40", 40, 8},      {"50", 50, 8},    {"70", 70, 8},    {"100", 100, 10},
    {"200", 200, 10},   {"300", 300, 10},   {"500", 500, 10}, {"700", 700, 10}, {"1K", 1000, 8},
    {"2K", 2000, 8},    {"3K", 3000, 8},    {"4K", 4000, 8},  {"5K", 5000, 8},  {"7K", 7000, 8},
    {"10K", 10000, 10}, {"20K", 20000, 18},
};

bool IsXover(const CFilter* f) {
    return f && (f->GetType() == BAND_HIGH_PASS || f->GetType() == BAND_LOW_PASS);
}

Gdiplus::Color ToGdiplus(const ArgbColor& c) {
    return Gdiplus::Color(c.a, c.r, c.g, c.b);
}

void ToPoints(const CurvePointF* in, Gdiplus::PointF* out) {
    for (int i = 0; i < kGridSize; ++i)
        out[i] = Gdiplus::PointF{in[i].x, in[i].y};
}

} // namespace

const int CZNStatic::kGridFreq[kGridCount] = {20,   30,   40,   50,   60,   70,   80,   90,   100,
                                              200,  300,  400,  500,  600,  700,  800,  900,  1000,
                                              2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000};

CZNStatic::CZNStatic() {
    LoadCursors();
    m_bmpLogo.LoadBitmap(kLogoBitmap);
    m_font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      ANTIALIASED_QUALITY, 0, "Arial");
}

CZNStatic::~CZNStatic() = default;

// ---- Geometry ----------------------------------------------------------------------------------

CRect CZNStatic::PlotRectOf(const CRect& client) {
    return CRect(client.left + 40, client.top + 10, client.right - 10, client.bottom - 20);
}

int CZNStatic::FreqX(double hz, int plotWidth) {
    return 40 + FreqToAxisPos(hz, plotWidth);
}

UINT CZNStatic::MarkerFormat(const CRect& handle, int plotRight, int hz) {
    if (handle.right == plotRight)
        return DT_LEFT;
    if (hz <= 20)
        return DT_RIGHT;
    if (hz >= 20000)
        return DT_LEFT;
    return DT_CENTER;
}

void CZNStatic::LayoutGeometry() {
    GetClientRect(&m_rcClient);
    GetWindowRect(&m_rcWindow);
    m_rcPlot = PlotRectOf(m_rcClient);
    for (int i = 0; i < kGridCount; ++i)
        m_nGridX[i] = FreqX(kGridFreq[i], m_rcPlot.Width());
}

void CZNStatic::LayoutPlot() {
    LayoutGeometry();
    if (m_hWnd)
        SetTimer(kTimerId, kTimerMs);
}

void CZNStatic::LoadCursors() {
    if (m_hSizeAll)
        return;
    m_hSizeAll = LoadCursor(nullptr, IDC_SIZEALL);
    m_hSizeWE = LoadCursor(nullptr, IDC_SIZEWE);
    m_hSizeNS = LoadCursor(nullptr, IDC_SIZENS);
}

// ---- Set-up ------------------------------------------------------------------------------------

void CZNStatic::SetOwnerWnd(CWnd* owner) {
    m_pOwnerWnd = owner;
    m_hOwner = owner ? owner->GetSafeHwnd() : nullptr;
}

void CZNStatic::LoadLinkBitmap(UINT id) {
    m_bmpLink.DeleteObject();
    m_bmpLink.LoadBitmap(id);
}

void CZNStatic::AttachChannelData(CKTV_Data* doc, int kind) {
    m_pDoc = doc;
    if (!doc)
        return;
    m_pEffect = doc->GetEffect();
    m_pMics = &doc->GetMicRoute();
    m_pMusic = &doc->GetMusicRoute();
    m_pOuts = &doc->GetOutRoute();
    LayoutPlot();
    if (kind == MODE_MUSIC)
        doc->SetMusicCurveRect(m_rcPlot);
    else if (kind == MODE_OUTPUT)
        doc->SetOutCurveRect(m_rcPlot);
}

void CZNStatic::SetOutputChannel(int n) {
    CKTV_OutData* out = m_pDoc ? m_pDoc->GetOut(n) : nullptr;
    if (!out)
        return;
    m_pCurOut = out;
    m_pBands = &out->GetEQ();
    m_pHotFilter = nullptr;
    m_nMode = MODE_OUTPUT;
    m_nMsgChannel = 768 + n;
    m_nOutIndex = n;
    if (!g_bDataUnlocked.load())
        RefreshCurve(-1);
}

void CZNStatic::SetMusicChannel(int n) {
    CMusic_InData* in = m_pDoc ? m_pDoc->GetMusic(n) : nullptr;
    if (!in)
        return;
    m_pCurMusic = in;
    m_pBands = &in->GetEQ();
    m_pHotFilter = nullptr;
    m_nMode = MODE_MUSIC;
    m_nMsgChannel = n;
    RefreshCurve(-1);
}

void CZNStatic::SetEffectChannel() {
    if (!m_pEffect)
        return;
    m_pBands = &m_pEffect->GetEQ();
    m_pHotFilter = nullptr;
    m_nMode = MODE_EFFECT;
    m_nMsgChannel = 0;
    RefreshCurve(-1);
}

void CZNStatic::SetMicChannel(int n) {
    CMIC_InData* mic = m_pDoc ? m_pDoc->GetMic(n) : nullptr;
    if (!mic)
        return;
    m_pCurMic = mic;
    m_pBands = &mic->GetEQ();
    m_pHotFilter = nullptr;
    m_nMode = MODE_MIC;
    m_nMsgChannel = 256 + n;
    RefreshCurve(-1);
}

void CZNStatic::SetMode(int mode) {
    m_nMode = mode;
    if (!g_bDataUnlocked.load())
        RefreshCurve(m_nSelBand);
}

void CZNStatic::StopTimer() {
    if (m_hWnd)
        KillTimer(kTimerId);
}

// ---- Selection -----------------------------------------------------------------------------------

CFilter* CZNStatic::Band(int i) const {
    return m_pBands && i >= 0 && i < m_pBands->GetSize() ? m_pBands->GetAt(i) : nullptr;
}

int CZNStatic::BandCount() const {
    return m_pBands ? static_cast<int>(m_pBands->GetSize()) : 0;
}

bool CZNStatic::IsFilterShown(int i) const {
    if (m_nMode == MODE_OUTPUT && m_nOutIndex >= 6 && g_nDeviceType != 3 && g_nDeviceType != 4) {
        const int n = BandCount();
        return i < 10 || i >= n - 2;
    }
    return true;
}

void CZNStatic::ApplySelection() {
    if (m_nSelBand < 0 || m_nMode == MODE_EFFECT || m_nMode == MODE_MIC)
        return;
    m_pHotFilter = Band(m_nSelBand);
    m_nMsgBand = m_nSelBand;
}

CFilter* CZNStatic::ActiveFilter() const {
    return m_nSelBand >= 0 ? Band(m_nSelBand) : m_pHotFilter;
}

void CZNStatic::RefreshCurve(int sel) {
    // An index the current set does not have selects nothing.
    m_nSelBand = Band(sel) && IsFilterShown(sel) ? sel : -1;
    ApplySelection();
    if (!m_hWnd)
        return;
    if (m_rcPlot.IsRectEmpty())
        LayoutGeometry();
    InvalidateRect(&m_rcPlot, FALSE);
    UpdateWindow();
    m_bRedrawPending = false;
}

void CZNStatic::Redraw() {
    m_nSelBand = -1;
    if (m_hWnd) {
        InvalidateRect(&m_rcPlot, FALSE);
        m_bRedrawPending = true;
    }
}

BOOL CZNStatic::IsOutputLinked() const {
    if (!g_bLRLinked.load() || m_nOutIndex < 0 || m_nOutIndex >= NUM_OUTPUTS)
        return FALSE;
    const int group = g_nOutLinkGroup[m_nOutIndex].load();
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        if (j != m_nOutIndex && g_nOutLinkGroup[j].load() == group)
            return TRUE;
    return FALSE;
}

void CZNStatic::EnableGraph(BOOL enable) {
    m_pHotFilter = nullptr;
    EnableWindow(enable);
    if (m_hWnd)
        UpdateWindow();
}

BOOL CZNStatic::EnableWindow(BOOL enable) {
    if (m_hWnd)
        InvalidateRect(nullptr, FALSE);
    return CStatic::EnableWindow(enable);
}

// ---- Painting ------------------------------------------------------------------------------------

BOOL CZNStatic::OnEraseBkgnd(CDC*) {
    return TRUE; // the paint covers every pixel
}

void CZNStatic::OnPaint() {
    CPaintDC dc(this);
    if (m_rcClient.IsRectEmpty())
        LayoutGeometry();
    // A repaint of the plot alone (every drag step) leaves the labels as they are.
    CRect plot = m_rcPlot;
    CRect both;
    both.IntersectRect(plot, dc.m_ps.rcPaint);
    if (both != CRect(dc.m_ps.rcPaint))
        DrawBackground(&dc);
    DrawPlot(&dc);
}

void CZNStatic::DrawBackground(CDC* dc) {
    CMemDC mem(dc, &m_rcClient);
    mem.FillSolidRect(&m_rcClient, kBlack);
    CFont* oldFont = mem.SelectObject(&m_font);
    mem.SetBkMode(OPAQUE);
    mem.SetBkColor(kBlack);
    mem.SetTextColor(kLevelText);
    const int h = m_rcPlot.Height() / 8;
    for (int k = 0; k < 9; ++k) {
        const int y = k == 0 ? m_rcClient.top + 5 : (k == 8 ? m_rcPlot.Height() : k * h + 3);
        mem.TextOut(6, y, kLevelLabels[k]);
    }
    mem.SetTextColor(kFreqText);
    const int w = m_rcPlot.Width();
    const int top = m_rcPlot.bottom;
    mem.TextOut(30, top, "20");
    for (const FreqLabel& l : kFreqLabels)
        mem.TextOut(FreqX(l.hz, w) - l.offset, top, l.text);
    mem.SelectObject(oldFont);
}

void CZNStatic::DrawPlot(CDC* dc) {
    const bool output = m_nMode == MODE_OUTPUT;
    if (output && g_nViewMode != 1 && g_nViewMode != 2)
        return;
    if (m_rcPlot.IsRectEmpty())
        return;
    {
        CMemDC mem(dc, &m_rcPlot);
        CBrush black(kBlack);
        const COLORREF frame = m_nMode == MODE_GRID                              ? kWhite
                               : (m_nMode == MODE_EFFECT || m_nMode == MODE_MIC) ? kFrameGreen
                                                                                 : kFrame;
        CPen framePen(PS_SOLID, 1, frame);
        CPen* oldPen = mem.SelectObject(&framePen);
        CBrush* oldBrush = mem.SelectObject(&black);
        CFont* oldFont = mem.SelectObject(&m_font);
        mem.Rectangle(&m_rcPlot);
        if (m_nMode == MODE_GRID || !m_pBands) {
            DrawGrid(&mem);
        } else {
            ApplySelection();
            CFilter* active = ActiveFilter();
            if (output && m_bmpLogo.GetSafeHandle())
                BlitBitmap(&mem, m_bmpLogo, 260, 45);
            CPen areaPen(PS_SOLID, 1, kArea);
            CBrush areaBrush(kArea);
            if (active) {
                mem.SelectObject(&areaPen);
                mem.SelectObject(&areaBrush);
                mem.Polygon(active->Curve(), CFilter::kCurvePoints);
            }
            DrawGrid(&mem);
            if (output) {
                if (m_pCurOut)
                    m_pCurOut->UpdateCurve();
                DrawOutputCurves(&mem, -1);
            } else {
                DrawChannelBeziers(&mem);
            }
            int last = BandCount() - 1;
            if (m_nMode == MODE_MUSIC && g_nViewMode == 1)
                last = std::min(last, kMusicScanCount - 1);
            DrawMarkers(&mem, last);
            DrawActiveExtras(&mem);
        }
        mem.SelectObject(oldFont);
        mem.SelectObject(oldBrush);
        mem.SelectObject(oldPen);
    }
    if (output && IsOutputLinked())
        DrawLinkMarker(dc);
}

void CZNStatic::DrawGrid(CDC* dc) {
    CPen pen(PS_SOLID, 1, kGrid);
    CPen* old = dc->SelectObject(&pen);
    for (int i = 1; i < kGridCount; ++i) {
        dc->MoveTo(m_nGridX[i], m_rcPlot.top);
        dc->LineTo(m_nGridX[i], m_rcPlot.bottom);
    }
    const double step = m_rcPlot.Height() / 8.0;
    for (int m = 1; m <= 8; ++m) {
        const int y = m_rcPlot.top + static_cast<int>(step * m);
        dc->MoveTo(m_rcPlot.left, y);
        dc->LineTo(m_rcPlot.right, y);
    }
    dc->SelectObject(old);
}

void CZNStatic::DrawOutputCurves(CDC* dc, int n) {
    const int oldRop = dc->SetROP2(R2_COPYPEN);
    {
        Gdiplus::Graphics g(dc->GetSafeHdc());
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        Gdiplus::PointF pts[kGridSize];
        if (g_bShowAllCurves.load() && m_pOuts) {
            // The other outputs are recomputed on every refresh but seldom change while one is
            // dragged: their wide antialiased lines are drawn again only when a point moved.
            std::vector<float> key = {static_cast<float>(m_rcPlot.Width()),
                                      static_cast<float>(m_rcPlot.Height())};
            for (int j = 0; j < m_pOuts->GetCount() && j < NUM_OUTPUTS; ++j) {
                CKTV_OutData* out = m_pOuts->GetAt(j);
                if (j == m_nOutIndex || !g_outCurveShown[j] || !out)
                    continue;
                out->UpdateCurve();
                key.push_back(static_cast<float>(-1 - j));
                const CurvePointF* c = out->GetCurveF();
                for (int i = 0; i < kGridSize; ++i) {
                    key.push_back(c[i].x);
                    key.push_back(c[i].y);
                }
            }
            auto hit = std::find_if(m_otherCurves.begin(), m_otherCurves.end(),
                                    [&](const OtherCurvesLayer& l) { return l.key == key; });
            if (hit == m_otherCurves.end()) {
                if (m_otherCurves.size() >= static_cast<size_t>(NUM_OUTPUTS))
                    m_otherCurves.erase(m_otherCurves.begin());
                OtherCurvesLayer made;
                made.bitmap = std::make_unique<Gdiplus::Bitmap>(m_rcPlot.Width(), m_rcPlot.Height());
                Gdiplus::Graphics layer(made.bitmap.get());
                layer.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
                Gdiplus::Pen other(ToGdiplus(g_clrOtherCurves), 3.0f);
                for (size_t k = 2; k < key.size(); k += 1 + 2 * kGridSize) {
                    for (int i = 0; i < kGridSize; ++i)
                        pts[i] = Gdiplus::PointF{key[k + 1 + 2 * i] - static_cast<float>(m_rcPlot.left),
                                                 key[k + 2 + 2 * i] - static_cast<float>(m_rcPlot.top)};
                    layer.DrawLines(&other, pts, kGridSize);
                }
                made.key = std::move(key);
                m_otherCurves.push_back(std::move(made));
                hit = m_otherCurves.end() - 1;
            } else if (hit != m_otherCurves.end() - 1) {
                // The newest stays last, so the oldest goes first.
                std::rotate(hit, hit + 1, m_otherCurves.end());
                hit = m_otherCurves.end() - 1;
            }
            if (hit->key.size() > 2)
                g.DrawImage(hit->bitmap.get(), m_rcPlot.left, m_rcPlot.top);
        }
        CKTV_OutData* cur = n < 0 ? m_pCurOut : (m_pOuts ? m_pOuts->GetAt(n) : nullptr);
        if (cur) {
            Gdiplus::Pen pen(ToGdiplus(n < 0 ? g_clrCurCurve : cur->GetCurveColor()), 2.0f);
            ToPoints(cur->GetCurveF(), pts);
            g.DrawLines(&pen, pts, kGridSize);
        }
    }
    dc->SetROP2(oldRop);
}

void CZNStatic::DrawChannelBeziers(CDC* dc) {
    const CurvePointF* curve = nullptr;
    ArgbColor colour = g_clrCurCurve;
    if (m_nMode == MODE_MUSIC && m_pCurMusic) {
        m_pCurMusic->UpdateCurve();
        curve = m_pCurMusic->GetCurveF();
    } else if (m_nMode == MODE_EFFECT && m_pEffect) {
        m_pEffect->UpdateCurve();
        curve = m_pEffect->GetCurveF();
        colour = m_pEffect->GetCurveColor();
    } else if (m_nMode == MODE_MIC && m_pCurMic) {
        m_pCurMic->UpdateCurve();
        curve = m_pCurMic->GetCurveF();
        colour = m_pCurMic->GetCurveColor();
    }
    if (!curve)
        return;
    const int oldRop = dc->SetROP2(R2_COPYPEN);
    {
        Gdiplus::Graphics g(dc->GetSafeHdc());
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        Gdiplus::PointF pts[kGridSize];
        ToPoints(curve, pts);
        Gdiplus::Pen pen(ToGdiplus(colour), 2.0f);
        g.DrawBeziers(&pen, pts, kGridSize);
    }
    dc->SetROP2(oldRop);
}

void CZNStatic::DrawMarkers(CDC* dc, int last) {
    dc->SetBkColor(kBlack);
    dc->SetBkMode(TRANSPARENT);
    for (int m = last; m >= 0; --m) {
        CFilter* f = Band(m);
        if (!f || !IsFilterShown(m))
            continue;
        CString text;
        if (f->GetType() == BAND_HIGH_PASS)
            text = "H";
        else if (f->GetType() == BAND_LOW_PASS)
            text = "L";
        else
            text.Format("%d", m + 1);
        const bool marked = m_nSelBand >= 0 ? m == m_nSelBand : f == m_pHotFilter;
        dc->SetTextColor(marked ? kRed : kWhite);
        CRect rc = f->m_rcHandle;
        dc->DrawText(text, &rc,
                     MarkerFormat(f->m_rcHandle, m_rcPlot.right, f->GetFreq()) | DT_SINGLELINE | DT_VCENTER);
    }
}

void CZNStatic::DrawActiveExtras(CDC* dc) {
    if (m_pHotFilter && m_pHotFilter->GetType() == BAND_PEAK && !m_pHotFilter->IsGeqMode()) {
        CPen red(PS_SOLID, 1, kRed);
        CPen* old = dc->SelectObject(&red);
        dc->Rectangle(&m_pHotFilter->m_rcLowWidth);
        dc->Rectangle(&m_pHotFilter->m_rcHighWidth);
        dc->SelectObject(old);
    }
    CFilter* labelled = m_nSelBand >= 0 ? Band(m_nSelBand) : m_pHotFilter;
    if (labelled) {
        dc->SetTextColor(kRed);
        // On black text cells, so the label stays readable over the markers it crosses.
        dc->SetBkMode(OPAQUE);
        CRect rc = labelled->m_rcLabel;
        dc->DrawText(labelled->FormatLabelText(), &rc, DT_CENTER | DT_SINGLELINE);
    }
}

void CZNStatic::DrawLinkMarker(CDC* dc) {
    if (m_bmpLink.GetSafeHandle())
        BlitBitmap(dc, m_bmpLink, 50, 15);
}

void CZNStatic::BlitBitmap(CDC* dc, CBitmap& bmp, int x, int y) {
    CDC src;
    src.CreateCompatibleDC(dc);
    CBitmap* old = src.SelectObject(&bmp);
    const CSize size = bmp.GetBitmapDimension();
    dc->BitBlt(x, y, size.cx, size.cy, &src, 0, 0, SRCCOPY);
    src.SelectObject(old);
}

// ---- Mouse -----------------------------------------------------------------------------------------

bool CZNStatic::MouseModeActive() const {
    return m_nMode >= MODE_EFFECT && m_nMode <= MODE_OUTPUT;
}

void CZNStatic::OnMouseMove(UINT flags, CPoint point) {
    if (MouseModeActive() && (g_nViewMode == 1 || g_nViewMode == 2)) {
        TrackMouse(point);
        if (m_bRedrawPending) {
            m_bRedrawPending = false;
            UpdateWindow();
        }
    }
    CStatic::OnMouseMove(flags, point);
}

void CZNStatic::XoverStep(CFilter* f, CPoint point) {
    // The partner keeps a high-pass at or below the low-pass and the reverse.
    int hp = -1, lp = -1;
    switch (m_nMode) {
    case MODE_OUTPUT:
        hp = BandCount() - 2;
        lp = BandCount() - 1;
        break;
    case MODE_MUSIC:
        hp = 31;
        lp = 32;
        break;
    case MODE_EFFECT:
        hp = 3;
        lp = 4;
        break;
    case MODE_MIC:
        hp = 9;
        lp = 10;
        break;
    default:
        break;
    }
    CFilter* partner = f == Band(hp) ? Band(lp) : Band(hp);
    const int partnerHz = partner ? partner->GetFreq() : (f->GetType() == BAND_HIGH_PASS ? 20000 : 20);
    m_bDragResult = f->DragXoverHandle(point, partnerHz);
    Redraw();
    if (m_bDragResult)
        m_bChanged = 1;
}

void CZNStatic::TrackXover(CFilter* f, CPoint point) {
    if (!f->m_rcHandle.PtInRect(point)) {
        if (f->m_bGrabHandle) {
            XoverStep(f, point);
            m_bOverHandle = 1;
        } else {
            m_pHotFilter = nullptr;
            m_bOverHandle = 0;
        }
        return;
    }
    // Hot again while over it, so a released crossover can be grabbed again in place.
    f->m_bHoverHandle = 1;
    if (f->m_bGrabHandle)
        XoverStep(f, point);
    m_bOverHandle = 1;
}

void CZNStatic::TrackMouse(CPoint point) {
    CFilter* f = m_pHotFilter;
    if (f && IsXover(f)) {
        TrackXover(f, point);
        return;
    }
    auto dragMain = [&] {
        m_bDragResult = f->DragHandle(point);
        Redraw();
        if (m_bDragResult)
            m_bChanged = 1;
    };
    auto dragWidth = [&] {
        m_bDragResult = f->DragWidthHandle(point.x);
        if (m_bDragResult) {
            m_bChanged = 1;
            Redraw();
        }
    };
    if (f) {
        const bool inMain = f->m_rcHandle.PtInRect(point) != 0;
        if (!inMain && f->m_bGrabHandle) {
            dragMain();
            m_bOverHandle = 0;
            return;
        }
        if (inMain) {
            f->m_bHoverHandle = 1;
            f->m_bHoverLow = 0;
            f->m_bHoverHigh = 0;
            if (f->m_bGrabHandle)
                dragMain();
            m_bOverHandle = 1;
            return;
        }
        if (!f->IsGeqMode()) {
            const bool inLow = f->m_rcLowWidth.PtInRect(point) != 0;
            const bool inHigh = f->m_rcHighWidth.PtInRect(point) != 0;
            if (!inLow && f->m_bGrabLow) {
                dragWidth();
                m_bOverHandle = 0;
                return;
            }
            if (inLow) {
                f->m_bHoverHandle = 0;
                f->m_bHoverLow = 1;
                f->m_bHoverHigh = 0;
                f->m_bGrabHigh = 0;
                if (f->m_bGrabLow)
                    dragWidth();
                m_bOverHandle = 1;
                return;
            }
            if (!inHigh && f->m_bGrabHigh) {
                dragWidth();
                m_bOverHandle = 0;
                return;
            }
            if (inHigh) {
                f->m_bHoverHandle = 0;
                f->m_bHoverHigh = 1;
                f->m_bHoverLow = 0;
                f->m_bGrabLow = 0;
                if (f->m_bGrabHigh)
                    dragWidth();
                m_bOverHandle = 1;
                return;
            }
        }
    }
    const int count = m_nMode == MODE_MUSIC ? std::min(BandCount(), kMusicScanCount) : BandCount();
    for (int i = 0; i < count; ++i) {
        CFilter* g = Band(i);
        if (!g || !IsFilterShown(i) || !g->m_rcHandle.PtInRect(point))
            continue;
        m_pHotFilter = g;
        g->m_bHoverHandle = 1;
        // Width handles left earlier are not under the pointer now.
        g->m_bHoverLow = g->m_bHoverHigh = 0;
        m_nMsgBand = i;
        Redraw();
        m_bOverHandle = 1;
        return;
    }
    m_bOverHandle = 0;
}

void CZNStatic::BeginDrag(CPoint point) {
    CFilter* f = m_pHotFilter;
    if (!m_bOverHandle || !f)
        return;
    if (f->m_bHoverHandle) {
        f->m_bGrabHandle = 1;
        f->BeginHandleDrag(point);
    } else if (f->GetType() == BAND_PEAK) {
        if (f->m_bHoverLow) {
            f->m_bGrabLow = 1;
            f->BeginWidthDrag(point.x);
        } else if (f->m_bHoverHigh) {
            f->m_bGrabHigh = 1;
            f->BeginWidthDrag(point.x);
        }
    }
}

void CZNStatic::EndDrag() {
    CFilter* f = m_pHotFilter;
    if (!f)
        return;
    if (f->m_bHoverHandle) {
        f->m_bGrabHandle = f->m_bHoverHandle = 0;
        f->m_bGrabLow = f->m_bHoverLow = 0;
        f->m_bHoverHigh = f->m_bGrabHigh = 0;
        m_bOverHandle = 0;
        return;
    }
    if (f->m_bHoverLow) {
        f->m_bGrabLow = f->m_bHoverLow = 0;
        m_bOverHandle = 0;
    }
    if (f->m_bHoverHigh) {
        f->m_bHoverHigh = f->m_bGrabHigh = 0;
        m_bOverHandle = 0;
    }
}

void CZNStatic::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    SetCapture();
    if (MouseModeActive())
        BeginDrag(point);
    m_bButtonUp = 0;
    CStatic::OnLButtonDown(flags, point);
}

void CZNStatic::OnLButtonUp(UINT flags, CPoint point) {
    // Only the press this graph holds ends here: a release whose press was cancelled is nothing.
    if (GetCapture() != this) {
        CStatic::OnLButtonUp(flags, point);
        return;
    }
    // Up before the capture goes: the change of capture that follows is this release's own.
    m_bButtonUp = 1;
    ReleaseCapture();
    if (MouseModeActive())
        EndDrag();
    CStatic::OnLButtonUp(flags, point);
}

void CZNStatic::OnCaptureChanged(CWnd* wnd) {
    // A drag cut short ends where it is: what it already changed is reported by the timer, nothing
    // more moves.
    if (!m_bButtonUp)
        EndDrag();
    CStatic::OnCaptureChanged(wnd);
}

UINT CZNStatic::CursorId() const {
    if (m_pHotFilter && m_bOverHandle) {
        if (m_pHotFilter->m_bHoverLow || m_pHotFilter->m_bHoverHigh || IsXover(m_pHotFilter))
            return IDC_SIZEWE;
        if (m_pHotFilter->IsGeqMode())
            return IDC_SIZENS;
    }
    return m_bOverHandle && m_hSizeAll ? IDC_SIZEALL : IDC_ARROW;
}

BOOL CZNStatic::OnSetCursor(CWnd*, UINT, UINT) {
    switch (CursorId()) {
    case IDC_SIZEWE:
        ::SetCursor(m_hSizeWE);
        break;
    case IDC_SIZENS:
        ::SetCursor(m_hSizeNS);
        break;
    case IDC_SIZEALL:
        ::SetCursor(m_hSizeAll);
        break;
    default:
        ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
        break;
    }
    return TRUE;
}

void CZNStatic::OnTimer(UINT_PTR id) {
    if (id != kTimerId || !m_hOwner)
        return;
    if (m_bChanged) {
        m_bChanged = 0;
        ::PostMessage(m_hOwner, WM_CURVE_BAND_CHANGED, static_cast<WPARAM>(m_nMsgBand),
                      static_cast<LPARAM>(m_nMsgChannel));
    } else if (m_bButtonUp) {
        ::PostMessage(m_hOwner, WM_CURVE_BAND_CHANGED, static_cast<WPARAM>(m_nMsgBand),
                      static_cast<LPARAM>(m_nMsgChannel));
    }
}

void CZNStatic::OnKillFocus(CWnd* newWnd) {
    CStatic::OnKillFocus(newWnd);
    if (m_hOwner)
        ::PostMessage(m_hOwner, WM_CURVE_KILLFOCUS, 0, 0);
}
