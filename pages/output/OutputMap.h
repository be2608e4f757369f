// COutputMap: the speaker map of the output page. The position icons over the car picture, the
// delay field each output is bound to by its position, the position assignment the strips ask
// for, and the map buttons (lock, left/right link, reset, read, save) with their questions.
// The page owns one and forwards its messages and commands to it.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/Bitmap.h"

class COutputDlg;
class CBtnPng;
class CNumEdit;
class CNumSpin;

class COutputMap {
public:
    // Commands of the subwoofer popup: 10000 and 10001 choose outputs 5 and 6.
    static constexpr int kSubPositionFirst = 10000;
    static constexpr int kSubPositionLast = 10010;
    // The delay field, spin and icon an output's position binds it to; all null for code 0.
    struct Binding {
        CNumEdit* field = nullptr;
        CNumSpin* spin = nullptr;
        CBtnPng* icon = nullptr;
    };
    // The default crossover of a code: frequencies in Hz, 0 keeps the filter's frequency; slope
    // index -1 and family 0 keep them.
    struct Xover {
        int hpFreq, hpSlope, hpFamily;
        int lpFreq, lpSlope, lpFamily;
    };

    explicit COutputMap(COutputDlg& page) : m_page(page) {}
    // Gives the icons their images; once, when the page's controls exist.
    void Init();

    // Icon control of a code (4600..4624), 0 when the code has none; delay field index -1 likewise.
    static int IconOf(int code);
    static int DelayFieldOf(int code);
    // Crossover of an assignment, and of the reset to default on an output.
    static Xover AssignXover(int code);
    static Xover ResetXover(int code, int output);
    // Codes of the reset to default.
    static void DefaultCodes(int codes[8]);

    // ---- Icons and bindings
    void PlacePositionIcon(int code, BOOL current, int output);
    void HidePositionIcon(int code);
    void ShowPositionIcon(int code, BOOL show);
    void CheckPositionIcon(int code, BOOL on);
    void ClearPositionIcons();
    void RefreshSpeakerMap();
    // The page's delay binding of the output (one store, CDelayLevelHelper) and its icon.
    Binding BindingOf(int output) const;
    // The delay fields bound to the listed outputs (-1 entries skipped) become read-only or not.
    void SetGroupDelayReadOnly(const int outputs[8], BOOL readOnly);
    int LastIconOutput() const { return m_nLastIconOutput; }

    // ---- What the strips and the user ask
    void OnOutputSetPosition(int output, int code);
    void OnPositionIcon(int control);
    void OnSubPositionMenu(int id);
    void OnMapLock();
    void OnLRLink();
    void OnResetMap();
    void OnReadMapFile();
    void OnSaveMapFile();
    void OnOutputPaste(int from, int to);

    // ---- What the view asks
    void ApplyMapLock();
    void ValidateMapLock();
    void RestoreDefaultMap();
    void MarkLinkedOutputs(int output);
    void UnmarkLinkedOutputs(int output);
    void ShowLinkIndicators(BOOL show);

private:
    CBtnPng* Icon(int code) const;
    // Stores the code as the output's position: rules, icon, strip caption, model and map byte.
    void SetCode(int output, int code);
    void ApplyXover(int output, const Xover& x);
    void SelectFromIcon(int output);
    void SetMapLocked(BOOL locked);
    void MarkLinked(int output, BOOL on);
    void CentreIcons();
    void MoveIcon(int control, int x, int y);
    int Ask(const char* en, const char* cn, UINT type) const;

    COutputDlg& m_page;
    CBtnPng* m_icons[8] = {}; // the icon of each output's position
    int m_nLastIconOutput = 0;
    CBitmap m_bmpLink;
};
