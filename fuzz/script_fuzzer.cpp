// Fuzz target: any bytes as setup.ini, through the text-mode file and the whole parser,
// once in a single-byte and once in a double-byte code page, and once more behind a
// byte-order mark that the first byte chooses, where double-byte rules never apply.
// Whatever the script holds, the record must stay well-formed; a violation aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "fuzz_check.h"
#include "backend/sim/sim.h"
#include "script/setup_script.h"

namespace {

// A text field ends within its buffer; a single-line value is never a line end, never
// holds a comment and never begins with a blank (a double-byte trail byte may carry
// the code of any of them).
void CheckField(const char* pszField, bool bDoubleByte)
{
    const void* pEnd = std::memchr(pszField, '\0', SCRIPT_LINE_SIZE);
    FUZZ_REQUIRE(pEnd != nullptr);
    if (bDoubleByte) {
        return;
    }
    FUZZ_REQUIRE(std::strchr(pszField, '\n') == nullptr);
    FUZZ_REQUIRE(std::strchr(pszField, ';') == nullptr);
    FUZZ_REQUIRE(pszField[0] != ' ' && pszField[0] != '\t');
}

void CheckRecord(const CSetupScript& script, bool bDoubleByte, bool bNulInFile)
{
    for (const char* pszField : {script.m_szRootkey, script.m_szCancel, script.m_szOk, script.m_szRun,
                                 script.m_szRegKey, script.m_szTitle, script.m_szRegVersion, script.m_szRegValue}) {
        CheckField(pszField, bDoubleByte);
    }
    FUZZ_REQUIRE(script.m_nMessageLines >= 0 && script.m_nMessageLines <= MAX_SECTION_LINES);
    FUZZ_REQUIRE(script.m_nRegTextLines >= 0 && script.m_nRegTextLines <= MAX_SECTION_LINES);
    // The lines taken by the untagged sections or by a language's, whichever were kept.
    int nRegTextLines = script.m_nRegTextLines;
    int nMessageLines = script.m_nMessageLines;
    for (const ScriptLanguage& language : script.m_languages) {
        FUZZ_REQUIRE(language.nRegTextLines <= MAX_SECTION_LINES && language.nMessageLines <= MAX_SECTION_LINES);
        nRegTextLines = std::max(nRegTextLines, language.nRegTextLines);
        nMessageLines = std::max(nMessageLines, language.nMessageLines);
    }
    for (int i = 0; i < MAX_SECTION_LINES; ++i) {
        const char* pszSlot = script.m_szRegText[i];
        FUZZ_REQUIRE(std::memchr(pszSlot, '\0', SCRIPT_LINE_SIZE) != nullptr);
        // Slots past the lines taken are never written.
        FUZZ_REQUIRE(i < nRegTextLines || pszSlot[0] == '\0');
        FUZZ_REQUIRE(bDoubleByte || std::strchr(pszSlot, '\n') == nullptr);
    }
    if (script.m_pszMessage == nullptr) {
        return;
    }
    // The message: no tab left, at most 300 lines (those of the last [Message] section
    // only), each at most 1499 characters with its newline. A NUL byte in the file ends
    // the string of its read, newline and all, so that line then runs on into the next.
    const std::string message = script.m_pszMessage;
    FUZZ_REQUIRE(message.find('\t') == std::string::npos);
    int nLines = 0;
    for (std::size_t nStart = 0; nStart < message.size(); ++nLines) {
        const std::size_t nNewline = message.find('\n', nStart);
        const std::size_t nEnd = nNewline == std::string::npos ? message.size() : nNewline + 1;
        FUZZ_REQUIRE(bNulInFile || nEnd - nStart <= SCRIPT_LINE_SIZE - 1);
        nStart = nEnd;
    }
    FUZZ_REQUIRE(nLines <= nMessageLines);
}

void LoadOnce(const std::string& bytes, bool bDoubleByte, bool bUnicode = false)
{
    sim::Reset();
    sim::SetDoubleByteCodePage(bDoubleByte);
    sim::AddFile("setup.ini", bytes);
    // The program's own record, built afresh in its static storage: a new 460 KB block
    // per run would cost more than the parse.
    theScript.CSetupScript::~CSetupScript();
    new (&theScript) CSetupScript;
    theScript.Load();
    CheckRecord(theScript, bDoubleByte && !bUnicode, bytes.find('\0') != std::string::npos);
    // The message view frees the message text in the program.
    delete[] theScript.m_pszMessage;
    theScript.m_pszMessage = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    LoadOnce(bytes, false);
    LoadOnce(bytes, true);
    static const char* const kMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    if (size > 0) {
        LoadOnce(kMarks[data[0] % 3] + bytes.substr(1), true, true);
    }
    return 0;
}
