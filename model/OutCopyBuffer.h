// The output strip's copy source: Copy marks an output, Paste copies from it.
#pragma once

struct OutCopyBuffer {
    int source;   // -1 = nothing copied
    int flags[8]; // 1 for the output marked as copy source

    void Reset();
};
