// Whole program runs: the three outcomes of start-up, the frame and its two actions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "launcher_run.h"
#include "afx/center_window.h"
#include "script/medium_seal.h"
#include "ui/setup_frame.h"

namespace {

const char kScript[] =
    "[Title]\r\nTallowmere Atlas\r\n"
    "[Message]\r\nWelcome.\r\n"
    "[Ok]\r\nInstall\r\n"
    "[Cancel]\r\nLater\r\n"
    "[Run]\r\ninstall.exe /quiet\r\n";

bool HasEvent(const std::string& event)
{
    for (const std::string& e : sim::Events()) {
        if (e == event) {
            return true;
        }
    }
    return false;
}

int CountEvents(const std::string& prefix)
{
    int n = 0;
    for (const std::string& e : sim::Events()) {
        n += e.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    }
    return n;
}

TEST(StartupTest, ScriptErrorEndsBeforeAnyWindow)
{
    ResetWithScript("[Title]\r\nA\r\nstray line\r\n");
    EXPECT_EQ(RunLauncher(), 0);
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(sim::MessageBoxes()[0].text, "Error: stray line");
    EXPECT_EQ(sim::MessageBoxes()[0].caption, "SETUP");
    EXPECT_EQ(sim::MessageBoxes()[0].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(sim::MessageBoxes()[0].owner, nullptr);
    EXPECT_TRUE(sim::AllWindows().empty());
}

TEST(StartupTest, SingleLineHeaderAtEndFailsSilently)
{
    ResetWithScript("[Title]\r\n");
    EXPECT_EQ(RunLauncher(), 0);
    EXPECT_TRUE(sim::MessageBoxes().empty());
    EXPECT_TRUE(sim::AllWindows().empty());
}

TEST(StartupTest, MissingScriptShowsDefaultsAfterTheMessage)
{
    sim::Reset();
    sim::SetModuleFileName("D:\\SETUP.EXE");
    sim::WindowInfo frame;
    std::string okText, cancelText;
    sim::QueueAction([&] {
        frame = sim::GetWindowInfo(FrameWindow());
        okText = sim::GetWindowInfo(ChildWindow(IDC_OK)).text;
        cancelText = sim::GetWindowInfo(ChildWindow(IDC_CANCEL)).text;
    });
    sim::QueueClick(IDC_OK);
    EXPECT_EQ(RunLauncher(), 0);
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(sim::MessageBoxes()[0].text, "Can't open setup.ini");
    EXPECT_EQ(sim::MessageBoxes()[0].caption, "SETUP");
    EXPECT_TRUE(frame.visible);
    EXPECT_EQ(frame.text, "");
    EXPECT_EQ(okText, "Ok");
    EXPECT_EQ(cancelText, "Cancel");
    EXPECT_TRUE(sim::StartedCommands().empty());
    EXPECT_FALSE(sim::LoopStalled());
    EXPECT_TRUE(HasEvent("Quit 0"));
}

TEST(StartupTest, FrameWindowProperties)
{
    ResetWithScript(kScript);
    sim::WindowInfo frame;
    WindowHandle focus = nullptr;
    sim::QueueAction([&] {
        frame = sim::GetWindowInfo(FrameWindow());
        focus = sim::GetFocus();
    });
    sim::QueueClick(IDC_CANCEL);
    EXPECT_EQ(RunLauncher(), 0);
    EXPECT_EQ(frame.text, "Tallowmere Atlas");
    EXPECT_EQ(frame.style, WS_CAPTION | WS_VISIBLE);
    EXPECT_EQ(frame.exStyle, WS_EX_CLIENTEDGE);
    EXPECT_EQ(frame.rect, (CRect{275, 194, 750, 544}));  // centred on 1024 x 738
    EXPECT_EQ(frame.clientRect, (CRect{0, 0, 465, 321}));
    EXPECT_EQ(focus, ChildWindow(IDC_MESSAGE_VIEW));
}

TEST(StartupTest, ChildrenAreCreatedCancelOkView)
{
    ResetWithScript(kScript);
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    std::vector<std::string> creations;
    for (const std::string& e : sim::Events()) {
        if (e.compare(0, 7, "Create ") == 0) {
            creations.push_back(e);
        }
    }
    ASSERT_EQ(creations.size(), 4u);
    EXPECT_EQ(creations[1], "Create BUTTON 110");
    EXPECT_EQ(creations[2], "Create BUTTON 100");
    EXPECT_NE(creations[3].find(" 130"), std::string::npos);
}

TEST(StartupTest, ButtonsAndViewFollowTheCaptions)
{
    // "Cancel" measures 42 by 16 and "Ok" 16 by 16.
    ResetWithScript("[Title]\r\nT\r\n");
    sim::SetCharWidth([](unsigned char c) { return c == 'O' ? 9 : 7; });
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    const sim::WindowInfo cancel = sim::GetWindowInfo(ChildWindow(IDC_CANCEL));
    const sim::WindowInfo ok = sim::GetWindowInfo(ChildWindow(IDC_OK));
    const sim::WindowInfo view = sim::GetWindowInfo(ChildWindow(IDC_MESSAGE_VIEW));
    EXPECT_EQ(cancel.rect, (CRect{373, 285, 435, 311}));
    EXPECT_EQ(cancel.style, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    EXPECT_EQ(ok.rect, (CRect{317, 285, 353, 311}));
    EXPECT_EQ(ok.style, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON);
    // Created 465 by 275, then cut to whole 16-pixel lines: 17 lines + 2 border pixels.
    EXPECT_EQ(view.rect, (CRect{0, 0, 465, 274}));
    EXPECT_EQ(view.style, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL);
}

TEST(StartupTest, CentringRule)
{
    struct Case {
        CRect area;
        CPoint expected;
    } cases[] = {
        {{0, 0, 640, 452}, {83, 51}},
        {{0, 0, 400, 300}, {0, 0}},
        {{0, 0, 474, 600}, {-1, 125}},
        {{100, 50, 1124, 818}, {375, 259}},
    };
    for (const Case& c : cases) {
        const CPoint p = CenteredTopLeft(c.area, 475, 350);
        EXPECT_EQ(p.x, c.expected.x);
        EXPECT_EQ(p.y, c.expected.y);
    }
    ResetWithScript(kScript);
    sim::SetWorkArea({0, 0, 640, 452});
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    EXPECT_EQ(sim::GetWindowInfo(FrameWindow()).rect, (CRect{83, 51, 558, 401}));
}

TEST(StartupTest, ShownWithTheProcessShowCommand)
{
    ResetWithScript(kScript);
    sim::SetStartupShowCommand(SW_SHOWMINIMIZED);
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    EXPECT_TRUE(HasEvent("Show 2"));
}

TEST(StartupTest, FramePaintsItsBackgroundInTheMenuColour)
{
    ResetWithScript(kScript);
    std::vector<sim::DrawCall> calls;
    sim::QueueAction([&] { calls = sim::Paint(FrameWindow()); });
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, sim::DrawCall::FillRect);
    EXPECT_EQ(calls[0].rect, (CRect{0, 0, 465, 321}));
    EXPECT_EQ(calls[0].color, sim::SysColor(COLOR_MENU));
}

// --- The two actions -------------------------------------------------------------

struct ActionCase {
    const char* name;
    std::function<void()> input;
    bool runs;
};

TEST(FrameActionTest, ButtonsAndKeys)
{
    const ActionCase cases[] = {
        {"Ok button", [] { sim::QueueClick(IDC_OK); }, true},
        {"Cancel button", [] { sim::QueueClick(IDC_CANCEL); }, false},
        {"Enter in the view", [] { sim::QueueKey(VK_RETURN); }, true},
        {"Esc in the view", [] { sim::QueueKey(VK_ESCAPE); }, false},
    };
    for (const ActionCase& c : cases) {
        ResetWithScript(kScript);
        c.input();
        EXPECT_EQ(RunLauncher(), 0) << c.name;
        EXPECT_FALSE(sim::LoopStalled()) << c.name;
        EXPECT_EQ(sim::StartedCommands().size(), c.runs ? 1u : 0u) << c.name;
        if (c.runs) {
            EXPECT_EQ(sim::StartedCommands()[0].commandLine, "install.exe /quiet");
            EXPECT_EQ(sim::StartedCommands()[0].nCmdShow, SW_SHOWNORMAL);
        }
        EXPECT_TRUE(sim::MessageBoxes().empty()) << c.name;
        EXPECT_FALSE(sim::GetWindowInfo(FrameWindow()).exists) << c.name;
        EXPECT_EQ(CountEvents("Quit 0"), 1) << c.name;
        // Focused once at creation, never again while it closes.
        EXPECT_EQ(CountEvents("Focus " + sim::GetWindowInfo(ChildWindow(IDC_MESSAGE_VIEW)).className), 1) << c.name;
    }
}

TEST(FrameActionTest, KeysSentToTheFrameItself)
{
    for (UINT key : {VK_RETURN, VK_ESCAPE, VK_NEXT, UINT{'A'}}) {
        ResetWithScript(kScript);
        bool stillOpen = false;
        sim::QueueAction([key] { AfxGetApp()->m_pMainWnd->PostMessage(WM_KEYDOWN, key, 1); });
        sim::QueueAction([&] { stillOpen = sim::GetWindowInfo(FrameWindow()).exists; });
        sim::QueueClick(IDC_CANCEL);
        RunLauncher();
        EXPECT_EQ(sim::StartedCommands().size(), key == VK_RETURN ? 1u : 0u) << key;
        EXPECT_EQ(stillOpen, key != VK_RETURN && key != VK_ESCAPE) << key;
    }
}

TEST(FrameActionTest, OtherKeysDoNothing)
{
    ResetWithScript(kScript);
    for (UINT key : {VK_HOME, VK_END, VK_LEFT, VK_RIGHT, UINT{'A'}}) {
        sim::QueueKey(key);
    }
    bool stillOpen = false;
    sim::QueueAction([&] { stillOpen = sim::GetWindowInfo(FrameWindow()).exists; });
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(sim::StartedCommands().empty());
}

TEST(FrameActionTest, EmptyRunClosesLikeCancel)
{
    ResetWithScript("[Title]\r\nT\r\n");
    sim::QueueClick(IDC_OK);
    RunLauncher();
    EXPECT_TRUE(sim::StartedCommands().empty());
    EXPECT_TRUE(sim::MessageBoxes().empty());
    EXPECT_FALSE(sim::GetWindowInfo(FrameWindow()).exists);
}

TEST(FrameActionTest, FailedStartIsReportedWithTheWholeCommandLine)
{
    for (std::size_t length : {std::size_t{10}, std::size_t{83}, std::size_t{84}, std::size_t{1499}}) {
        const std::string command(length, 'c');
        ResetWithScript("[Run]\r\n" + command + "\r\n");
        sim::SetWinExecResult(2);
        sim::QueueClick(IDC_OK);
        RunLauncher();
        ASSERT_EQ(sim::MessageBoxes().size(), 1u) << length;
        const sim::MessageBoxRecord& box = sim::MessageBoxes()[0];
        EXPECT_EQ(box.text, "Error executing " + command);
        EXPECT_EQ(box.type, MB_OK);
        EXPECT_EQ(box.caption, "SETUP");
        EXPECT_EQ(box.owner, FrameWindow());
        EXPECT_FALSE(sim::GetWindowInfo(FrameWindow()).exists);
    }
    // 32, the first result of a start that succeeded, shows no box.
    ResetWithScript("[Run]\r\nx.exe\r\n");
    sim::SetWinExecResult(32);
    sim::QueueClick(IDC_OK);
    RunLauncher();
    EXPECT_TRUE(sim::MessageBoxes().empty());
}

// Every text of the script reaches the platform in the script's own encoding, and so
// does every box about it: the caption, the buttons, the drawn and heard message, the
// command started and the boxes of the parse and of the start.
TEST(FrameActionTest, ScriptTextsReachThePlatformInTheScriptsEncoding)
{
    const std::string body = "[Title]\r\nT\r\n[Message]\r\nm\r\n[Run]\r\nx.exe\r\n";
    for (const AfxTextEncoding encoding : {AfxTextEncoding::Ansi, AfxTextEncoding::Utf8}) {
        const std::string mark = encoding == AfxTextEncoding::Utf8 ? "\xEF\xBB\xBF" : "";
        ResetWithScript(mark + body);
        sim::SetWinExecResult(2);
        std::vector<sim::DrawCall> calls;
        AccessibleText heard;
        sim::QueueAction([&] {
            calls = sim::Paint(ChildWindow(IDC_MESSAGE_VIEW));
            AfxWndFromHandle(ChildWindow(IDC_MESSAGE_VIEW))->GetAccessibleText(&heard);
        });
        sim::QueueClick(IDC_OK);
        RunLauncher();
        for (const UINT nID : {0u, static_cast<UINT>(IDC_OK), static_cast<UINT>(IDC_CANCEL)}) {
            const WindowHandle hWnd = nID == 0 ? FrameWindow() : ChildWindow(nID);
            EXPECT_EQ(sim::GetWindowInfo(hWnd).textEncoding, encoding) << nID;
        }
        const auto drawn = std::find_if(calls.begin(), calls.end(),
                                        [](const sim::DrawCall& call) { return call.kind == sim::DrawCall::TextOut; });
        ASSERT_NE(drawn, calls.end());
        EXPECT_EQ(drawn->encoding, encoding);
        EXPECT_EQ(heard.encoding, encoding);
        ASSERT_EQ(sim::StartedCommands().size(), 1u);
        EXPECT_EQ(sim::StartedCommands()[0].encoding, encoding);
        ASSERT_EQ(sim::MessageBoxes().size(), 1u);
        EXPECT_EQ(sim::MessageBoxes()[0].encoding, encoding);

        ResetWithScript(mark + "stray\r\n");
        RunLauncher();
        ASSERT_EQ(sim::MessageBoxes().size(), 1u);
        EXPECT_EQ(sim::MessageBoxes()[0].encoding, encoding);
    }
}

TEST(FrameActionTest, SecondEnterDuringTheErrorBoxIsIgnored)
{
    ResetWithScript(kScript);
    sim::SetWinExecResult(0);
    sim::QueueKey(VK_RETURN, 2);
    EXPECT_EQ(RunLauncher(), 0);
    EXPECT_EQ(sim::StartedCommands().size(), 1u);
    EXPECT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(CountEvents("Destroy " + sim::GetWindowInfo(FrameWindow()).className), 1);
    EXPECT_EQ(CountEvents("Quit 0"), 1);
    EXPECT_FALSE(sim::LoopStalled());
}

// --- A sealed launcher --------------------------------------------------------------

const char kSealedScript[] =
    "[Title]\r\nSealed\r\n[Run]\r\ninstall.exe /quiet\r\n"
    "[Run.de]\r\nDE\\Setup.EXE \"Read Me.txt\" /q\r\n[Run.fr]\r\nmsiexec /i product.msi\r\n";

struct SealCase {
    const char* name;
    bool sealed;
    const char* language;
    std::function<void()> change;
    const char* box;  // null: the command starts
    bool windowShown;
};

// The medium as sealed: the script, the installers and what they are given.
void AddSealedMedium()
{
    sim::AddFile("install.exe", "installer");
    sim::AddFile("de\\setup.exe", "German installer");
    sim::AddFile("read me.txt", "notes");
    sim::AddFile("product.msi", "package");
}

std::string SealOfMedium()
{
    std::vector<SealEntry> entries{{"setup.ini", sim::Sha256Hex(kSealedScript)}};
    for (const auto& file : {std::make_pair("install.exe", "installer"), std::make_pair("DE\\Setup.EXE", "German installer"),
                             std::make_pair("Read Me.txt", "notes"), std::make_pair("product.msi", "package")}) {
        entries.push_back({file.first, sim::Sha256Hex(file.second)});
    }
    return FormatSeal(entries);
}

TEST(SealedLauncherTest, StartsOnlyWhatWasSealed)
{
    const char kScriptChanged[] = "setup.ini has been changed since this medium was made.";
    const SealCase cases[] = {
        {"untouched", true, "en-US", [] {}, nullptr, true},
        {"unsealed, changed", false, "en-US", [] { sim::AddFile("install.exe", "other"); }, nullptr, true},
        {"script changed", true, "en-US", [] { sim::AddFile("setup.ini", std::string(kSealedScript) + " "); },
         kScriptChanged, false},
        {"script missing", true, "en-US", [] { sim::Reset(); sim::SetSeal(SealOfMedium()); }, kScriptChanged, false},
        {"seal unreadable", true, "en-US", [] { sim::SetSeal("not a seal\n"); }, kScriptChanged, false},
        {"installer changed", true, "en-US", [] { sim::AddFile("install.exe", "installer!"); },
         "install.exe has been changed since this medium was made.", true},
        {"German argument changed", true, "de-DE", [] { sim::AddFile("read me.txt", "Notes"); },
         "Read Me.txt has been changed since this medium was made.", true},
        {"German installer unreadable", true, "de-DE", [] { sim::SetFileReadError("de\\setup.exe", 0); },
         "DE\\Setup.EXE has been changed since this medium was made.", true},
        {"other language's file changed", true, "en-US", [] { sim::AddFile("read me.txt", "Notes"); }, nullptr, true},
        {"system program", true, "fr-FR", [] {}, nullptr, true},
        {"system program planted", true, "fr-FR", [] { sim::AddFile("msiexec.exe", "planted"); },
         "msiexec.exe has been changed since this medium was made.", true},
        {"package changed", true, "fr-FR", [] { sim::AddFile("product.msi", "other"); },
         "product.msi has been changed since this medium was made.", true},
    };
    for (const SealCase& c : cases) {
        ResetWithScript(kSealedScript);
        AddSealedMedium();
        sim::SetUserLanguages({c.language});
        if (c.sealed) {
            sim::SetSeal(SealOfMedium());
        }
        c.change();
        sim::QueueClick(IDC_OK);
        EXPECT_EQ(RunLauncher(), 0) << c.name;
        EXPECT_EQ(sim::StartedCommands().size(), c.box == nullptr ? 1u : 0u) << c.name;
        ASSERT_EQ(sim::MessageBoxes().size(), c.box == nullptr ? 0u : 1u) << c.name;
        EXPECT_EQ(FrameWindow() != nullptr && sim::EverShown(FrameWindow()), c.windowShown) << c.name;
        if (c.box != nullptr) {
            EXPECT_EQ(sim::MessageBoxes()[0].text, c.box) << c.name;
            EXPECT_EQ(sim::MessageBoxes()[0].caption, "SETUP") << c.name;
        } else if (c.sealed) {
            // Each checked file is held, writes denied, until the program has started.
            const std::vector<std::string>& open = sim::StartedCommands()[0].openFiles;
            const char* held = c.language[0] == 'f' ? "product.msi" : "install.exe";
            EXPECT_NE(std::find(open.begin(), open.end(), held), open.end()) << c.name;
        }
    }
}

// A seal that is not exactly the build's own lets nothing pass: a line cut short, a
// digest of the wrong length, in capitals or not hexadecimal, a name missing, no
// script first.
TEST(SealedLauncherTest, SealNotReadableIsAChangedScript)
{
    const std::string script = sim::Sha256Hex(kSealedScript);
    const std::string good = script + " setup.ini\n";
    const std::string bad[] = {
        script + " setup.ini",
        script.substr(1) + " setup.ini\n",
        script + "0 setup.ini\n",
        "A" + script.substr(1) + " setup.ini\n",
        "g" + script.substr(1) + " setup.ini\n",
        script + " \n",
        script + "\tsetup.ini\n",
        script + " install.exe\n" + good,
        good + script + "\n",
        "",
    };
    ResetWithScript(kSealedScript);
    sim::SetSeal(good);
    sim::QueueClick(IDC_CANCEL);
    RunLauncher();
    EXPECT_TRUE(sim::MessageBoxes().empty()) << "the good seal";
    for (const std::string& seal : bad) {
        ResetWithScript(kSealedScript);
        sim::SetSeal(seal);
        RunLauncher();
        ASSERT_EQ(sim::MessageBoxes().size(), 1u) << seal;
        EXPECT_EQ(sim::MessageBoxes()[0].text, "setup.ini has been changed since this medium was made.") << seal;
    }
}

// SHA-256 itself, for the tools and the simulated platform: the standard's examples
// and inputs that end at and across the 64-byte blocks.
TEST(SealedLauncherTest, Sha256KnownAnswers)
{
    const std::pair<std::string, const char*> cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1000, 'a'), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sim::Sha256Hex(c.first), c.second) << c.first.size() << " bytes";
    }
}

// --- The user's language ------------------------------------------------------------

struct LanguageCase {
    std::vector<std::string> user;  // the user's languages, most wanted first
    std::vector<std::string> tagged;  // "Title.de": a section [Title.de] whose value is "Title.de"
    std::string shown;  // caption, Ok, Cancel, message and started command
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.tagged); }

class LanguageChoiceTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageChoiceTest, ChosenOnceThenSectionBySection)
{
    // Untagged sections before and after the tagged ones: neither the order nor an
    // untagged [Message] ended by a tagged header may change the choice.
    std::string script = "[Message]\r\nMessage\r\n";
    for (const std::string& section : GetParam().tagged) {
        script += "[" + section + "]\r\n" + section + "\r\n";
    }
    ResetWithScript(script + "[Title]\r\nTitle\r\n[Ok]\r\nOk\r\n[Cancel]\r\nCancel\r\n[Run]\r\nRun\r\n");
    sim::SetUserLanguages(GetParam().user);
    std::string shown;
    sim::QueueAction([&] {
        for (WindowHandle h : {FrameWindow(), ChildWindow(IDC_OK), ChildWindow(IDC_CANCEL)}) {
            shown += sim::GetWindowInfo(h).text + " ";
        }
        shown += std::string(theScript.m_pszMessage, std::strcspn(theScript.m_pszMessage, "\n"));
    });
    sim::QueueClick(IDC_OK);
    EXPECT_EQ(RunLauncher(), 0);
    ASSERT_EQ(sim::StartedCommands().size(), 1u);
    EXPECT_EQ(shown + " " + sim::StartedCommands()[0].commandLine, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    StartupTest, LanguageChoiceTest,
    ::testing::Values(
        LanguageCase{{"de-DE"}, {}, "Title Ok Cancel Message Run"},
        LanguageCase{{"de-DE"}, {"Title.de", "Ok.de"}, "Title.de Ok.de Cancel Message Run"},
        LanguageCase{{"de-DE"}, {"Title.de", "Title.de-DE", "Cancel.DE"}, "Title.de-DE Ok Cancel.DE Message Run"},
        // A more specific section wins even when the script gives it first.
        LanguageCase{{"de-CH"}, {"Title.de-CH", "Title.de", "Ok.de"}, "Title.de-CH Ok.de Cancel Message Run"},
        // Another region of the language, the first in the script.
        LanguageCase{{"de-DE"}, {"Run.de-AT", "Run.de-CH"}, "Title Ok Cancel Message Run.de-AT"},
        LanguageCase{{"de"}, {"Message.de-CH", "Title.de-AT"}, "Title Ok Cancel Message.de-CH Run"},
        LanguageCase{{"zh-Hant-TW"}, {"Title.zh-Hant", "Message.zh", "Message.zh-Hans"},
                     "Title.zh-Hant Ok Cancel Message.zh Run"},
        // The first of the user's languages that the script has, even for one section.
        LanguageCase{{"fr-FR", "de-DE"}, {"Title.de", "Ok.fr"}, "Title Ok.fr Cancel Message Run"},
        LanguageCase{{"it-IT", "de-DE"}, {"Title.de", "Ok.fr"}, "Title.de Ok Cancel Message Run"},
        LanguageCase{{"ja-JP"}, {"Title.de", "Message.fr"}, "Title Ok Cancel Message Run"},
        LanguageCase{{}, {"Title.de"}, "Title Ok Cancel Message Run"},
        LanguageCase{{"ja-JP"}, {"title.JA-jp", "OK.Ja"}, "title.JA-jp OK.Ja Cancel Message Run"},
        // A language of two scripts: the one the user's region writes, in either order;
        // a region's own section over its script's, over the language's.
        LanguageCase{{"zh-TW"}, {"Title.zh-Hans", "Title.zh-Hant"}, "Title.zh-Hant Ok Cancel Message Run"},
        LanguageCase{{"zh-HK"}, {"Title.zh-Hant", "Title.zh-Hans"}, "Title.zh-Hant Ok Cancel Message Run"},
        LanguageCase{{"zh-MO"}, {"Title.zh-hans", "Title.ZH-HANT"}, "Title.ZH-HANT Ok Cancel Message Run"},
        LanguageCase{{"zh-CN"}, {"Title.zh-Hant", "Title.zh-Hans"}, "Title.zh-Hans Ok Cancel Message Run"},
        LanguageCase{{"zh-SG"}, {"Title.zh-Hant", "Title.zh-Hans"}, "Title.zh-Hans Ok Cancel Message Run"},
        LanguageCase{{"zh"}, {"Title.zh-Hant", "Title.zh-Hans"}, "Title.zh-Hans Ok Cancel Message Run"},
        LanguageCase{{"zh-TW"}, {"Title.zh", "Ok.zh-Hant", "Title.zh-TW", "Cancel.zh-Hans"},
                     "Title.zh-TW Ok.zh-Hant Cancel Message Run"},
        // Regions of the script before regions of the other; the other when it is all there is.
        LanguageCase{{"zh-HK"}, {"Title.zh-CN", "Title.zh-TW"}, "Title.zh-TW Ok Cancel Message Run"},
        LanguageCase{{"zh-TW"}, {"Title.zh-Hans"}, "Title.zh-Hans Ok Cancel Message Run"},
        LanguageCase{{"sr-Latn-RS"}, {"Title.sr-Cyrl", "Title.sr-Latn"}, "Title.sr-Latn Ok Cancel Message Run"},
        LanguageCase{{"sr-RS"}, {"Title.sr-Latn", "Title.sr-Cyrl"}, "Title.sr-Cyrl Ok Cancel Message Run"},
        LanguageCase{{"sr-ME"}, {"Title.sr-Cyrl-ME", "Title.sr-Latn-RS"}, "Title.sr-Latn-RS Ok Cancel Message Run"},
        LanguageCase{{"bs-BA"}, {"Title.bs-Cyrl", "Title.bs-Latn"}, "Title.bs-Latn Ok Cancel Message Run"},
        LanguageCase{{"uz-Cyrl-UZ"}, {"Title.uz-Latn", "Title.uz-Cyrl"}, "Title.uz-Cyrl Ok Cancel Message Run"},
        LanguageCase{{"az-AZ"}, {"Title.az-Cyrl", "Title.az-Latn"}, "Title.az-Latn Ok Cancel Message Run"}));

}  // namespace
