#include "shell/PasswordEntry.h"

#include "model/Globals.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "shell/DataLock.h"
#include "shell/DataLockHost.h"

BOOL TakePasswordEntry(CDialog& prompt, CEdit& field, CDataLockHost* host, const char* lengthErrorEn,
                       CString* entry) {
    CString text;
    field.GetWindowText(text);
    if (!CDataLock::IsPasswordLength(text)) {
        if (host)
            host->ShowMessage(LangText(lengthErrorEn, g_strLockLengthErrorCn));
        field.SetWindowText("");
        prompt.GotoDlgCtrl(&field);
        return FALSE;
    }
    *entry = text;
    return TRUE;
}
