// CInputNoise: the modal one-switch panel (dialog 886) of bass boost (kind 0, byte 7 of the system
// data) or the noise threshold (kind 1, byte 3). A toggle stores the byte and marks the system
// data for sending. Enter and Esc do not close it; the close box does.
#pragma once

#include "controls/BitButton.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"

class CInputPageHost;

class CInputNoise : public CDialog {
public:
    static constexpr UINT IDD = 886;
    static constexpr int KIND_BASS_BOOST = 0;
    static constexpr int KIND_NOISE = 1;

    explicit CInputNoise(CInputPageHost* host, CWnd* parent = nullptr);
    ~CInputNoise() override = default;

    void SetKind(int kind) { m_nKind = kind; }
    int GetKind() const { return m_nKind; }
    // The byte of g_systemData the kind switches.
    static int ByteOfKind(int kind) { return kind == KIND_NOISE ? 3 : 7; }
    static UINT BackgroundId(int kind, BOOL chinese);
    CBitButton& Switch() { return m_btnSwitch; }
    void OnToggle();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() override { EndDialog(IDCANCEL); }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    DECLARE_MESSAGE_MAP()

private:
    BYTE& Byte();

    CInputPageHost* m_pHost = nullptr;
    CBitButton m_btnSwitch; // 2861
    CBitmap m_bmpBack[4];   // 887, 888, 893, 894
    int m_nKind = KIND_BASS_BOOST;
};
