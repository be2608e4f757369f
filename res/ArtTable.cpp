// The generated art of the program: one row per bitmap or PNG resource, and the SVG-drawn images
// and cursors. Roles: button, combo, panel, track-v, track-h, thumb-v, thumb-h, spin-v, spin-h,
// led, tab, arrow-up/-down/-left/-right (see SkinPainter).
#include "res/ResourceTable.h"

#include "res/ResourceTables.h"

namespace res {

const ArtSpec kArt[] = {
    // id, png, width, height, role, state, caption, accent
    {0, false, 0, 0, nullptr, 0, nullptr, 0}, // placeholder: id 0 never loads
};
const std::size_t kArtCount = sizeof(kArt) / sizeof(kArt[0]);

const SvgSpec kSvg[] = {
    {0, false, 0, 0, nullptr},
};
const std::size_t kSvgCount = sizeof(kSvg) / sizeof(kSvg[0]);

const CursorSpec kCursors[] = {
    {213, 5, 0, ":/r9/svg/hand.svg"}, // the hand of the skinned controls
};
const std::size_t kCursorCount = sizeof(kCursors) / sizeof(kCursors[0]);

} // namespace res
