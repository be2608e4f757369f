#include "controls/PassWordEdit.h"

bool CPassWordEdit::IsAccepted(UINT ch) {
    return ch == 8 || (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

void CPassWordEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (IsAccepted(ch))
        CEdit::OnChar(ch, repeat, flags);
}
