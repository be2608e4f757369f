// ArchiveMagic: the magic that starts every archive preset file, one length byte and its
// characters without terminator, compared exactly.
#pragma once

#include "platform/core/WinTypes.h"

#include <cstddef>
#include <string_view>
#include <vector>

struct ArchiveMagic {
    std::string_view text; // empty when the file is too short to hold its magic
    std::size_t bodyOffset = 0;

    static ArchiveMagic Read(const BYTE* data, std::size_t size) {
        ArchiveMagic m;
        if (!data || size < 1 || size < 1u + data[0])
            return m;
        m.text = std::string_view(reinterpret_cast<const char*>(data + 1), data[0]);
        m.bodyOffset = 1u + data[0];
        return m;
    }
    static void Write(std::vector<BYTE>& out, std::string_view magic) {
        out.push_back(static_cast<BYTE>(magic.size()));
        out.insert(out.end(), magic.begin(), magic.end());
    }
};
