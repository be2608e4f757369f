#include "platform/core/Encoding.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// One converter per thread and direction: iconv_t is not safe to share between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != invalid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return m_cd != invalid(); }

    // Converts as much as possible; returns false at the first undecodable sequence (in then
    // points at it) or an incomplete one at the end (errno EINVAL).
    bool run(const char*& in, std::size_t& inLeft, std::string& out) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buf[256];
        while (inLeft > 0) {
            char* src = const_cast<char*>(in);
            char* dst = buf;
            std::size_t dstLeft = sizeof buf;
            std::size_t r = iconv(m_cd, &src, &inLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buf, static_cast<std::size_t>(dst - buf));
            in = src;
            if (r == static_cast<std::size_t>(-1) && err != E2BIG) {
                errno = err;
                return false;
            }
        }
        return true;
    }

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t m_cd;
};

Converter& gbkToUtf8Converter() {
    thread_local Converter cd("UTF-8", "GBK");
    return cd;
}

Converter& utf8ToGbkConverter() {
    thread_local Converter cd("GBK", "UTF-8");
    return cd;
}

constexpr const char kReplacementUtf8[] = "\xEF\xBF\xBD";

bool isGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

// Length of the well-formed UTF-8 sequence at p, or 0 when it is not one.
std::size_t utf8SequenceLength(const unsigned char* p, std::size_t left) {
    unsigned char c = p[0];
    std::size_t n;
    if (c < 0x80)
        return 1;
    else if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4;
    else
        return 0;
    if (n > left)
        return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    return n;
}

} // namespace

CString GbkToUtf8(const char* data, std::size_t len) {
    std::string out;
    if (!data || len == 0)
        return CString(std::move(out));
    out.reserve(len + len / 2);
    Converter& cd = gbkToUtf8Converter();
    if (!cd.ok()) { // no GBK module: keep ASCII, mark the rest
        for (std::size_t i = 0; i < len; ++i)
            if (static_cast<unsigned char>(data[i]) < 0x80)
                out += data[i];
            else
                out += kReplacementUtf8;
        return CString(std::move(out));
    }
    const char* in = data;
    std::size_t left = len;
    while (left > 0) {
        if (cd.run(in, left, out))
            break;
        // An invalid or cut-off lead byte: replace that byte and carry on after it.
        out += kReplacementUtf8;
        ++in;
        --left;
    }
    return CString(std::move(out));
}

CString GbkToUtf8(const std::string& gbk) {
    return GbkToUtf8(gbk.data(), gbk.size());
}

std::string Utf8ToGbk(const CString& utf8) {
    const std::string& s = utf8.str();
    std::string out;
    out.reserve(s.size());
    Converter& cd = utf8ToGbkConverter();
    const char* in = s.data();
    std::size_t left = s.size();
    if (!cd.ok()) {
        for (char c : s)
            out += static_cast<unsigned char>(c) < 0x80 ? c : '?';
        return out;
    }
    while (left > 0) {
        if (cd.run(in, left, out))
            break;
        // A character GBK cannot hold becomes the full-width question mark, so it still takes the
        // two bytes every non-ASCII character is counted with; a byte of invalid UTF-8 becomes '?'.
        std::size_t n = utf8SequenceLength(reinterpret_cast<const unsigned char*>(in), left);
        if (n > 1) {
            out += "\xA3\xBF";
        } else {
            n = 1;
            out += '?';
        }
        in += n;
        left -= n;
    }
    return out;
}

int GbkByteLength(const CString& utf8) {
    return static_cast<int>(Utf8ToGbk(utf8).size());
}

bool WriteGbkField(void* field, int width, const CString& text, FieldOverflow overflow, int capacity,
                   char pad) {
    if (!field || width <= 0)
        return false;
    if (capacity < 0)
        capacity = width - 1;
    else if (capacity > width)
        capacity = width;
    std::string gbk = Utf8ToGbk(text);
    bool fit = gbk.size() <= static_cast<std::size_t>(capacity);
    if (!fit) {
        if (overflow == FieldOverflow::Refuse)
            return false;
        // Cut at the last character boundary within capacity; Utf8ToGbk yields well-formed GBK,
        // so walking lead bytes finds the boundaries.
        std::size_t cut = 0;
        while (cut < gbk.size()) {
            std::size_t n = isGbkLead(static_cast<unsigned char>(gbk[cut])) && cut + 1 < gbk.size() ? 2 : 1;
            if (cut + n > static_cast<std::size_t>(capacity))
                break;
            cut += n;
        }
        gbk.resize(cut);
    }
    auto* dst = static_cast<char*>(field);
    std::memcpy(dst, gbk.data(), gbk.size());
    std::memset(dst + gbk.size(), static_cast<unsigned char>(pad),
                static_cast<std::size_t>(width) - gbk.size());
    return fit;
}

CString ReadGbkField(const void* field, int maxBytes) {
    if (!field || maxBytes <= 0)
        return CString();
    const auto* src = static_cast<const char*>(field);
    const void* nul = std::memchr(src, 0, static_cast<std::size_t>(maxBytes));
    std::size_t len = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - src)
                          : static_cast<std::size_t>(maxBytes);
    // A lead byte whose trail byte lies beyond the field was cut by the writer: leave it out.
    std::size_t i = 0;
    while (i < len)
        i += isGbkLead(static_cast<unsigned char>(src[i])) ? 2 : 1;
    if (i > len)
        --len;
    return GbkToUtf8(src, len);
}
