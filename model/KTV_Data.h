// The document's parameter model: the effect channel, the mic, six music inputs and eight outputs.
// It loads every channel from a preset image, stores them back into g_curImage, keeps the output
// link table and runs the send scheduler, which turns one pending change per call into its frame.
//
// Threads: BuildNextChangeFrame runs on the link worker with g_linkLock held; everything else runs
// on the UI thread. Change marks are atomics, and the scheduler clears each mark before it packs
// the value, so a change made meanwhile is marked again and sent by a later call. The loaders,
// StoreToImage and SetAllChanged take g_linkLock (short sections) so the worker never packs a
// half-loaded channel.
#pragma once

#include "model/DataDefine.h"
#include "model/Effect_Data.h"
#include "model/Globals.h"
#include "model/KTV_MicRoute.h"
#include "model/KTV_MusicRoute.h"
#include "model/KTV_OutRoute.h"
#include "model/LinkDocument.h"
#include "platform/core/Object.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "wire/SendData.h"

#include <memory>

class CArchive;

class CKTV_Data : public CObject, public CLinkDocument {
    DECLARE_SERIAL(CKTV_Data)
public:
    CKTV_Data();
    ~CKTV_Data() override;

    // Channels by index; null outside 0, 0..5 and 0..7.
    CMIC_InData* GetMic(int i) const { return m_micRoute.GetAt(i); }
    CMusic_InData* GetMusic(int i) const { return m_musicRoute.GetAt(i); }
    CKTV_OutData* GetOut(int i) const { return m_outRoute.GetAt(i); }
    CEffect_Data* GetEffect() { return &m_effect; }
    const CEffect_Data* GetEffect() const { return &m_effect; }
    CKTV_MicRoute& GetMicRoute() { return m_micRoute; }
    CKTV_MusicRoute& GetMusicRoute() { return m_musicRoute; }
    CKTV_OutRoute& GetOutRoute() { return m_outRoute; }

    // Every output in a group of its own, g_pOutData at this model's outputs, L/R link off.
    void InitLinkTable();
    // Clears every channel mark whatever the flag; the system-data mark takes the flag and the
    // source-set mark is cleared.
    void SetAllChanged(BOOL flag) override;

    // Loads every channel from the image without marking; the effect only for preset 0 or 6.
    void LoadFromImage(const PresetImage* image, int nPreset);
    // The link's forms: from g_curImage after a live read of preset p, and the effect alone.
    void LoadFromImage(int nPreset) override { LoadFromImage(&g_curImage, nPreset); }
    void LoadEffect() override;
    // Writes every channel into g_curImage; builds no frame.
    void StoreToImage();
    // g_xoverTable from the outputs' sent crossovers.
    void StoreCrossovers();

    void SetOutCurveRect(CRect rect);
    // Gives the outputs the rectangle the view gave last.
    void SetOutCurveRect() override { SetOutCurveRect(m_rcOutCurve); }
    void SetMusicCurveRect(CRect rect);
    void SetCurveRects(CRect rect);
    // The last rectangle given to the outputs (empty before the first).
    CRect GetOutCurveRect() const { return m_rcOutCurve; }

    // The send scheduler: the frame of the next pending change, the idle poll when nothing is
    // pending, or null when the chosen change yields no frame. The caller owns the packet.
    std::unique_ptr<CSendData> BuildNextChangeFrame() override;

    const CString& GetPresetName() const { return m_strPresetName; }

    void Serialize(CArchive& ar) override;

private:
    std::unique_ptr<CSendData> NextNameFrame();
    std::unique_ptr<CSendData> NextMusicFrame(CMusic_InData& in);
    std::unique_ptr<CSendData> NextOutputFrame(CKTV_OutData& out, bool* found);

    CEffect_Data m_effect;
    CKTV_MicRoute m_micRoute;
    CKTV_MusicRoute m_musicRoute;
    CKTV_OutRoute m_outRoute;
    CString m_strPresetName;
    CRect m_rcOutCurve;
};
