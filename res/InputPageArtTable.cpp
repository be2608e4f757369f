// The generated art of the input page (dialog 382), its selector bar (dialog 653) and the
// bass-boost panel (dialog 886). Buttons use SkinPainter's roles; the page background, the bar's
// connector plate and its connectors are SVG documents made here once at start-up.
#include "res/ResourceTable.h"
#include "res/ResourceTables.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace res {

namespace {

constexpr DWORD kAmber = 0x0000A5FF;    // bypass
constexpr DWORD kGreen = 0x0084DC3D;    // switch on
constexpr DWORD kHoldGrey = 0x00707070; // the current input while the device holds it

// The view's input-type buttons share the images of inputs 1..3 (built in).
constexpr const char* kInputEn[6] = {"S/PDIF", "Hi_Level", "Phone", "AUX", "AUX2", "AUX3"};
constexpr const char* kInputZh[6] = {"光纤", "高电平", "蓝牙", "AUX", "AUX2", "AUX3"};

// Input buttons 3960+n: English 8100/8110/8120 (+n) normal, hover, pressed and checked, 8210 the
// held look; Chinese 8130/8140/8150 and 8200.
constexpr std::array<ArtSpec, 48> MakeInputButtonArt() {
    std::array<ArtSpec, 48> a{};
    int i = 0;
    for (unsigned n = 0; n < 6; ++n) {
        a[i++] = {8100 + n, false, 75, 25, "bar-button", 0, kInputEn[n], 0};
        a[i++] = {8110 + n, false, 75, 25, "bar-button", 1, kInputEn[n], 0};
        a[i++] = {8120 + n, false, 75, 25, "bar-button", 3, kInputEn[n], 0};
        a[i++] = {8210 + n, false, 75, 25, "bar-button", 3, kInputEn[n], kHoldGrey};
        a[i++] = {8130 + n, false, 75, 25, "bar-button", 0, kInputZh[n], 0};
        a[i++] = {8140 + n, false, 75, 25, "bar-button", 1, kInputZh[n], 0};
        a[i++] = {8150 + n, false, 75, 25, "bar-button", 3, kInputZh[n], 0};
        a[i++] = {8200 + n, false, 75, 25, "bar-button", 3, kInputZh[n], kHoldGrey};
    }
    return a;
}

constexpr ArtSpec kFixedArt[] = {
    // Mixer source button 3967 before its first update (the source pictures come with the mixer).
    {722, false, 104, 24, "panel-button", 0, "—", 0},
    {723, false, 104, 24, "panel-button", 1, "—", 0},
    // AUX modes 3956..3958: normal, hover, pressed (also the checked looks). English 679.., Chinese
    // 4420..
    {679, false, 52, 24, "panel-button", 0, "2 CH", 0},
    {680, false, 52, 24, "panel-button", 1, "2 CH", 0},
    {681, false, 52, 24, "panel-button", 3, "2 CH", 0},
    {682, false, 52, 24, "panel-button", 0, "4CH 2CH", 0},
    {683, false, 52, 24, "panel-button", 1, "4CH 2CH", 0},
    {684, false, 52, 24, "panel-button", 3, "4CH 2CH", 0},
    {685, false, 52, 24, "panel-button", 0, "6 CH", 0},
    {686, false, 52, 24, "panel-button", 1, "6 CH", 0},
    {687, false, 52, 24, "panel-button", 3, "6 CH", 0},
    {4420, false, 52, 24, "panel-button", 0, "2 CH", 0},
    {4421, false, 52, 24, "panel-button", 1, "2 CH", 0},
    {4422, false, 52, 24, "panel-button", 3, "2 CH", 0},
    {4423, false, 52, 24, "panel-button", 0, "4CH 2CH", 0},
    {4424, false, 52, 24, "panel-button", 1, "4CH 2CH", 0},
    {4425, false, 52, 24, "panel-button", 3, "4CH 2CH", 0},
    {4426, false, 52, 24, "panel-button", 0, "6 CH", 0},
    {4427, false, 52, 24, "panel-button", 1, "6 CH", 0},
    {4428, false, 52, 24, "panel-button", 3, "6 CH", 0},
    // Hi.Level modes 3980/3981: English 3150.., Chinese 3140..
    {3150, false, 77, 24, "panel-button", 0, "1-Way", 0},
    {3151, false, 77, 24, "panel-button", 1, "1-Way", 0},
    {3152, false, 77, 24, "panel-button", 3, "1-Way", 0},
    {3153, false, 77, 24, "panel-button", 0, "2-Way", 0},
    {3154, false, 77, 24, "panel-button", 1, "2-Way", 0},
    {3155, false, 77, 24, "panel-button", 3, "2-Way", 0},
    {3140, false, 77, 24, "panel-button", 0, "单路", 0},
    {3141, false, 77, 24, "panel-button", 1, "单路", 0},
    {3142, false, 77, 24, "panel-button", 3, "单路", 0},
    {3143, false, 77, 24, "panel-button", 0, "双路", 0},
    {3144, false, 77, 24, "panel-button", 1, "双路", 0},
    {3145, false, 77, 24, "panel-button", 3, "双路", 0},
    // Disabled looks of the EQ commands while the device holds the input: bypass-all (Chinese
    // 7010/7011, English 7020/7021), reset-all (7012/7013, 7022/7023), PEQ/GEQ (753/755, 749/751).
    {7010, false, 42, 20, "panel-button", 6, "直通", kAmber},
    {7011, false, 42, 20, "panel-button", 7, "直通", kAmber},
    {7020, false, 42, 20, "panel-button", 6, "Bypass", kAmber},
    {7021, false, 42, 20, "panel-button", 7, "Bypass", kAmber},
    {7012, false, 42, 20, "panel-button", 6, "重置", 0},
    {7013, false, 42, 20, "panel-button", 7, "重置", 0},
    {7022, false, 42, 20, "panel-button", 6, "Reset", 0},
    {7023, false, 42, 20, "panel-button", 7, "Reset", 0},
    {753, false, 42, 20, "panel-button", 6, "参量", 0},
    {755, false, 42, 20, "panel-button", 7, "图示", 0},
    {749, false, 42, 20, "panel-button", 6, "PEQ", 0},
    {751, false, 42, 20, "panel-button", 7, "GEQ", 0},
    // Band sliders 3850+n: GEQ tracks 620 (621 column 0, 622 column 14), PEQ tracks 623 (624, 625);
    // thumbs 626, active 627, disabled 628.
    {620, false, 60, 112, "eq-track", 3, nullptr, 0},
    {621, false, 30, 112, "eq-track", 3, "first", 0},
    {622, false, 60, 112, "eq-track", 3, nullptr, 0},
    {623, false, 60, 112, "eq-track", 0, nullptr, 0},
    {624, false, 30, 112, "eq-track", 0, "first", 0},
    {625, false, 60, 112, "eq-track", 0, nullptr, 0},
    {626, false, 30, 12, "thumb-v", 0, nullptr, 0},
    {627, false, 30, 12, "thumb-v", 0, nullptr, kAmber},
    {628, false, 30, 12, "thumb-v", 6, nullptr, 0},
    // Bass-boost panel 886: switch OFF 889 and ON 890, Chinese 9990 and 9991 (the backgrounds are
    // SVG below).
    {889, false, 100, 40, "power", 0, "OFF", kGreen},
    {890, false, 100, 40, "power", 3, "ON", kGreen},
    {9990, false, 100, 40, "power", 0, "关", kGreen},
    {9991, false, 100, 40, "power", 3, "开", kGreen},
};

constexpr auto kInputButtonArt = MakeInputButtonArt();

constexpr std::size_t kArtRows = std::size(kFixedArt) + kInputButtonArt.size();
constexpr std::array<ArtSpec, kArtRows> JoinArt() {
    std::array<ArtSpec, kArtRows> a{};
    std::size_t i = 0;
    for (const ArtSpec& r : kFixedArt)
        a[i++] = r;
    for (const ArtSpec& r : kInputButtonArt)
        a[i++] = r;
    return a;
}
constexpr auto kJoinedArt = JoinArt();

// ---- SVG art -------------------------------------------------------------------------------------

constexpr const char* kFont = "font-family=\"Liberation Sans, Noto Sans CJK SC\"";

std::string Format(const char* fmt, auto... args) {
    char buf[1024];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

// A flat panel with its caption in the top band, as the output page draws them.
std::string Panel(int x, int y, int w, int h, const char* caption) {
    std::string s = Format("<rect x=\"%d.5\" y=\"%d.5\" width=\"%d\" height=\"%d\" fill=\"#22262d\" "
                           "stroke=\"#343a44\"/>",
                           x, y, w - 1, h - 1);
    s += Format("<line x1=\"%d\" y1=\"%d.5\" x2=\"%d\" y2=\"%d.5\" stroke=\"#414955\"/>", x + 1, y, x + w - 1,
                y);
    if (caption && *caption) {
        s += Format("<rect x=\"%d\" y=\"%d\" width=\"3\" height=\"10\" fill=\"#19b5fe\"/>", x + 6, y + 4);
        s += Format("<text x=\"%d\" y=\"%d\" %s font-size=\"11\" font-weight=\"bold\" fill=\"#9aa3b2\" "
                    "letter-spacing=\"0.6\">%s</text>",
                    x + 14, y + 13, kFont, caption);
    }
    return s;
}

std::string Label(int x, int y, const char* text, const char* anchor = "start") {
    return Format("<text x=\"%d\" y=\"%d\" %s font-size=\"10\" font-weight=\"bold\" fill=\"#7f8796\" "
                  "text-anchor=\"%s\">%s</text>",
                  x, y, kFont, anchor, text);
}

// Captions: input, AUX mode, Hi.Level mode, mixer source, the EQ commands, the bypass row.
struct PageTexts {
    const char* input;
    const char* aux;
    const char* hiLevel;
    const char* source;
    const char* eq;
    const char* bypass;
};

std::string PageBackground(const PageTexts& t) {
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1280\" height=\"656\">";
    s += "<rect width=\"1280\" height=\"656\" fill=\"#1b1e24\"/>";
    s += "<defs><linearGradient id=\"f\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" "
         "stop-color=\"#1b1e24\"/><stop offset=\"1\" stop-color=\"#17191e\"/></linearGradient></defs>";
    s += "<rect y=\"450\" width=\"1280\" height=\"206\" fill=\"url(#f)\"/>";
    s += Panel(12, 8, 182, 300, t.input);
    s += Label(24, 158, t.aux);
    s += Label(24, 214, t.hiLevel);
    s += Label(24, 270, t.source);
    s += Panel(230, 6, 1038, 216, nullptr);
    s += Panel(200, 224, 1068, 226, nullptr);
    s += Panel(200, 224, 36, 226, nullptr);
    s += Label(218, 431, t.bypass, "middle");
    s += Panel(1192, 230, 70, 130, t.eq);
    s += "</svg>";
    return s;
}

// One connector of the bar: a plate with `jacks` round jacks (kind 'r' RCA pairs, 'o' optical,
// 'h' a multi-pin block, 'p' a phone link), its label under them, lit when checked.
std::string Connector(int w, int h, char kind, int jacks, const char* label, int state) {
    const bool hover = state == 1 || state == 4;
    const bool checked = state >= 2;
    const char* edge = checked ? "#19b5fe" : hover ? "#6b7a90" : "#3a404b";
    std::string s = Format("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\">", w, h);
    s += Format("<rect x=\"2.5\" y=\"2.5\" width=\"%d\" height=\"%d\" rx=\"8\" fill=\"%s\" stroke=\"%s\" "
                "stroke-width=\"%d\"/>",
                w - 5, h - 5,
                checked ? "#16324a"
                : hover ? "#2c323c"
                        : "#252a32",
                edge, checked ? 2 : 1);
    const int top = 14, size = 44;
    if (kind == 'o') {
        s += Format("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" rx=\"4\" fill=\"#0c0e11\" "
                    "stroke=\"#6b7280\"/>",
                    w / 2 - 16, top + 6, 32, 32);
        s += Format("<rect x=\"%d\" y=\"%d\" width=\"14\" height=\"10\" fill=\"%s\"/>", w / 2 - 7, top + 17,
                    checked ? "#ff4040" : "#3a1414");
    } else if (kind == 'h') {
        s += Format("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"28\" rx=\"3\" fill=\"#0c0e11\" "
                    "stroke=\"#6b7280\"/>",
                    w / 2 - 30, top + 8, 60);
        for (int i = 0; i < 8; ++i)
            s += Format("<rect x=\"%d\" y=\"%d\" width=\"4\" height=\"8\" fill=\"%s\"/>", w / 2 - 26 + i * 7,
                        top + 18, checked ? "#ffd27a" : "#9aa3b2");
    } else if (kind == 'p') {
        s += Format(
            "<circle cx=\"%d\" cy=\"%d\" r=\"18\" fill=\"#0c0e11\" stroke=\"#6b7280\" stroke-width=\"2\"/>",
            w / 2, top + size / 2);
        s += Format("<path d=\"M%d %d l10 8 -10 8 v-16 l10 8 -10 8\" fill=\"none\" stroke=\"%s\" "
                    "stroke-width=\"2.5\" stroke-linejoin=\"round\" transform=\"translate(-5,-8)\"/>",
                    w / 2, top + size / 2, checked ? "#19b5fe" : "#9aa3b2");
    } else {
        // RCA pairs: white and red rings across the plate.
        const int pitch = (w - 16) / jacks;
        for (int i = 0; i < jacks; ++i) {
            const int cx = 8 + pitch * i + pitch / 2;
            const char* ring = i % 2 == 0 ? "#d8dce4" : "#e5484d";
            s += Format(
                "<circle cx=\"%d\" cy=\"%d\" r=\"15\" fill=\"#0c0e11\" stroke=\"%s\" stroke-width=\"4\"/>",
                cx, top + size / 2, ring);
            s += Format("<circle cx=\"%d\" cy=\"%d\" r=\"4\" fill=\"%s\"/>", cx, top + size / 2,
                        checked ? "#ffd27a" : "#8a8f99");
        }
    }
    s += Format("<text x=\"%d\" y=\"%d\" %s font-size=\"13\" font-weight=\"bold\" fill=\"%s\" "
                "text-anchor=\"middle\">%s</text>",
                w / 2, h - 14, kFont, checked ? "#e6e9ef" : "#9aa3b2", label);
    s += "</svg>";
    return s;
}

// The bar's plate: a brushed panel with screws and the group captions.
std::string BarBackground() {
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"840\" height=\"176\">";
    s += "<defs><linearGradient id=\"m\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" "
         "stop-color=\"#2e333c\"/><stop offset=\"1\" stop-color=\"#1e2127\"/></linearGradient></defs>";
    s += "<rect x=\"1\" y=\"1\" width=\"838\" height=\"174\" rx=\"10\" fill=\"url(#m)\" stroke=\"#4a5260\"/>";
    for (int x : {14, 826})
        for (int y : {14, 162})
            s += Format("<circle cx=\"%d\" cy=\"%d\" r=\"4\" fill=\"#15171b\" stroke=\"#6b7280\"/>", x, y);
    s += "<rect x=\"30\" y=\"26\" width=\"348\" height=\"2\" fill=\"#19b5fe\" opacity=\"0.6\"/>";
    s += "<rect x=\"410\" y=\"26\" width=\"348\" height=\"2\" fill=\"#19b5fe\" opacity=\"0.6\"/>";
    s += Format("<text x=\"30\" y=\"20\" %s font-size=\"11\" font-weight=\"bold\" fill=\"#9aa3b2\" "
                "letter-spacing=\"0.6\">INPUT</text>",
                kFont);
    s += Format("<text x=\"410\" y=\"20\" %s font-size=\"11\" font-weight=\"bold\" fill=\"#9aa3b2\" "
                "letter-spacing=\"0.6\">AUX</text>",
                kFont);
    s += "</svg>";
    return s;
}

// The bass-boost panel's background: the title in the top band and the setting's sign above the
// switch (a speaker with its waves, or a gate over a noise floor).
std::string NoiseBackground(const char* title, bool noise) {
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"320\" height=\"170\">";
    s += "<defs><linearGradient id=\"b\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" "
         "stop-color=\"#22262d\"/><stop offset=\"1\" stop-color=\"#1b1e24\"/></linearGradient></defs>";
    s += "<rect width=\"320\" height=\"170\" fill=\"url(#b)\"/>";
    s += "<rect x=\"0.5\" y=\"0.5\" width=\"319\" height=\"169\" fill=\"none\" stroke=\"#343a44\"/>";
    s += "<rect x=\"0\" y=\"0\" width=\"320\" height=\"28\" fill=\"#252a32\"/>";
    s += "<rect x=\"0\" y=\"28\" width=\"320\" height=\"1\" fill=\"#0c0e11\"/>";
    s += "<rect x=\"12\" y=\"9\" width=\"3\" height=\"11\" fill=\"#19b5fe\"/>";
    s += Format("<text x=\"22\" y=\"19\" %s font-size=\"12\" font-weight=\"bold\" fill=\"#e6e9ef\" "
                "letter-spacing=\"0.6\">%s</text>",
                kFont, title);
    if (noise) {
        s += "<path d=\"M120 80 l8 -3 l6 4 l6 -5 l6 3 l6 -4 l6 5 l6 -3 l6 4 l6 -4 l6 3 l6 -2 l6 3 l6 -4 l6 "
             "2\" "
             "fill=\"none\" stroke=\"#6b7280\" stroke-width=\"1.5\"/>";
        s += "<line x1=\"116\" y1=\"62\" x2=\"206\" y2=\"62\" stroke=\"#19b5fe\" stroke-width=\"2\" "
             "stroke-dasharray=\"6 4\"/>";
        s += "<path d=\"M116 40 v44 M206 40 v44\" stroke=\"#3a404b\" stroke-width=\"1\"/>";
    } else {
        s += "<path d=\"M136 52 h10 l14 -12 v44 l-14 -12 h-10 z\" fill=\"#3a404b\" stroke=\"#9aa3b2\" "
             "stroke-width=\"1.5\" stroke-linejoin=\"round\"/>";
        for (int i = 0; i < 3; ++i)
            s += Format("<path d=\"M%d 48 q%d 14 0 28\" fill=\"none\" stroke=\"#19b5fe\" stroke-width=\"2\" "
                        "stroke-linecap=\"round\" opacity=\"%.2f\"/>",
                        168 + 8 * i, 6 + 3 * i, 1.0 - 0.25 * i);
    }
    s += "</svg>";
    return s;
}

struct ConnectorArt {
    unsigned first; // normal; +1 hover, +2 pressed and checked
    unsigned firstZh;
    int width;
    char kind;
    int jacks;
    const char* en;
    const char* zh;
};

constexpr ConnectorArt kConnectors[] = {
    {673, 4448, 96, 'o', 1, "S/PDIF", "光纤"},        // 2705
    {676, 4451, 96, 'h', 1, "Hi.Level", "高电平"},    // 2704
    {688, 4454, 96, 'p', 1, "Phone", "蓝牙"},         // 2715
    {655, 4430, 96, 'r', 2, "AUX1", "AUX1"},          // 2706
    {658, 4433, 96, 'r', 2, "AUX2", "AUX2"},          // 2707
    {661, 4436, 96, 'r', 2, "AUX3", "AUX3"},          // 2708
    {667, 4439, 212, 'r', 4, "AUX1 4CH", "AUX1 4CH"}, // 2710
    {700, 4442, 96, 'r', 2, "AUX2", "AUX2"},          // 2711
    {703, 0, 96, 'r', 2, "AUX3", nullptr},            // 2712
    {670, 4445, 328, 'r', 6, "AUX1 6CH", "AUX1 6CH"}, // 2713
    {710, 0, 96, 'r', 2, "AUX2", nullptr},            // 2714
};

struct SvgTables {
    std::vector<std::string> docs;
    std::vector<SvgSpec> rows;
    SvgTables() {
        docs.reserve(80);
        rows.reserve(80);
        auto add = [this](UINT id, bool png, int w, int h, std::string doc) {
            docs.push_back(std::move(doc));
            rows.push_back({id, png, w, h, nullptr});
        };
        add(383, false, 1280, 656,
            PageBackground({"INPUT", "AUX MODE", "HI.LEVEL", "MIXER SOURCE", "EQ", "BYP"}));
        add(389, false, 1280, 656, PageBackground({"输入", "AUX 模式", "高电平", "混音源", "均衡", "直通"}));
        add(654, true, 840, 176, BarBackground());
        add(893, false, 320, 170, NoiseBackground("低音增强", false));
        add(894, false, 320, 170, NoiseBackground("BASS BOOST", false));
        add(887, false, 320, 170, NoiseBackground("噪声门限", true));
        add(888, false, 320, 170, NoiseBackground("NOISE THRESHOLD", true));
        for (const ConnectorArt& c : kConnectors)
            for (int look = 0; look < 3; ++look) {
                add(c.first + look, true, c.width, 96, Connector(c.width, 96, c.kind, c.jacks, c.en, look));
                if (c.firstZh)
                    add(c.firstZh + look, true, c.width, 96,
                        Connector(c.width, 96, c.kind, c.jacks, c.zh, look));
            }
        // The strings are final now: point the rows at them.
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i].path = docs[i].c_str();
        RegisterSvg(rows);
    }
};

const SvgTables kSvgTables;

} // namespace

const ArtSpec* const kInputPageArt = kJoinedArt.data();
const std::size_t kInputPageArtCount = kJoinedArt.size();

} // namespace res
