// One left/right output pair of the left/right link.
#pragma once

struct LRPair {
    int first;  // output index, left side first in g_lrPairs
    int second; // partner output index
    int used;   // 1 when the entry holds a pair
};
