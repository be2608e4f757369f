// The GBK field readers and writers fed arbitrary field bytes. Byte 0 gives the field width, byte 1
// the write capacity, byte 2 the pad byte; the rest is the field as the device or a file holds it
// (read from an exact-size copy, so a read past the field is caught). Reading yields valid UTF-8;
// writing stays inside the field, never splits a double-byte character, and a name read back and
// written again gives the same bytes.
#include "model/Conversions.h"
#include "platform/core/Encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

bool IsUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80                   ? 1
                   : (c >= 0xC2 && c <= 0xDF) ? 2
                   : (c >= 0xE0 && c <= 0xEF) ? 3
                   : (c >= 0xF0 && c <= 0xF4) ? 4
                                              : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

// Walks GBK characters from the start: the text part must end on a character boundary.
bool EndsOnBoundary(const char* field, size_t textLen) {
    size_t i = 0;
    while (i < textLen)
        i += static_cast<unsigned char>(field[i]) >= 0x81 && static_cast<unsigned char>(field[i]) <= 0xFE ? 2
                                                                                                          : 1;
    return i == textLen;
}

// Writes text into a guarded field of the width and checks the bytes around and inside it.
std::string WriteChecked(const CString& text, int width, int capacity, char pad) {
    const size_t guard = 8;
    std::string buf(width + 2 * guard, '\x5A');
    char* field = buf.data() + guard;
    const bool fit = WriteGbkField(field, width, text, FieldOverflow::Truncate, capacity, pad);
    const std::string gbk = Utf8ToGbk(text);
    const int cap = capacity < 0 ? width - 1 : (capacity > width ? width : capacity);
    if (fit != (gbk.size() <= static_cast<size_t>(cap)))
        std::abort();
    for (size_t i = 0; i < guard; ++i)
        if (buf[i] != '\x5A' || buf[guard + width + i] != '\x5A')
            std::abort();
    // Cut text: the longest prefix of whole characters within the budget.
    size_t textLen = std::min(gbk.size(), static_cast<size_t>(cap));
    while (textLen > 0 && !EndsOnBoundary(gbk.data(), textLen))
        --textLen;
    if (textLen > static_cast<size_t>(cap) || std::memcmp(field, gbk.data(), textLen) != 0 ||
        !EndsOnBoundary(field, textLen))
        std::abort();
    for (size_t i = textLen; i < static_cast<size_t>(width); ++i)
        if (field[i] != pad)
            std::abort();
    return std::string(field, width);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const int width = 1 + data[0] % 40;
    const int capacity = static_cast<int>(data[1] % 44) - 2; // -2, -1: the default budget
    const char pad = static_cast<char>(data[2] & 1 ? ' ' : '\0');
    data += 3;
    size -= 3;

    // Readers over exactly the bytes given.
    auto exact = std::make_unique<char[]>(size + 1);
    std::memcpy(exact.get(), data, size);
    const CString whole = GbkToUtf8(exact.get(), size);
    if (!IsUtf8(whole.str()))
        std::abort();
    const int n = static_cast<int>(std::min<size_t>(size, static_cast<size_t>(width)));
    const CString field = ReadGbkField(exact.get(), n);
    if (!IsUtf8(field.str()) || !IsUtf8(FieldToString(exact.get(), n).str()) ||
        !IsUtf8(FieldToStringN(exact.get(), n).str()))
        std::abort();

    // Writers: the name read back, and the raw bytes taken as (possibly invalid) UTF-8.
    const std::string once = WriteChecked(field, width, capacity, pad);
    WriteChecked(CString(std::string(reinterpret_cast<const char*>(data), size)), width, capacity, pad);
    const CString again = ReadGbkField(once.data(), width);
    if (WriteChecked(again, width, capacity, pad) != once && pad == '\0')
        std::abort();
    return 0;
}
