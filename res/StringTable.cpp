// String resources by id, English and Chinese.
#include "res/ResourceTables.h"

namespace res {

const StringSpec kStrings[] = {
    {0, "", ""}, // placeholder: id 0 never loads
};
const std::size_t kStringCount = sizeof(kStrings) / sizeof(kStrings[0]);

} // namespace res
