// The hyperlink label: hover look, repaint on every move while hovered, and what a click opens.
#include "ControlFixture.h"

#include "controls/HyLink.h"
#include "platform/ui/ShellApi.h"
#include "platform/ui/Static.h"

using namespace ctltest;

namespace {

constexpr COLORREF kPage = RGB(27, 30, 36);

class RecordingLink : public CHyLink {
public:
    int paints = 0;

protected:
    void OnPaint() override {
        ++paints;
        CHyLink::OnPaint();
    }
};

TEST(HyLinkTest, HoverRepaintsOnEveryMoveAndClickOpensItsText) {
    RecordingParent parent(kPage, 260, 60);
    RecordingLink link;
    parent.Attach<CStatic>(link, 1500, CRect(10, 10, 250, 30), SS_NOTIFY | SS_CENTERIMAGE, "www.example.com");
    Pump();
    MoveTo(link, CPoint(5, 5));
    EXPECT_TRUE(link.IsHovered());
    const QImage hovered = Render(parent, "controls-label-hylink-hover");
    EXPECT_GT(CountNear(hovered, CRect(10, 10, 250, 30), RGB(255, 0, 0)), 5);
    const int before = link.paints;
    MoveTo(link, CPoint(6, 5));
    MoveTo(link, CPoint(7, 5));
    EXPECT_GE(link.paints - before, 2);
    MoveTo(link, CPoint(300, 5)); // outside: hover ends
    EXPECT_FALSE(link.IsHovered());
    const QImage normal = Render(parent, "controls-label-hylink-normal");
    EXPECT_EQ(CountNear(normal, CRect(10, 10, 250, 30), RGB(255, 0, 0), 40), 0);
    EXPECT_EQ(Pixel(normal, 11, 11), RGB(229, 229, 229));

    std::vector<std::string> opened;
    SetShellExecuteHook([&](const std::string& target) {
        opened.push_back(target);
        return true;
    });
    Click(link, CPoint(20, 5));
    SetShellExecuteHook(nullptr);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "www.example.com");
}

TEST(HyLinkTest, OnlyWebAddressesAreOpened) {
    EXPECT_TRUE(CHyLink::IsWebAddress("http://example.com/a"));
    EXPECT_TRUE(CHyLink::IsWebAddress("HTTPS://example.com"));
    EXPECT_TRUE(CHyLink::IsWebAddress("www.example.com"));
    EXPECT_FALSE(CHyLink::IsWebAddress("/usr/bin/rm"));
    EXPECT_FALSE(CHyLink::IsWebAddress("file:///etc/passwd"));
    EXPECT_FALSE(CHyLink::IsWebAddress("www.example.com; rm -rf"));
    EXPECT_FALSE(CHyLink::IsWebAddress(""));
}

TEST(HyLinkTest, ClickOnAnythingButAnAddressOpensNothing) {
    RecordingParent parent(kPage, 260, 60);
    CHyLink link;
    parent.Attach<CStatic>(link, 1500, CRect(10, 10, 250, 30), SS_NOTIFY, "rm -rf /tmp/x");
    int opened = 0;
    SetShellExecuteHook([&](const std::string&) {
        ++opened;
        return true;
    });
    Click(link, CPoint(20, 5));
    SetShellExecuteHook(nullptr);
    EXPECT_EQ(opened, 0);
}

} // namespace
