// CSetupScript: the setup record's defaults and the parser that fills it from setup.ini.
#include "script/setup_script.h"

#include <cstring>
#include <string>

#include "afx/app.h"
#include "afx/system.h"
#include "afx/text.h"
#include "script/language_choice.h"

namespace {

const char kScriptName[] = "setup.ini";
const char kLineTooLong[] = "Line too long";
const char kTooManyLines[] = "Maximum number of lines exceeded";

struct SectionEntry {
    const char* pszHeader;
    BOOL (CSetupScript::*pfnRead)();
    bool bTranslated;  // may carry a language tag; what is installed never does
};

const SectionEntry kSections[] = {
    {"[Title]", &CSetupScript::ReadTitle, true},
    {"[Message]", &CSetupScript::ReadMessage, true},
    {"[Ok]", &CSetupScript::ReadOk, true},
    {"[Cancel]", &CSetupScript::ReadCancel, true},
    {"[Run]", &CSetupScript::ReadRun, true},
    {"[Rootkey]", &CSetupScript::ReadRootkey, false},
    {"[RegKey]", &CSetupScript::ReadRegKey, false},
    {"[RegValue]", &CSetupScript::ReadRegValue, false},
    {"[RegVersion]", &CSetupScript::ReadRegVersion, false},
    {"[RegText]", &CSetupScript::ReadRegText, true},
};

// The section whose header the line is, and the header's language tag (empty when
// untagged) in *pTag; with bAnySection, a tag is taken on a section that takes none
// too. The headers and tags are plain ASCII, so folding A-Z alone is enough: no other
// byte, and no double-byte character, can ever equal one of their characters.
const SectionEntry* FindSection(const char* pszLine, std::string* pTag, bool bAnySection = false)
{
    pTag->clear();
    for (const SectionEntry& section : kSections) {
        if (AfxEqualNoCaseAscii(pszLine, section.pszHeader)) {
            return &section;
        }
    }
    // No byte below 0x40 is ever a double-byte character's trail byte.
    const char* pszDot = std::strchr(pszLine, '.');
    const std::size_t nLength = std::strlen(pszLine);
    if (pszDot == nullptr || pszLine[nLength - 1] != ']' ||
        !IsLanguageTag(pszDot + 1, static_cast<std::size_t>(pszLine + nLength - 1 - (pszDot + 1)))) {
        return nullptr;
    }
    const std::string header = std::string(pszLine, pszDot) + ']';
    for (const SectionEntry& section : kSections) {
        if ((section.bTranslated || bAnySection) && AfxEqualNoCaseAscii(header.c_str(), section.pszHeader)) {
            pTag->assign(pszDot + 1, pszLine + nLength - 1);
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
        AfxMessageBox(pszText, file.TextEncoding());
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
BOOL ReadValue(CScriptFile& file, char* pszField, bool bKeep)
{
    char szLine[SCRIPT_LINE_SIZE];
    if (file.ReadSignificantLine(szLine, SCRIPT_LINE_SIZE) == nullptr) {
        // A header at the end of the file fails without a message of its own; the
        // offset told is where the file ends.
        return file.HasReadError() ? ShowReadError(file) : Fail(file, nullptr);
    }
    Tell(file, ScriptLine::Value);
    if (bKeep) {
        std::strcpy(pszField, szLine);
    }
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
bool IsHeaderBeforeNewline(const char* pszLine, AfxTextEncoding encoding)
{
    if (pszLine[0] != '[') {
        return false;  // the common case, without a copy
    }
    std::string text = pszLine;
    AfxCutAt(&text[0], '\n', encoding);
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
        AfxMessageBox((std::string("Can't open ") + kScriptName).c_str(), m_encoding);
        return TRUE;
    }
    // Everything the script says reaches the platform in its own encoding, the
    // boxes of the parse included: the record's m_encoding, which Parse sets, is
    // that encoding's one source. The file stays open after this: the record's
    // destructor closes it.
    return Parse(AfxGetUserLanguages());
}

BOOL CSetupScript::Parse(const std::vector<std::string>& userLanguages)
{
    m_encoding = m_file.TextEncoding();
    const long long nTextStart = m_file.GetPosition();
    if (!ReadSections(std::string())) {
        return FALSE;
    }
    m_language = ChooseLanguage(userLanguages, m_languages);
    return m_language.empty() ? TRUE : ReadLanguageSections(m_language, nTextStart);
}

BOOL CSetupScript::ReadLanguageSections(const std::string& tag, long long nTextStart)
{
    const std::vector<std::string> fallbacks = LanguageFallbacks(tag);
    for (auto it = fallbacks.rbegin(); it != fallbacks.rend(); ++it) {
        if (FindLanguage(m_languages, *it) == nullptr) {
            continue;
        }
        if (m_file.Seek(nTextStart, CStdioFile::begin) != nTextStart) {
            return ShowReadError(m_file);
        }
        if (!ReadSections(*it)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CSetupScript::ReadSections(const std::string& keptTag)
{
    // Every reading counts the lines afresh, and so meets the same limits.
    m_nMessageLines = 0;
    m_nRegTextLines = 0;
    m_languages.clear();
    char szLine[SCRIPT_LINE_SIZE];
    std::string tag;
    while (m_file.ReadSignificantLine(szLine, SCRIPT_LINE_SIZE) != nullptr) {
        const SectionEntry* pSection = FindSection(szLine, &tag);
        if (pSection == nullptr) {
            if (ReadsOnPast(m_file, (std::string("Error: ") + szLine).c_str())) {
                continue;
            }
            return FALSE;
        }
        m_bKeepSection = AfxEqualNoCaseAscii(tag.c_str(), keptTag.c_str());
        m_nSectionLanguage = -1;
        if (!tag.empty()) {
            const ScriptLanguage* pLanguage = FindLanguage(m_languages, tag);
            if (pLanguage == nullptr) {
                m_languages.push_back({tag});
                pLanguage = &m_languages.back();
            }
            m_nSectionLanguage = static_cast<int>(pLanguage - m_languages.data());
        }
        Tell(m_file, ScriptLine::Header);
        if (!(this->*pSection->pfnRead)()) {
            return FALSE;
        }
    }
    return CheckEndOfFile(m_file);
}

BOOL CSetupScript::ReadTitle() { return ReadValue(m_file, m_szTitle, m_bKeepSection); }
BOOL CSetupScript::ReadOk() { return ReadValue(m_file, m_szOk, m_bKeepSection); }
BOOL CSetupScript::ReadCancel() { return ReadValue(m_file, m_szCancel, m_bKeepSection); }
BOOL CSetupScript::ReadRun() { return ReadValue(m_file, m_szRun, m_bKeepSection); }
BOOL CSetupScript::ReadRootkey() { return ReadValue(m_file, m_szRootkey, m_bKeepSection); }
BOOL CSetupScript::ReadRegKey() { return ReadValue(m_file, m_szRegKey, m_bKeepSection); }
BOOL CSetupScript::ReadRegValue() { return ReadValue(m_file, m_szRegValue, m_bKeepSection); }
BOOL CSetupScript::ReadRegVersion() { return ReadValue(m_file, m_szRegVersion, m_bKeepSection); }

int& CSetupScript::SectionLines(int ScriptLanguage::*pnLanguageLines, int* pnUntaggedLines)
{
    return m_nSectionLanguage < 0 ? *pnUntaggedLines : m_languages[m_nSectionLanguage].*pnLanguageLines;
}

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
        if (IsHeaderBeforeNewline(pszLine, m_encoding)) {
            bOk = GiveBackLine(m_file);
            break;
        }
        // The count runs over every [Message] section of one language together.
        int& nLines = SectionLines(&ScriptLanguage::nMessageLines, &m_nMessageLines);
        if (nLines == MAX_SECTION_LINES) {
            if (ReadsOnPast(m_file, kTooManyLines)) {
                continue;
            }
            bOk = FALSE;
            break;
        }
        Tell(m_file, ScriptLine::SectionText);
        if (m_bKeepSection) {
            text += pszLine;
        }
        ++nLines;
    }
    delete[] pszLine;
    if (!bOk || !m_bKeepSection) {
        return bOk;
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
    // A tagged section replaces the text it is chosen over.
    if (m_bKeepSection && m_nSectionLanguage >= 0) {
        for (char* pszSlot : m_szRegText) {
            pszSlot[0] = '\0';
        }
    }
    // A repeated section fills the slots from the first again, while the count, and
    // so the limit, runs over every [RegText] section of one language together.
    for (int nSlot = 0;; ++nSlot) {
        m_file.m_nLineStart = m_file.GetPosition();
        if (m_file.ReadString(szLine, SCRIPT_LINE_SIZE) == nullptr) {
            return CheckEndOfFile(m_file);
        }
        AfxCutAt(szLine, '\n', m_encoding);
        if (IsSectionHeader(szLine)) {
            return GiveBackLine(m_file);
        }
        int& nLines = SectionLines(&ScriptLanguage::nRegTextLines, &m_nRegTextLines);
        if (nLines == MAX_SECTION_LINES) {
            if (ReadsOnPast(m_file, kTooManyLines)) {
                continue;  // every later line is over the limit too: no slot is filled again
            }
            return FALSE;
        }
        Tell(m_file, ScriptLine::SectionText);
        // nSlot never passes nLines, which is below MAX_SECTION_LINES here.
        if (m_bKeepSection) {
            std::strcpy(m_szRegText[nSlot], szLine);
        }
        ++nLines;
    }
}

BOOL CSetupScript::IsSectionHeader(const char* lpszLine)
{
    std::string tag;
    return FindSection(lpszLine, &tag) != nullptr ? TRUE : FALSE;
}

BOOL CSetupScript::SplitSectionHeader(const char* lpszLine, std::string* pHeader, std::string* pTag)
{
    const SectionEntry* pSection = FindSection(lpszLine, pTag);
    if (pSection == nullptr) {
        return FALSE;
    }
    *pHeader = pSection->pszHeader;
    return TRUE;
}

BOOL CSetupScript::SplitTaggedHeader(const char* lpszLine, std::string* pHeader, std::string* pTag, bool* pbTakesTag)
{
    const SectionEntry* pSection = FindSection(lpszLine, pTag, true);
    if (pSection == nullptr) {
        return FALSE;
    }
    *pHeader = pSection->pszHeader;
    *pbTakesTag = pSection->bTranslated;
    return TRUE;
}

std::vector<std::string> CSetupScript::TranslatedHeaders()
{
    std::vector<std::string> headers;
    for (const SectionEntry& section : kSections) {
        if (section.bTranslated) {
            headers.push_back(section.pszHeader);
        }
    }
    return headers;
}

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
