// Spreads the spare pixels of a client over rows or columns, remainder to the first ones.
#pragma once

#include <vector>

class CGridFit {
public:
    // Every size changes by spare / count, the first (|spare| mod count) by one more pixel, so
    // the sizes add up to client. A size never drops below 0 (the sum is then larger than client).
    static void Expand(std::vector<int>& sizes, int client);
};
