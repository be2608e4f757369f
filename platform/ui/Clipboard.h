// The desktop clipboard's plain text: UTF-8 "text/plain", the form other programs exchange.
#pragma once

#include "platform/core/String.h"

class CClipboard {
public:
    static BOOL SetText(const CString& text);
    static BOOL HasText();
    // Empty when the clipboard holds no text.
    static CString GetText();
};
