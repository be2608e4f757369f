// The program's input-page services: what the link asks of the input page and the level page,
// handed to the pages the view created. Installed by the view when it creates its pages. UI thread.
#pragma once

#include "link/InputPageServices.h"

class CViewInputPageServices final : public CInputPageServices {
public:
    // The input page's own services; until the input page exists its calls do nothing.
    void SetInputPage(CInputPageServices* page) { m_pInputPage = page; }

    void UpdateSourceButton() override;
    void RefreshChannel() override;
    // The level page's meters (g_pLevelPage), when the page exists.
    void ClearOutputMeters() override;

private:
    CInputPageServices* m_pInputPage = nullptr;
};
