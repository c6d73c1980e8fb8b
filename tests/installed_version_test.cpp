// The installed-version check, as whole program runs: when it reads the registry and
// the file's version resource, what it shows, and whether the window ever appears.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/installed_version.h"
#include "launcher_run.h"
#include "ui/setup_frame.h"

namespace {

const std::string kPath = "C:\\Program Files\\Atlas\\atlas.exe";

std::string Script(const std::string& rootkey, const std::string& regValue, const std::string& regText = "Atlas 3.1 is installed.\r\nSecond line.\r\n")
{
    std::string s = "[Title]\r\nT\r\n[RegKey]\r\nSoftware\\Atlas\r\n[RegVersion]\r\n3.2.0.0\r\n";
    if (!rootkey.empty()) {
        s += "[Rootkey]\r\n" + rootkey + "\r\n";
    }
    if (!regValue.empty()) {
        s += "[RegValue]\r\n" + regValue + "\r\n";
    }
    if (!regText.empty()) {
        s += "[RegText]\r\n" + regText;
    }
    return s;
}

sim::VersionResource Version(const std::string& fileVersion)
{
    sim::VersionResource v;
    v.translations = {{0x0409, 0x04B0}};
    v.fileVersions = {{"040904b0", fileVersion}};
    return v;
}

struct Outcome {
    bool windowShown;
    std::string box;  // empty: no box
};

Outcome RunWithCancel()
{
    sim::QueueClick(IDC_CANCEL);
    EXPECT_EQ(RunLauncher(), 0);
    EXPECT_FALSE(sim::LoopStalled());
    Outcome outcome{sim::EverShown(FrameWindow()), ""};
    if (!sim::MessageBoxes().empty()) {
        const sim::MessageBoxRecord& box = sim::MessageBoxes().back();
        outcome.box = box.text;
        EXPECT_EQ(box.type, MB_OK);
        EXPECT_EQ(box.caption, "SETUP");
        EXPECT_EQ(box.owner, FrameWindow());
        EXPECT_FALSE(box.ownerVisible);
        EXPECT_EQ(sim::MessageBoxes().size(), 1u);
    }
    return outcome;
}

TEST(InstalledVersionTest, Outcomes)
{
    struct Case {
        const char* name;
        std::string script;
        std::function<void()> machine;
        Outcome expected;
    } cases[] = {
        {"no version text: nothing is looked at", "[RegKey]\r\nSoftware\\Atlas\r\n[Rootkey]\r\nHKLM\r\n", [] {}, {true, ""}},
        {"no key: nothing is looked at", "[RegVersion]\r\n1\r\n[Rootkey]\r\nHKLM\r\n", [] {}, {true, ""}},
        {"lower-case root key", Script("hkey_local_machine", ""), [] {}, {false, "hkey_local_machine is a bad root key."}},
        {"short root key", Script("HKLM", ""), [] {}, {false, "HKLM is a bad root key."}},
        {"root key outside the table", Script("HKEY_CURRENT_CONFIG", ""), [] {},
         {false, "HKEY_CURRENT_CONFIG is a bad root key."}},
        {"no such key", Script("HKEY_LOCAL_MACHINE", "Path"), [] {}, {true, ""}},
        {"no such value",
         Script("HKEY_LOCAL_MACHINE", "Path"),
         [] { sim::AddRegistryKey(AfxRootKey::LocalMachine, "Software\\Atlas"); },
         {true, ""}},
        {"no such file",
         Script("HKEY_LOCAL_MACHINE", "Path"),
         [] { sim::SetRegistryValue(AfxRootKey::LocalMachine, "Software\\Atlas", "Path", kPath); },
         {true, ""}},
        {"same version",
         Script("HKEY_LOCAL_MACHINE", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::LocalMachine, "Software\\Atlas", "Path", kPath);
             sim::SetFileVersion(kPath, Version("3.2.0.0"));
         },
         {true, ""}},
        {"other version",
         Script("HKEY_LOCAL_MACHINE", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::LocalMachine, "Software\\Atlas", "Path", kPath);
             sim::SetFileVersion(kPath, Version("3.1.0.0"));
         },
         {false, "Atlas 3.1 is installed."}},
        {"other version, no notice",
         Script("HKEY_LOCAL_MACHINE", "Path", ""),
         [] {
             sim::SetRegistryValue(AfxRootKey::LocalMachine, "Software\\Atlas", "Path", kPath);
             sim::SetFileVersion(kPath, Version("3.1.0.0"));
         },
         {false, ""}},
        {"versions differ in letter case or notation",
         Script("HKEY_LOCAL_MACHINE", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::LocalMachine, "Software\\Atlas", "Path", kPath);
             sim::SetFileVersion(kPath, Version("3, 2, 0, 0"));
         },
         {false, "Atlas 3.1 is installed."}},
        {"empty root key reads the current user",
         Script("", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::CurrentUser, "Software\\Atlas", "Path", kPath);
             sim::SetFileVersion(kPath, Version("1.0"));
         },
         {false, "Atlas 3.1 is installed."}},
        {"\"DeFaUlT\" reads the unnamed value",
         Script("HKEY_USERS", "DeFaUlT"),
         [] {
             sim::SetRegistryValue(AfxRootKey::Users, "Software\\Atlas", "", kPath);
             sim::SetFileVersion(kPath, Version("1.0"));
         },
         {false, "Atlas 3.1 is installed."}},
        {"\"default \" names a value of its own",
         Script("HKEY_USERS", "default "),
         [] {
             sim::SetRegistryValue(AfxRootKey::Users, "Software\\Atlas", "", kPath);
             sim::SetFileVersion(kPath, Version("1.0"));
         },
         {true, ""}},
        {"version resource that cannot be read",
         Script("HKEY_CLASSES_ROOT", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::ClassesRoot, "Software\\Atlas", "Path", kPath);
             sim::VersionResource v = Version("1.0");
             v.readFails = true;
             sim::SetFileVersion(kPath, v);
         },
         {true, ""}},
        {"no translation table",
         Script("HKEY_CLASSES_ROOT", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::ClassesRoot, "Software\\Atlas", "Path", kPath);
             sim::VersionResource v = Version("1.0");
             v.translations.clear();
             sim::SetFileVersion(kPath, v);
         },
         {true, ""}},
        {"only the first translation counts",
         Script("HKEY_CLASSES_ROOT", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::ClassesRoot, "Software\\Atlas", "Path", kPath);
             sim::VersionResource v;
             v.translations = {{0x0407, 0x04E4}, {0x0409, 0x04B0}};
             v.fileVersions = {{"040904b0", "1.0"}};
             sim::SetFileVersion(kPath, v);
         },
         {true, ""}},
        {"empty version string",
         Script("HKEY_CLASSES_ROOT", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::ClassesRoot, "Software\\Atlas", "Path", kPath);
             sim::SetFileVersion(kPath, Version(""));
         },
         {true, ""}},
        {"a resource string ends at its first NUL",
         Script("HKEY_CLASSES_ROOT", "Path"),
         [] {
             sim::SetRegistryValue(AfxRootKey::ClassesRoot, "Software\\Atlas", "Path", kPath);
             sim::VersionResource v;
             v.translations = {{0x0409, 0x04B0}};
             v.fileVersions = {{"040704e4", std::string("3.2.0.0\0 German", 15)}, {"040904b0", "3.1.0.0"}};
             sim::SetFileVersion(kPath, v);
         },
         {false, "Atlas 3.1 is installed."}},
    };
    for (const Case& c : cases) {
        ResetWithScript(c.script);
        c.machine();
        const Outcome outcome = RunWithCancel();
        EXPECT_EQ(outcome.windowShown, c.expected.windowShown) << c.name;
        EXPECT_EQ(outcome.box, c.expected.box) << c.name;
        EXPECT_EQ(sim::MessageBoxes().size(), c.expected.box.empty() ? 0u : 1u) << c.name;  // an empty box is a box
    }
}

TEST(InstalledVersionTest, EmptySectionsNeverTouchTheRegistry)
{
    ResetWithScript("[RegKey]\r\nSoftware\\Atlas\r\n[Rootkey]\r\nbad\r\n");
    RunWithCancel();
    EXPECT_EQ(sim::RegistryOpenCount(), 0);
    EXPECT_EQ(sim::VersionQueryCount(), 0);
}

// Bytes in an ANSI script, UTF-16 units in a Unicode one: 99 two-byte letters and the
// terminator fit, as do 49 emoji (two units each), an "x" and the terminator.
TEST(InstalledVersionTest, RegistryDataOfAtMostOneHundredCharacters)
{
    std::string letters99, emoji49 = "x";
    for (int i = 0; i < 99; ++i) {
        letters99 += "\xC3\xA9";
        emoji49 += i < 49 ? "\xF0\x9F\x98\x80" : "";
    }
    const struct {
        std::string mark, path;
        bool fits;
    } kCases[] = {{"", std::string(99, 'p'), true},        {"", std::string(100, 'q'), false},
                  {"", letters99.substr(0, 100), false},    {"\xEF\xBB\xBF", letters99, true},
                  {"\xEF\xBB\xBF", letters99 + "x", false}, {"\xEF\xBB\xBF", emoji49, true},
                  {"\xEF\xBB\xBF", emoji49 + "x", false}};
    for (const auto& c : kCases) {
        ResetWithScript(c.mark + Script("HKEY_LOCAL_MACHINE", "Path"));
        sim::SetRegistryValue(AfxRootKey::LocalMachine, "Software\\Atlas", "Path", c.path + std::string(1, '\0'));
        sim::SetFileVersion(c.path, Version("1.0"));
        const Outcome outcome = RunWithCancel();
        EXPECT_EQ(outcome.windowShown, !c.fits) << c.path;
        EXPECT_EQ(sim::VersionQueryCount(), c.fits ? 1 : 0);
    }
}

TEST(InstalledVersionTest, RegistryDataWithoutTerminatorEndsWithItsBytes)
{
    ResetWithScript(Script("HKEY_LOCAL_MACHINE", "Path"));
    sim::SetRegistryValue(AfxRootKey::LocalMachine, "Software\\Atlas", "Path", "C:\\a.exe");
    sim::SetFileVersion("C:\\a.exe", Version("1.0"));
    EXPECT_FALSE(RunWithCancel().windowShown);
}

TEST(InstalledVersionTest, LongVersionStringIsComparedWhole)
{
    const std::string longVersion(1600, '9');
    ResetWithScript("[RegKey]\r\nK\r\n[RegVersion]\r\n" + longVersion.substr(0, 1499) + "\r\n");
    sim::SetRegistryValue(AfxRootKey::CurrentUser, "K", "", kPath);
    sim::SetFileVersion(kPath, Version(longVersion));
    EXPECT_FALSE(RunWithCancel().windowShown);
}

TEST(InstalledVersionTest, LongBadRootKeyKeepsItsSuffix)
{
    const std::string name(1499, 'R');
    ResetWithScript("[RegKey]\r\nK\r\n[RegVersion]\r\n1\r\n[Rootkey]\r\n" + name + "\r\n");
    EXPECT_EQ(RunWithCancel().box, name + " is a bad root key.");
}

TEST(InstalledVersionTest, QueryPathHasFourLowerCaseDigitsEach)
{
    EXPECT_EQ(VersionQueryPath(0x0409, 0x04B0), "\\StringFileInfo\\040904b0\\FileVersion");
    EXPECT_EQ(VersionQueryPath(0xABCD, 0x0001), "\\StringFileInfo\\abcd0001\\FileVersion");
    EXPECT_EQ(VersionQueryPath(0x0409, 0x04B0).size(), 36u);
}

TEST(InstalledVersionTest, RootKeyTableIsExact)
{
    AfxRootKey root{};
    EXPECT_TRUE(LookUpRootKey("HKEY_CLASSES_ROOT", &root));
    EXPECT_EQ(root, AfxRootKey::ClassesRoot);
    EXPECT_TRUE(LookUpRootKey("HKEY_USERS", &root));
    EXPECT_EQ(root, AfxRootKey::Users);
    for (const char* bad : {"HKEY_USERS ", "hkey_users", "HKU", "HKEY_CURRENT_CONFIG", ""}) {
        EXPECT_FALSE(LookUpRootKey(bad, &root)) << bad;
    }
}

}  // namespace
