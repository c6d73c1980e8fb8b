// CSetupScript: the setup record's defaults and the parser that fills it from setup.ini.
#include "script/setup_script.h"

#include <cstring>
#include <string>

#include "platform/afx_app.h"
#include "platform/afx_text.h"

namespace {

const char kScriptName[] = "setup.ini";
const char kLineTooLong[] = "Line too long";
const char kTooManyLines[] = "Maximum number of lines exceeded";

struct SectionEntry {
    const char* pszHeader;
    BOOL (CSetupScript::*pfnRead)();
};

const SectionEntry kSections[] = {
    {"[Title]", &CSetupScript::ReadTitle},
    {"[Message]", &CSetupScript::ReadMessage},
    {"[Ok]", &CSetupScript::ReadOk},
    {"[Cancel]", &CSetupScript::ReadCancel},
    {"[Run]", &CSetupScript::ReadRun},
    {"[Rootkey]", &CSetupScript::ReadRootkey},
    {"[RegKey]", &CSetupScript::ReadRegKey},
    {"[RegValue]", &CSetupScript::ReadRegValue},
    {"[RegVersion]", &CSetupScript::ReadRegVersion},
    {"[RegText]", &CSetupScript::ReadRegText},
};

// The headers are plain ASCII, so folding A-Z alone is enough: no other byte, and no
// double-byte character, can ever equal one of their characters.
const SectionEntry* FindSection(const char* pszLine)
{
    for (const SectionEntry& section : kSections) {
        if (AfxEqualNoCaseAscii(pszLine, section.pszHeader)) {
            return &section;
        }
    }
    return nullptr;
}

// A failure on the file's current line goes to the file's reporter when one is set,
// and otherwise to a message box; a null text ends the parse without a word.
BOOL Fail(const CScriptFile& file, const char* pszText)
{
    if (file.m_pReporter != nullptr) {
        file.m_pReporter->Error(pszText, file.m_nLineStart);
    } else if (pszText != nullptr) {
        AfxMessageBox(pszText);
    }
    return FALSE;
}

// A failure on a line the parse can leave out: true when a reporter reads on past it.
bool ReadsOnPast(const CScriptFile& file, const char* pszText)
{
    if (file.m_pReporter != nullptr) {
        return file.m_pReporter->Error(pszText, file.m_nLineStart);
    }
    return Fail(file, pszText) != FALSE;
}

void Tell(const CScriptFile& file, ScriptLine kind)
{
    if (file.m_pReporter != nullptr) {
        file.m_pReporter->Line(kind, file.m_nLineStart);
    }
}

BOOL ShowReadError(const CScriptFile& file)
{
    return Fail(file, (std::string("Can't read ") + kScriptName).c_str());
}

// After a read that returned nothing: the end of the file is a normal end, while a
// read error is shown here, where it is met, and fails the caller.
BOOL CheckEndOfFile(const CScriptFile& file) { return file.HasReadError() ? ShowReadError(file) : TRUE; }

// A multi-line section that meets a header hands that line back to Load. Going back
// to the raw offset where the line began holds for any line ends and any bytes.
BOOL GiveBackLine(CScriptFile& file)
{
    return file.Seek(file.m_nLineStart, CStdioFile::begin) == file.m_nLineStart ? TRUE : ShowReadError(file);
}

// A single-line section: the next line with content, whatever it is, is the value.
// The read goes through a buffer of its own, so that a field whose value never
// comes keeps what it held rather than a passed-over line.
BOOL ReadValue(CScriptFile& file, char* pszField)
{
    char szLine[SCRIPT_LINE_SIZE];
    if (file.ReadSignificantLine(szLine, SCRIPT_LINE_SIZE) == nullptr) {
        // A header at the end of the file fails without a message of its own; the
        // offset told is where the file ends.
        return file.HasReadError() ? ShowReadError(file) : Fail(file, nullptr);
    }
    Tell(file, ScriptLine::Value);
    std::strcpy(pszField, szLine);
    return TRUE;
}

// Copies the line with every tab as TAB_SPACES spaces (a fixed count, not up to a
// tab stop); false when the copy, its NUL included, would pass SCRIPT_LINE_SIZE bytes.
bool CopyExpandingTabs(const char* pszLine, char* pszOut)
{
    UINT nWritten = 0;
    for (const char* p = pszLine;; ++p) {
        if (*p == '\t') {
            if (nWritten + TAB_SPACES > SCRIPT_LINE_SIZE) {
                return false;
            }
            std::memset(pszOut + nWritten, ' ', TAB_SPACES);
            nWritten += TAB_SPACES;
            continue;
        }
        if (nWritten == SCRIPT_LINE_SIZE) {
            return false;
        }
        pszOut[nWritten++] = *p;
        if (*p == '\0') {
            return true;
        }
    }
}

// A [Message] line keeps its newline in the text, so the header test looks at a copy.
bool IsHeaderBeforeNewline(const char* pszLine)
{
    if (pszLine[0] != '[') {
        return false;  // the common case, without a copy
    }
    std::string text = pszLine;
    AfxCutAt(&text[0], '\n');
    return CSetupScript::IsSectionHeader(text.c_str()) != FALSE;
}

}  // namespace

CSetupScript::CSetupScript()
    : m_szRootkey{},
      m_szCancel{"Cancel"},
      m_szOk{"Ok"},
      m_szRun{},
      m_szRegKey{},
      m_szTitle{},
      m_szRegVersion{},
      m_szRegValue{},
      m_szRegText{}
{
}

BOOL CSetupScript::Load()
{
    if (!m_file.Open(kScriptName)) {
        // The launcher still runs, with the defaults, when there is no script.
        AfxMessageBox((std::string("Can't open ") + kScriptName).c_str());
        return TRUE;
    }
    // Everything the script says is handed on in its own encoding.
    AfxSetTextEncoding(m_file.IsUnicode() ? AfxTextEncoding::Utf8 : AfxTextEncoding::Ansi);
    // The file stays open after this: the record's destructor closes it.
    return Parse();
}

BOOL CSetupScript::Parse()
{
    char szLine[SCRIPT_LINE_SIZE];
    while (m_file.ReadSignificantLine(szLine, SCRIPT_LINE_SIZE) != nullptr) {
        const SectionEntry* pSection = FindSection(szLine);
        if (pSection == nullptr) {
            if (ReadsOnPast(m_file, (std::string("Error: ") + szLine).c_str())) {
                continue;
            }
            return FALSE;
        }
        Tell(m_file, ScriptLine::Header);
        if (!(this->*pSection->pfnRead)()) {
            return FALSE;
        }
    }
    return CheckEndOfFile(m_file);
}

BOOL CSetupScript::ReadTitle() { return ReadValue(m_file, m_szTitle); }
BOOL CSetupScript::ReadOk() { return ReadValue(m_file, m_szOk); }
BOOL CSetupScript::ReadCancel() { return ReadValue(m_file, m_szCancel); }
BOOL CSetupScript::ReadRun() { return ReadValue(m_file, m_szRun); }
BOOL CSetupScript::ReadRootkey() { return ReadValue(m_file, m_szRootkey); }
BOOL CSetupScript::ReadRegKey() { return ReadValue(m_file, m_szRegKey); }
BOOL CSetupScript::ReadRegValue() { return ReadValue(m_file, m_szRegValue); }
BOOL CSetupScript::ReadRegVersion() { return ReadValue(m_file, m_szRegVersion); }

// Raw lines up to the next header: blank, comment and indented lines are text here.
BOOL CSetupScript::ReadMessage()
{
    char* pszLine = new char[SCRIPT_LINE_SIZE];
    std::string text;  // grows with the section: at most 300 lines of 1499 characters
    BOOL bOk = TRUE;
    for (;;) {
        m_file.m_nLineStart = m_file.GetPosition();
        if (m_file.ReadString(pszLine, SCRIPT_LINE_SIZE) == nullptr) {
            bOk = CheckEndOfFile(m_file);
            break;
        }
        if (!ExpandTabs(&pszLine)) {
            if (ReadsOnPast(m_file, kLineTooLong)) {
                continue;
            }
            bOk = FALSE;
            break;
        }
        // Tested before the line limit: a header still ends a section of 300 lines.
        if (IsHeaderBeforeNewline(pszLine)) {
            bOk = GiveBackLine(m_file);
            break;
        }
        // The count runs over every [Message] section of the script together.
        if (m_nMessageLines == MAX_SECTION_LINES) {
            if (ReadsOnPast(m_file, kTooManyLines)) {
                continue;
            }
            bOk = FALSE;
            break;
        }
        Tell(m_file, ScriptLine::SectionText);
        text += pszLine;
        ++m_nMessageLines;
    }
    delete[] pszLine;
    if (!bOk) {
        return FALSE;
    }
    // A repeated section replaces the earlier text. The message view releases the
    // block with delete[].
    char* pszMessage = new char[text.size() + 1];
    std::memcpy(pszMessage, text.c_str(), text.size() + 1);
    delete[] m_pszMessage;
    m_pszMessage = pszMessage;
    return TRUE;
}

// Raw lines up to the next header, one per slot, without their newlines.
BOOL CSetupScript::ReadRegText()
{
    char szLine[SCRIPT_LINE_SIZE];
    // A repeated section fills the slots from the first again, while the count, and
    // so the limit, runs over every [RegText] section together.
    for (int nSlot = 0;; ++nSlot) {
        m_file.m_nLineStart = m_file.GetPosition();
        if (m_file.ReadString(szLine, SCRIPT_LINE_SIZE) == nullptr) {
            return CheckEndOfFile(m_file);
        }
        AfxCutAt(szLine, '\n');
        if (IsSectionHeader(szLine)) {
            return GiveBackLine(m_file);
        }
        if (m_nRegTextLines == MAX_SECTION_LINES) {
            if (ReadsOnPast(m_file, kTooManyLines)) {
                continue;  // every later line is over the limit too: no slot is filled again
            }
            return FALSE;
        }
        Tell(m_file, ScriptLine::SectionText);
        // nSlot never passes m_nRegTextLines, which is below MAX_SECTION_LINES here.
        std::strcpy(m_szRegText[nSlot], szLine);
        ++m_nRegTextLines;
    }
}

BOOL CSetupScript::IsSectionHeader(const char* lpszLine) { return FindSection(lpszLine) != nullptr ? TRUE : FALSE; }

BOOL CSetupScript::ExpandTabs(char** ppszLine)
{
    // A read that filled its buffer may have cut the line in two, so it is refused,
    // even when what filled it was a 1498-character line and its newline.
    if (std::strlen(*ppszLine) == SCRIPT_LINE_SIZE - 1) {
        return FALSE;
    }
    char* pszExpanded = new char[SCRIPT_LINE_SIZE];
    if (!CopyExpandingTabs(*ppszLine, pszExpanded)) {
        delete[] pszExpanded;
        return FALSE;
    }
    delete[] *ppszLine;
    *ppszLine = pszExpanded;
    return TRUE;
}
