// Dialog layouts in pixels: one items table per dialog, then the dialog rows.
#include "res/ResourceTables.h"

namespace res {

const DialogSpec kDialogs[] = {
    {0, 0, 0, 0, 0, nullptr, nullptr, nullptr, 0, {}}, // placeholder: dialog 0 never loads
};
const std::size_t kDialogCount = sizeof(kDialogs) / sizeof(kDialogs[0]);

} // namespace res
