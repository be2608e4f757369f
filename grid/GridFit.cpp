#include "grid/GridFit.h"

#include <cstddef>
#include <numeric>

void CGridFit::Expand(std::vector<int>& sizes, int client) {
    if (sizes.empty())
        return;
    const long long count = static_cast<long long>(sizes.size());
    const long long spare = client - std::accumulate(sizes.begin(), sizes.end(), 0LL);
    const long long share = spare / count;
    const long long extra = (spare < 0 ? -spare : spare) % count;
    for (long long k = 0; k < count; ++k) {
        long long size = sizes[static_cast<size_t>(k)] + share;
        if (k < extra)
            size += spare < 0 ? -1 : 1;
        sizes[static_cast<size_t>(k)] = static_cast<int>(size < 0 ? 0 : size);
    }
}
