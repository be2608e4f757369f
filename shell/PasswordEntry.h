// The one entry rule of the lock's password prompts (CPasswordDlg, CUnlockDlg): exactly six GBK
// bytes.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDataLockHost;
class CDialog;
class CEdit;

// TRUE with the field's text in *entry when it holds six GBK bytes. Otherwise the host (may be
// null) shows the wrong-length text of the language, and the field is emptied and keeps the focus.
BOOL TakePasswordEntry(CDialog& prompt, CEdit& field, CDataLockHost* host, const char* lengthErrorEn,
                       CString* entry);
