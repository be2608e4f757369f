// Menu resources as flat item lists (see MenuItemSpec); the rows of one menu stay together.
#include "res/ResourceTables.h"

namespace res {

const MenuItemSpec kMenuItems[] = {
    {0, 0, 0, 0, nullptr, nullptr}, // placeholder: menu 0 never loads
};
const std::size_t kMenuItemCount = sizeof(kMenuItems) / sizeof(kMenuItems[0]);

} // namespace res
