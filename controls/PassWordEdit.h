// CPassWordEdit: an edit box that takes only letters, digits and backspace.
#pragma once

#include "platform/ui/Edit.h"

class CPassWordEdit : public CEdit {
public:
    CPassWordEdit() = default;
    ~CPassWordEdit() override = default;

    static bool IsAccepted(UINT ch);

protected:
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
};
