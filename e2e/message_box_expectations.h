// The check every test makes of a launcher's message box.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "launcher_process.h"

// Reads the box and checks its text, its caption (the executable's name) and whether
// it carries an icon; returns what it read for further checks.
inline MessageBoxContent ExpectMessageBox(HWND hBox, const std::string& text, bool hasIcon)
{
    const MessageBoxContent box = ReadMessageBox(hBox);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "setup");
    EXPECT_EQ(box.hasIcon, hasIcon);
    return box;
}
