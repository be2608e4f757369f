#include "pages/level/DelayPositions.h"

#include "pages/output/DelayLevelHelper.h"

namespace {

constexpr int kCodes = 27;

// Button and image of each code; the field comes from the shared field table.
struct Place {
    int button;
    UINT image;
};
constexpr Place kPlaces[kCodes] = {
    {0, 0},       {6040, 7100}, {6041, 7103}, {6042, 7106}, {6043, 7103}, {6044, 7103}, {6045, 7103},
    {6046, 7110}, {6047, 7113}, {6048, 7116}, {6049, 7113}, {6050, 7113}, {6051, 7113}, {6055, 7100},
    {6056, 7106}, {6057, 7106}, {6058, 7110}, {6059, 7116}, {6060, 7116}, {6052, 7120}, {6053, 7123},
    {6054, 7123}, {6061, 585},  {6062, 588},  {6063, 582},  {0, 0},       {0, 0},
};

std::array<CDelayPositions::Position, kCodes> BuildPositions() {
    std::array<CDelayPositions::Position, kCodes> a{};
    for (int code = 0; code < kCodes; ++code)
        if (kPlaces[code].button)
            a[static_cast<size_t>(code)] = {CDelayLevelHelper::LevelDelayFieldOf(code), kPlaces[code].button,
                                            kPlaces[code].image};
    return a;
}

const std::array<CDelayPositions::Position, kCodes>& Positions() {
    static const std::array<CDelayPositions::Position, kCodes> positions = BuildPositions();
    return positions;
}

const CDelayPositions::Position kNone{};

// First image of each toggle 6800..6811, three looks up then three down.
constexpr UINT kToggleFirst[12] = {7340, 7400, 7390, 7410, 7350, 7430, 7420, 7440, 7360, 7370, 7330, 7380};

} // namespace

const CDelayPositions::Position& CDelayPositions::Of(int code) {
    return code >= 0 && code < kCodes ? Positions()[static_cast<size_t>(code)] : kNone;
}

UINT CDelayPositions::ToggleImage(int t, BOOL selected) {
    if (t < 0 || t >= 12)
        return 0;
    return kToggleFirst[t] + (selected ? 3 : 0);
}

const CDelayPositions::Position& CDelayPositions::Bind(int n, int code) {
    if (n < 0 || n >= kOutputs)
        return kNone;
    const Position& p = Of(code);
    m_bind[static_cast<size_t>(n)] = p.button ? p : Position{};
    return m_bind[static_cast<size_t>(n)];
}

void CDelayPositions::Unbind(int n) {
    if (n >= 0 && n < kOutputs)
        m_bind[static_cast<size_t>(n)] = Position{};
}

void CDelayPositions::Clear() {
    m_bind.fill(Position{});
}

const CDelayPositions::Position& CDelayPositions::Binding(int n) const {
    return n >= 0 && n < kOutputs ? m_bind[static_cast<size_t>(n)] : kNone;
}

int CDelayPositions::OutputsOfButton(int button, int (&out)[kOutputs]) const {
    int count = 0;
    if (button == 0)
        return 0;
    for (int n = 0; n < kOutputs; ++n)
        if (m_bind[static_cast<size_t>(n)].button == button)
            out[count++] = n;
    return count;
}
