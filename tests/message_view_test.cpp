// The message view in its frame: layout, the line limit, painting, scrolling, keys.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "launcher_run.h"
#include "ui/setup_frame.h"

namespace {

std::string MessageOfLines(int count)
{
    std::string script = "[Message]\r\n";
    for (int i = 0; i < count; ++i) {
        script += "line" + std::to_string(i) + "\r\n";
    }
    return script;
}

// The view's scroll bar and scroll position after each queued input.
struct ScrollTrace {
    std::vector<int> positions;
};

void RecordScrollPos(ScrollTrace* trace)
{
    sim::QueueAction([trace] {
        trace->positions.push_back(sim::GetWindowInfo(ChildWindow(IDC_MESSAGE_VIEW)).scroll.nPos);
    });
}

TEST(MessageViewTest, ScrollBarAfterLayout)
{
    // With 26-pixel captions the view is created 263 pixels high inside its border:
    // 10 lines of 26.
    ResetWithScript(MessageOfLines(25));
    sim::SetFontMetrics(26, 7);
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    const sim::WindowInfo view = sim::GetWindowInfo(ChildWindow(IDC_MESSAGE_VIEW));
    EXPECT_EQ(view.scroll.nMin, 0);
    EXPECT_EQ(view.scroll.nMax, 25 * 26);
    EXPECT_EQ(view.scroll.nPage, 260u);
    EXPECT_EQ(view.scroll.nPos, 0);
    EXPECT_EQ(view.rect.Height(), 262);
}

TEST(MessageViewTest, KeysScrollByLineAndPage)
{
    ResetWithScript(MessageOfLines(25));
    sim::SetFontMetrics(26, 7);
    ScrollTrace trace;
    // The launcher activated again: the frame gets the focus and hands it to the view.
    sim::QueueAction([] { AfxGetApp()->m_pMainWnd->SetFocus(); });
    for (UINT key : {VK_NEXT, VK_NEXT, VK_NEXT, VK_DOWN, VK_UP, VK_PRIOR, VK_PRIOR, VK_UP, VK_HOME, VK_END}) {
        sim::QueueKey(key);
        RecordScrollPos(&trace);
    }
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    const int h = 26;
    EXPECT_EQ(trace.positions,
              (std::vector<int>{10 * h, 15 * h, 15 * h, 15 * h, 14 * h, 4 * h, 0, 0, 0, 0}));
    EXPECT_EQ(sim::ScrollLog(), (std::vector<std::string>{"Scroll -260", "Update", "Scroll -130", "Update", "Scroll 26",
                                                          "Update", "Scroll 260", "Update", "Scroll 104", "Update"}));
}

TEST(MessageViewTest, ThumbReleaseSnapsToWholeLines)
{
    ResetWithScript(MessageOfLines(100));
    ScrollTrace trace;
    sim::QueueScroll(IDC_MESSAGE_VIEW, SB_THUMBTRACK, 100);
    RecordScrollPos(&trace);
    sim::QueueScroll(IDC_MESSAGE_VIEW, SB_THUMBPOSITION, 37);
    RecordScrollPos(&trace);
    sim::QueueScroll(IDC_MESSAGE_VIEW, SB_TOP, 0);
    RecordScrollPos(&trace);
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    EXPECT_EQ(trace.positions, (std::vector<int>{0, 32, 32}));
}

TEST(MessageViewTest, ShortOrMissingMessageIgnoresLineAndPageRequests)
{
    for (const char* script : {"[Title]\r\nT\r\n", "[Message]\r\n", "[Message]\r\none\r\ntwo\r\n"}) {
        ResetWithScript(script);
        ScrollTrace trace;
        for (UINT key : {VK_DOWN, VK_NEXT, VK_UP, VK_PRIOR}) {
            sim::QueueKey(key);
            RecordScrollPos(&trace);
        }
        sim::QueueClick(IDC_CANCEL);
        RunLauncher();
        EXPECT_EQ(trace.positions, (std::vector<int>{0, 0, 0, 0})) << script;
        EXPECT_TRUE(sim::ScrollLog().empty()) << script;
    }
}

TEST(MessageViewTest, PaintsEveryVisibleRowAtTheMargin)
{
    ResetWithScript("[Message]\r\nalpha\r\nbeta\r\n");
    sim::SetFontMetrics(16, 7);
    std::vector<sim::DrawCall> calls;
    sim::QueueAction([&] { calls = sim::Paint(ChildWindow(IDC_MESSAGE_VIEW)); });
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].kind, sim::DrawCall::SetWindowOrg);
    EXPECT_EQ(calls[0].y, 0);
    EXPECT_EQ(calls[1].kind, sim::DrawCall::FillRect);
    EXPECT_EQ(calls[1].rect, (CRect{0, 0, 447, 272}));
    EXPECT_EQ(calls[1].color, sim::SysColor(COLOR_WINDOW));
    EXPECT_EQ(calls[2].color, sim::SysColor(COLOR_WINDOW));
    EXPECT_EQ(calls[3].mode, OPAQUE);
    EXPECT_EQ(calls[4].color, sim::SysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(calls[5].kind, sim::DrawCall::TextOut);
    EXPECT_EQ(calls[5].x, 20);
    EXPECT_EQ(calls[5].y, 0);
    EXPECT_EQ(calls[5].text.substr(0, 5), "alpha");
    EXPECT_EQ(calls[6].y, 16);
    EXPECT_EQ(calls[6].text.substr(0, 4), "beta");
}

// A screen reader hears the lines as shown: nothing before the first, an empty line
// empty, no blanks that fill a line.
TEST(MessageViewTest, AccessibleTextIsTheLinesAsShown)
{
    ResetWithScript("[Title]\r\nAtlas\r\n[Message]\r\nalpha\r\n\r\nbeta\r\n");
    AccessibleText text;
    sim::QueueAction([&] { AfxWndFromHandle(ChildWindow(IDC_MESSAGE_VIEW))->GetAccessibleText(&text); });
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    EXPECT_EQ(text.name, "Atlas");
    EXPECT_EQ(text.value, "alpha\r\n\r\nbeta");
}

TEST(MessageViewTest, PaintAfterScrollingUsesTextCoordinates)
{
    ResetWithScript(MessageOfLines(40));
    std::vector<sim::DrawCall> calls;
    sim::QueueKey(VK_DOWN, 3);
    sim::QueueAction([&] { calls = sim::Paint(ChildWindow(IDC_MESSAGE_VIEW)); });
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(calls[0].y, 48);
    EXPECT_EQ(calls[1].rect.top, 48);
    EXPECT_EQ(calls[5].y, 48);
    EXPECT_EQ(calls[5].text.substr(0, 5), "line3");
    EXPECT_EQ(calls.size(), 5u + 17u);
}

// A display line ends where the text's rules allow: in ANSI text at blanks only, in
// Unicode text also after an ideograph, and never after a joiner inside an emoji.
TEST(MessageViewTest, LinesBreakWhereTheTextsRulesAllow)
{
    std::string ideographs, couples;
    for (int i = 0; i < 40; ++i) {
        ideographs += i < 18 ? "\xE6\xBC\xA2" : "";
        couples += "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9";  // man, joiner, woman
    }
    const std::pair<std::string, std::string> cases[] = {
        {std::string(50, 'a') + " well-known", "well-known"},
        {"\xEF\xBB\xBF" + ideographs + "abcdefghij", "abcdefghij"},
        {"\xEF\xBB\xBF" + couples, "\xF0\x9F\x91\xA8"}};
    for (const auto& [message, secondLine] : cases) {
        const bool bUtf8 = message[0] == '\xEF';
        ResetWithScript(message.substr(0, bUtf8 ? 3 : 0) + "[Message]\r\n" + message.substr(bUtf8 ? 3 : 0) + "\r\n");
        sim::SetCharWidth([](unsigned char b) { return b < 0x80 ? 7 : b == 0xE6 ? 22 : b == 0xF0 ? 24 : 0; });
        std::vector<sim::DrawCall> calls;
        sim::QueueAction([&] { calls = sim::Paint(ChildWindow(IDC_MESSAGE_VIEW)); });
        sim::QueueClick(IDC_CANCEL);
        RunLauncher();
        ASSERT_GE(calls.size(), 7u);
        EXPECT_EQ(calls[6].text.substr(0, secondLine.size()), secondLine) << message;
    }
}

// 300 Japanese characters without a space, each 14 pixels wide, in a fit limit of
// 420 pixels: in UTF-8 (with or without the system's break finder) 29 a line; in a
// double-byte code page one whole character a line after a line of spaces, until
// the last 29 fit.
TEST(MessageViewTest, JapaneseParagraphKeepsWholeCharacters)
{
    struct {
        std::string character;
        bool bUtf8;
        bool bBreakFinder;
        int nLines;
    } const cases[] = {
        {"\xE3\x81\x82", true, true, 11},
        {"\xE3\x81\x82", true, false, 11},
        {"\x88\x9F", false, true, 1 + 271 + 1},
    };
    for (const auto& c : cases) {
        std::string paragraph;
        for (int i = 0; i < 300; ++i) {
            paragraph += c.character;
        }
        ResetWithScript(std::string(c.bUtf8 ? "\xEF\xBB\xBF" : "") + "[Message]\r\n" + paragraph + "\r\n");
        sim::SetDoubleByteCodePage(!c.bUtf8);
        sim::SetBreakFinder(c.bBreakFinder);
        sim::SetCharWidth([](unsigned char b) { return b == 0xE3 || b == 0x88 ? 14 : (b & 0xC0) == 0x80 ? 0 : 7; });
        std::vector<sim::DrawCall> calls;
        sim::QueueAction([&] { calls = sim::Paint(ChildWindow(IDC_MESSAGE_VIEW)); });
        sim::QueueClick(IDC_CANCEL);
        RunLauncher();
        EXPECT_EQ(sim::GetWindowInfo(ChildWindow(IDC_MESSAGE_VIEW)).scroll.nMax, c.nLines * 16) << c.character;
        ASSERT_GE(calls.size(), 7u);
        const std::string expected = c.bUtf8 ? paragraph.substr(29 * 3, 29 * 3) : c.character + " ";
        EXPECT_EQ(calls[6].text.substr(0, expected.size()), expected);
    }
}

TEST(MessageViewTest, LineLimitIsShownOnceBeforeTheWindow)
{
    // At 60 pixels a character, about three one-letter words fit on a display line,
    // so ten script lines of 1497 characters need far more than 1500 display lines.
    std::string line;
    while (line.size() < 1497) {
        line += line.size() % 2 == 0 ? 'a' : ' ';
    }
    std::string script = "[Message]\r\n";
    for (int i = 0; i < 10; ++i) {
        script += line + "\r\n";
    }
    ResetWithScript(script);
    sim::SetFontMetrics(16, 7);
    sim::SetCharWidth([](unsigned char) { return 60; });
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(sim::MessageBoxes()[0].text, "Maximum number of view lines exceeded");
    EXPECT_EQ(sim::MessageBoxes()[0].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(sim::GetWindowInfo(ChildWindow(IDC_MESSAGE_VIEW)).scroll.nMax, 1500 * 16);
    EXPECT_EQ(sim::Events().front().compare(0, 7, "Create "), 0);
    bool boxBeforeShow = false;
    for (const std::string& e : sim::Events()) {
        if (e.compare(0, 5, "Show ") == 0) {
            break;
        }
        boxBeforeShow = boxBeforeShow || e == "MessageBox Maximum number of view lines exceeded";
    }
    EXPECT_TRUE(boxBeforeShow);
}

TEST(MessageViewTest, ClosingFreesTheMessage)
{
    ResetWithScript("[Message]\r\nhello\r\n");
    bool hadText = false;
    sim::QueueAction([&] { hadText = theScript.m_pszMessage != nullptr; });
    sim::QueueClick(IDC_OK);
    RunLauncher();
    EXPECT_TRUE(hadText);
    EXPECT_EQ(theScript.m_pszMessage, nullptr);
    EXPECT_FALSE(sim::GetWindowInfo(ChildWindow(IDC_MESSAGE_VIEW)).exists);
}

}  // namespace
