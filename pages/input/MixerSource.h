// CMixerSource: the mixer source choice shared by the input page's source button (3967) and the
// advanced settings dialog's (2729). The source lives in g_inputOptions (choice 0..6, 6 OFF, and
// the availability row of the current input). This class holds the popup menu 173 (items
// 174..180, one per source), the button pictures of both places and the change rule; the caller
// redraws its button and sends CMD_SOURCE_SET when Choose says the source changed.
#pragma once

#include "model/InputOptionTable.h"
#include "platform/core/WinTypes.h"

class CMenu;
class CWnd;

class CMixerSource {
public:
    static constexpr UINT kMenu = 173;
    static constexpr UINT kFirstItem = 174; // 174..180: sources 0..6
    static constexpr int kSources = InputOptionTable::NUM_CHOICES;
    static constexpr int kOff = InputOptionTable::CHOICE_OFF;

    struct Looks {
        UINT normal;
        UINT hover;
        UINT pressed;
    };
    // The input page's button 3967 for source s in the language (3100.. / 3120..).
    static Looks PageButtonLooks(int source, bool chinese);
    // The advanced settings dialog's button 2729 (3200.. / 3220..).
    static Looks DialogButtonLooks(int source, bool chinese);
    // The page button before its first update.
    static Looks BlankLooks();

    // Text of menu position 0..6 in the language; null where the menu's own text stays.
    static const char* ItemText(int position, bool chinese);
    // The source of a menu command 174..180, -1 for other ids.
    static int SourceOfCommand(UINT id);
    // Picks source s: FALSE (nothing changes) when s is the current source or no source.
    static BOOL Choose(int source);

    // Sets the language's texts and greys the sources the current input does not offer.
    static void PrepareMenu(CMenu& popup, bool chinese);
    // Loads menu 173 once into `menu`, prepares it and tracks it under the button (its left edge,
    // 2 pixels below it) with `owner` receiving the command.
    static void TrackMenu(CMenu& menu, CWnd& button, CWnd* owner);

    // Menu 173 in the resource registry (done by TrackMenu; tests call it).
    static void RegisterMenu();
};
