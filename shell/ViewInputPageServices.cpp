#include "shell/ViewInputPageServices.h"

#include "model/Globals.h"
#include "pages/level/Level_Delay_Dlg.h"

void CViewInputPageServices::UpdateSourceButton() {
    if (m_pInputPage)
        m_pInputPage->UpdateSourceButton();
}

void CViewInputPageServices::RefreshChannel() {
    if (m_pInputPage)
        m_pInputPage->RefreshChannel();
}

void CViewInputPageServices::ClearOutputMeters() {
    if (g_pLevelPage)
        g_pLevelPage->ClearOutputMeters();
}
