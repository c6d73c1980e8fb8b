// The application name, the caption of every message box, from the module path.
#include <gtest/gtest.h>

#include <string>

#include "platform/framework/app_name.h"
#include "platform/sim/sim.h"

namespace {

struct AppNameCase {
    const char* path;
    bool bDoubleByte;
    const char* name;
};

const AppNameCase kAppNameCases[] = {
    {"D:\\SETUP.EXE", false, "SETUP"},
    {"C:\\media\\disk.1\\setup", false, "disk"},
    {"E:setup.exe", false, "setup"},
    {"/media/cd/Setup.exe", false, "Setup"},
    // A double-byte character whose second byte is 0x5C holds no backslash.
    {"D:\\\x95\x5C.EXE", true, "\x95\x5C"},
    {"D:\\\x95\x5C\\\x83\x5C\x83\x67.EXE", true, "\x83\x5C\x83\x67"},
    {"D:\\\x95\x5C.EXE", false, ""},
};

TEST(AppNameFromModulePath, KeepsTheFileNameWithoutItsExtension)
{
    for (const AppNameCase& c : kAppNameCases) {
        sim::Reset();
        sim::SetDoubleByteCodePage(c.bDoubleByte);
        EXPECT_EQ(AppNameFromModulePath(c.path), c.name) << "path: [" << c.path << "]";
    }
}

}  // namespace
