// The built-in tables behind the registry (one definition each, in the *Table.cpp files).
#pragma once

#include "res/ResourceTable.h"

#include <cstddef>
#include <span>

namespace res {
extern const ArtSpec kArt[];
extern const std::size_t kArtCount;
// The output page's art (OutputPageArtTable.cpp), searched right after kArt.
extern const std::span<const ArtSpec> kPageArtTables[];
extern const std::size_t kPageArtTableCount;
// The input page's art (InputPageArtTable.cpp), one of kPageArtTables.
extern const ArtSpec* const kInputPageArt;
extern const std::size_t kInputPageArtCount;
// The level page's art (LevelPageArtTable.cpp), one of kPageArtTables.
extern const std::span<const ArtSpec> kLevelPageArt;
// The mixer's and the advanced settings dialog's art and the mixer source buttons
// (MixerArtTable.cpp), listed in kPageArtTables.
extern const std::span<const ArtSpec> kMixerArt;
extern const std::span<const ArtSpec> kMixerSourceArt;
extern const SvgSpec kSvg[];
extern const std::size_t kSvgCount;
extern const CursorSpec kCursors[];
extern const std::size_t kCursorCount;
extern const StringSpec kStrings[];
extern const std::size_t kStringCount;
extern const MenuItemSpec kMenuItems[];
extern const std::size_t kMenuItemCount;
extern const DialogSpec kDialogs[];
extern const std::size_t kDialogCount;
} // namespace res
