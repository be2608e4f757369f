// CAdv_ComBox: a combo box of the advanced settings dialog whose left button press opens the
// mixer source menu instead of its list (it sends its parent the source button's command).
#pragma once

#include "platform/ui/ComboBox.h"

class CAdv_ComBox : public CComboBox {
public:
    static constexpr UINT kSourceButton = 2729;

protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
};
