// Shared by the script tests: building script text, loading it into a setup record on
// a fresh simulated machine, and reading back the message boxes shown.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backend/sim/sim.h"
#include "script/setup_script.h"

namespace script_test {

// The lines joined, each ended by CR-LF, as a script is written.
inline std::string CrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// n copies of a line, each ended by CR-LF.
inline std::string RepeatedLines(const std::string& line, int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += line + "\r\n";
    }
    return text;
}

inline std::vector<std::string> ShownTexts()
{
    std::vector<std::string> texts;
    for (const sim::MessageBoxRecord& box : sim::MessageBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

// The program's record is never deleted; a final class lets a test delete its own.
struct TestRecord final : CSetupScript {};

// The message view, not the record, frees the message text, so the tests free it
// with the record.
struct RecordDeleter {
    void operator()(TestRecord* pScript) const
    {
        delete[] pScript->m_pszMessage;
        delete pScript;
    }
};
using RecordPtr = std::unique_ptr<TestRecord, RecordDeleter>;

// A fresh machine for every test; the record lives on the heap, as it is some 460 KB.
class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }

    // Puts the bytes in place as setup.ini and loads them into a new record.
    BOOL Load(const std::string& bytes)
    {
        sim::AddFile("setup.ini", bytes);
        return LoadExisting();
    }

    BOOL LoadExisting()
    {
        NewRecord();
        return m_pScript->Load();
    }

    void NewRecord() { m_pScript.reset(new TestRecord); }

    std::string Message() const { return m_pScript->m_pszMessage != nullptr ? m_pScript->m_pszMessage : "(null)"; }

    RecordPtr m_pScript;
};

}  // namespace script_test
