// The application name, the caption of every message box, from the module path.
#include <gtest/gtest.h>

#include "afx/app_name.h"
#include "backend/sim/sim.h"

namespace {

TEST(AppNameFromModulePath, KeepsTheFileNameWithoutItsExtension)
{
    const struct {
        const char* path;
        bool bDoubleByte;
        const char* name;
        AfxTextEncoding encoding = AfxTextEncoding::Ansi;
    } kCases[] = {
        {"D:\\SETUP.EXE", false, "SETUP"},
        {"C:\\media/disk.1\\setup", false, "disk"},
        {"C:\\Prod-1.2\\setup.exe", false, "setup"},
        {"C:\\media\\Inst.v2.exe", false, "Inst.v2"},
        {"C:/media/disk1/Setup.exe", false, "Setup"},
        {"C:\\media\\SETUP", false, "SETUP"},
        {"A:INSTALL.EXE", false, "INSTALL"},
        // A double-byte character whose second byte is 0x5C holds no backslash.
        {"D:\\\x95\x5C\\\x83\x5C\x83\x67.EXE", true, "\x83\x5C\x83\x67"},
        {"D:\\\x95\x5C.EXE", false, ""},
        // In UTF-8 the same bytes are a broken character and a backslash, whatever the
        // system's code page.
        {"D:\\\x95\x5C.EXE", true, "", AfxTextEncoding::Utf8},
    };
    for (const auto& c : kCases) {
        sim::Reset();
        sim::SetDoubleByteCodePage(c.bDoubleByte);
        EXPECT_EQ(AppNameFromModulePath(c.path, c.encoding), c.name) << "path: [" << c.path << "]";
    }
}

}  // namespace
