// Layout tables of the device preset dialogs (machine-preset dialog 170, name entry 666),
// registered with the resource registry once.
#pragma once

constexpr unsigned IDD_PROGRAM_DLG = 170;
constexpr unsigned IDD_SAVE_DLG = 666;

void RegisterPresetDialogLayouts();
