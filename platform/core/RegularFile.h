// CRegularFile: reads a whole file only when it is a regular file no larger than a limit. The
// open never blocks (a FIFO is refused, not waited on) and a file over the limit is refused from
// its size before anything is read.
#pragma once

#include <cstddef>
#include <string>

class CRegularFile {
public:
    // true with the whole file in bytes; false with an errno in *error: the open's own, EISDIR for a
    // folder, EINVAL for another kind of file, EFBIG for a file over limit bytes, or the read's.
    static bool Read(const std::string& path, std::string& bytes, std::size_t limit, int* error = nullptr);
};
