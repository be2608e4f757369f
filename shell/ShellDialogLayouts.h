// Layout tables of the shell's own dialogs (message box 116, transfer progress 104, the small
// dialogs 834, 269, 882, 719, 711, 100, 676 and the caption form 227), registered once.
#pragma once

void RegisterShellDialogLayouts();

struct FontSpec;
class CFont;
// A font object of one of the program's font specifications (height in pixels).
void CreateShellFont(CFont& font, const FontSpec& spec);
