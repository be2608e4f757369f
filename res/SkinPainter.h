// Draws the generated art of the dark skin: the look of each role and state, deterministic for
// the same table row.
#pragma once

#include "res/ResourceTable.h"

#include <QImage>

namespace res {
QImage PaintArt(const ArtSpec& spec);
} // namespace res
