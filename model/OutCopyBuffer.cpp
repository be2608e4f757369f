#include "model/OutCopyBuffer.h"

void OutCopyBuffer::Reset() {
    source = -1;
    for (int& f : flags)
        f = 0;
}
