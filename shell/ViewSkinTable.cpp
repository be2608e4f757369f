#include "shell/ViewSkinTable.h"

namespace {

// Input and level page buttons, the hidden input-type buttons: the same three looks checked or
// not. The presets and settings buttons: their first look, then the other five alike.
const ViewSkinSet kViewSkins[] = {
    {2562, -1, {4313, 4314, 4315, 4313, 4314, 4315}, {4303, 4304, 4305, 4303, 4304, 4305}},
    {2563, -1, {4316, 4317, 4318, 4316, 4317, 4318}, {4306, 4307, 4308, 4306, 4307, 4308}},
    {2826, -1, {8131, 8141, 8151, 8131, 8141, 8151}, {8101, 8111, 8121, 8101, 8111, 8121}},
    {2818, -1, {8133, 8143, 8153, 8133, 8143, 8153}, {8103, 8113, 8123, 8103, 8113, 8123}},
    {2827, -1, {8132, 8142, 8152, 8132, 8142, 8152}, {8102, 8112, 8122, 8102, 8112, 8122}},
    {2829, -1, {773, 774, 774, 780, 779, 779}, {775, 776, 776, 782, 781, 781}},
    {2854, -1, {870, 869, 869, 0, 0, 0}, {873, 872, 872, 0, 0, 0}},
    {8801, -1, {8701, 8710, 8710, 8710, 8710, 8710}, {8720, 8730, 8730, 8730, 8730, 8730}},
    {8802, -1, {8702, 8711, 8711, 8711, 8711, 8711}, {8721, 8731, 8731, 8731, 8731, 8731}},
    // The connect button stays in its on state; its off looks are never given.
    {1413, 1, {8741, 8750, 8750, 0, 0, 0}, {8743, 8752, 8752, 0, 0, 0}},
    {1413, 0, {8751, 8740, 8740, 0, 0, 0}, {8753, 8742, 8742, 0, 0, 0}},
    // The language picture.
    {2828, -1, {757, 0, 0, 0, 0, 0}, {756, 0, 0, 0, 0, 0}},
};

} // namespace

const ViewSkinSet* FindViewSkin(int control, BOOL online) {
    for (const ViewSkinSet& s : kViewSkins)
        if (s.control == control && (s.online < 0 || s.online == (online ? 1 : 0)))
            return &s;
    return nullptr;
}

const UINT* ViewSkinBitmaps(int control, BOOL chinese, BOOL online) {
    const ViewSkinSet* s = FindViewSkin(control, online);
    if (!s)
        return nullptr;
    return chinese ? s->zh : s->en;
}

UINT ViewSkinBitmap(int control, BOOL chinese, int slot, BOOL online) {
    const UINT* ids = ViewSkinBitmaps(control, chinese, online);
    if (!ids || slot < 0 || slot >= VIEW_SKIN_SLOTS)
        return 0;
    return ids[slot];
}
