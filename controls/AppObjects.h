// The program-wide window objects made once at start-up: the seven fonts, the dialog brush and the
// speaker-position menu. Pages and dialogs share them; the application creates and deletes them.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Font.h"
#include "platform/ui/Menu.h"

extern CFont g_fontArial16;
extern CFont g_fontArial108;
extern CFont g_fontArial14;
extern CFont g_fontArial12;
extern CFont g_fontSimSun12;
extern CFont g_fontArial14b;
extern CFont g_fontArial16Heavy;
extern CBrush g_brushDlg;
// Menu 106: the output map's positions with their Chinese names.
extern CMenu g_menuSpkPos;

// The seven fonts in table order; FALSE when one cannot be made.
BOOL CreateProgramFonts();
// g_brushDlg and g_menuSpkPos.
BOOL CreateDialogBrushAndMenu();
// Deletes every object above (they are made again by the functions above).
void DeleteProgramObjects();

// Menu 106 (Chinese) and 107 (English): one popup holding the position codes 0..23 (commands
// 4100 + code), 25 (32772) and 26 (32773); code 24 has no item. Registered by the functions above.
void RegisterSpeakerMenus();
