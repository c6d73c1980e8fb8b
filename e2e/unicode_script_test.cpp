// Unicode scripts on the real program: a script that starts with a byte-order mark,
// in each encoding, shows every text it holds exactly, whatever the code page, and
// starts a program named in any script.
#include <gtest/gtest.h>

#include <string>

#include "launcher_process.h"
#include "message_box_expectations.h"
#include "unicode_script.h"

namespace {

class UnicodeScriptTest : public testing::TestWithParam<ScriptEncoding> {};

TEST_P(UnicodeScriptTest, ShowsItsTextsAndStartsAProgramInAFolderNamedInAnyScript)
{
    LauncherProcess launcher(nullptr);
    const std::string folder = launcher.Folder() + kMixedText + "\\";
    ASSERT_TRUE(CreateFolder(folder));
    const std::string helper = folder + kMixedText + ".exe";
    const std::string marker = folder + kMixedText + ".txt";
    ASSERT_TRUE(CopyHelperTo(helper));
    const std::string arguments = "\"" + marker + "\"";
    ASSERT_TRUE(launcher.WriteScript(EncodeScript("[Title]\r\nT " + kMixedText + "\r\n[Ok]\r\nO " + kMixedText +
                                                      "\r\n[Cancel]\r\nC " + kMixedText + "\r\n[Message]\r\n" +
                                                      kMixedText + "\r\n[Run]\r\n\"" + helper + "\" " + arguments +
                                                      "\r\n",
                                                  GetParam())));
    ASSERT_TRUE(launcher.Start());
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    EXPECT_EQ(WindowText(hFrame), "T " + kMixedText);
    EXPECT_EQ(WindowText(GetDlgItem(hFrame, kOkId)), "O " + kMixedText);
    EXPECT_EQ(WindowText(GetDlgItem(hFrame, kCancelId)), "C " + kMixedText);

    PostMessageA(GetDlgItem(hFrame, kOkId), BM_CLICK, 0, 0);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    EXPECT_TRUE(WaitForFile(marker)) << "the [Run] command did not start";
    EXPECT_EQ(ReadWholeFile(marker), "started with " + arguments);
}

struct BoxCase {
    std::string script;
    bool bPressEnter;  // the box comes from the window's action
    std::string text;
    bool bIcon;
};

TEST_P(UnicodeScriptTest, BoxesQuoteTheScriptExactly)
{
    const std::string command = "no-such-folder\\" + kMixedText + "\\setup.exe /q";
    const BoxCase kCases[] = {
        {"[Title]\r\nT\r\n" + kMixedText + " ; note\r\n", false, "Error: " + kMixedText + " ", true},
        {"[Run]\r\n" + command + "\r\n", true, "Error executing " + command, false},
        {"[Rootkey]\r\n" + kMixedText + "\r\n[RegKey]\r\nSoftware\r\n[RegVersion]\r\n1\r\n", false,
         kMixedText + " is a bad root key.", false},
    };
    for (const BoxCase& c : kCases) {
        SCOPED_TRACE(c.text);
        LauncherProcess launcher(nullptr);
        ASSERT_TRUE(launcher.WriteScript(EncodeScript(c.script, GetParam())));
        ASSERT_TRUE(launcher.Start());
        if (c.bPressEnter) {
            HWND hFrame = launcher.WaitForVisibleFrame();
            ASSERT_NE(hFrame, nullptr);
            PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_RETURN, 1);
        }
        HWND hBox = launcher.WaitForMessageBox();
        ASSERT_NE(hBox, nullptr);
        ExpectMessageBox(hBox, c.text, c.bIcon);
        ASSERT_TRUE(DismissMessageBox(hBox));
        EXPECT_TRUE(launcher.ExitsWithStatusZero());
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, UnicodeScriptTest,
                         testing::Values(ScriptEncoding::kUtf8, ScriptEncoding::kUtf16Le, ScriptEncoding::kUtf16Be),
                         [](const testing::TestParamInfo<ScriptEncoding>& info) {
                             return ScriptEncodingName(info.param);
                         });

}  // namespace
