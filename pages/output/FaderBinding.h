// The link between a band's filter and its gain fader: a drag of the band on the graph moves the
// fader through it. The filter sees only the model's FilterFader.
#pragma once

#include "controls/BitmapSlider.h"
#include "model/FilterFader.h"

class CFaderBinding final : public FilterFader {
public:
    void Attach(CBitmapSlider* slider) { m_pSlider = slider; }
    void SetPos(int value) override {
        if (m_pSlider && m_pSlider->GetSafeHwnd())
            m_pSlider->SetPos(value);
    }
    void SetPosFromFreq(int hz) override {
        if (m_pSlider && m_pSlider->GetSafeHwnd())
            m_pSlider->SetPosFromFreq(hz);
    }

private:
    CBitmapSlider* m_pSlider = nullptr;
};
