// The checker's findings, derived from what the parser reports and from the record it
// fills: errors where the launcher ends or complains, warnings for the traps it
// passes over silently, notes for long wrapped lines.
#include "checker/script_check.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "app/root_key.h"
#include "checker/run_program.h"
#include "afx/text.h"
#include "script/setup_script.h"

namespace {

// A record of its own for each check; the parser's record is never deleted.
struct CheckRecord final : CSetupScript {
    ~CheckRecord() { delete[] m_pszMessage; }
};

// Past this many warnings and notes in one file, only errors and a count are kept.
constexpr std::size_t kMaxFindings = 1000;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The text before the comment, cut as the line reader cuts it.
std::string WithoutComment(const std::string& line, AfxTextEncoding encoding)
{
    std::string text = line;
    AfxCutAt(&text[0], ';', encoding);
    return text.c_str();
}

bool IsHeader(const std::string& text) { return CSetupScript::IsSectionHeader(text.c_str()) != FALSE; }

bool StartsWith(const std::string& text, const char* pszPrefix) { return text.rfind(pszPrefix, 0) == 0; }

std::string LowerCase(std::string text)
{
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

// A section header met, as the script writes it and as the parser classifies it.
struct SectionName {
    std::string written;
    std::string header;  // the untagged header ("[Title]"), as the parser names it
    std::string tag;     // empty when untagged

    explicit SectionName(const std::string& line = {}) : written(line)
    {
        CSetupScript::SplitSectionHeader(line.c_str(), &header, &tag);
    }
    // The same section of the same language: a later one replaces it.
    bool Same(const SectionName& other) const
    {
        return header == other.header && AfxEqualNoCaseAscii(tag.c_str(), other.tag.c_str());
    }
    bool Is(const char* pszHeader) const { return header == pszHeader; }
};

// The record as the launcher fills it for a user of this language, read again from
// the script's bytes without a word: the checker has told every finding already.
std::unique_ptr<CheckRecord> ReadForLanguage(const std::string& bytes, const std::string& tag)
{
    struct CQuiet final : CScriptReporter {
        bool Error(const char*, long long) override { return true; }
        void Line(ScriptLine, long long) override {}
    };
    static CQuiet quiet;
    auto pRecord = std::make_unique<CheckRecord>();
    pRecord->m_file.m_pReporter = &quiet;
    if (pRecord->m_file.OpenBytes(bytes.data(), bytes.size())) {
        pRecord->Parse({tag});
    }
    return pRecord;
}

// What users get from a section that the script gives only with language tags.
const char* DefaultOf(const std::string& header)
{
    static const char* const kDefaults[][2] = {
        {"[Title]", "an empty caption"}, {"[Message]", "no message"}, {"[Ok]", "the caption Ok"},
        {"[Cancel]", "the caption Cancel"}, {"[Run]", "no command"}, {"[RegText]", "no notice"},
    };
    for (const auto& entry : kDefaults) {
        if (header == entry[0]) {
            return entry[1];
        }
    }
    return "the default";
}


// Told of each line as the parser meets it, it checks the line at once.
class CChecker final : public CScriptReporter {
public:
    CChecker(const std::string& bytes, const char* pszFolder) : m_bytes(bytes), m_folder(pszFolder), m_index(bytes)
    {
        m_reader.OpenBytes(bytes.data(), bytes.size());
    }

    // Every failure is told, and the parse reads on past it; the launcher ends at the
    // first, so the later ones say that it never reaches them.
    bool Error(const char* pszText, long long nLineStart) override;
    void Line(ScriptLine kind, long long nLineStart) override;

    void Add(long long nOffset, Severity severity, const char* pszCode, std::string text)
    {
        if (severity != Severity::Error && m_result.findings.size() >= kMaxFindings) {
            ++m_nDropped;
            return;
        }
        if (severity == Severity::Error && m_nEndLine > 0) {
            text += " (not reached: the launcher ends at line " + std::to_string(m_nEndLine) + " first)";
        }
        m_result.findings.push_back({nOffset, severity, pszCode, std::move(text)});
    }

    // The line that starts at a raw offset, read again through the script reader,
    // without its newline.
    std::string LineAt(long long nStart)
    {
        char szLine[SCRIPT_LINE_SIZE] = {};
        if (m_reader.Seek(nStart, CStdioFile::begin) != nStart || m_reader.ReadString(szLine, SCRIPT_LINE_SIZE) == nullptr) {
            return {};
        }
        AfxCutAt(szLine, '\n', m_reader.TextEncoding());
        return szLine;
    }

    // Raw offset of the character that holds byte nIndex of the line read at nStart:
    // the reader reads that far again, whatever the file's encoding.
    long long RawOffset(long long nStart, std::size_t nIndex)
    {
        std::string text(nIndex + 1, '\0');
        if (m_reader.Seek(nStart, CStdioFile::begin) != nStart ||
            m_reader.ReadString(&text[0], static_cast<UINT>(nIndex + 1)) == nullptr) {
            return nStart;
        }
        return m_reader.GetPosition();
    }

    // Text of the script as the launcher shows it, in UTF-8, for a finding to quote.
    std::string Quoted(const std::string& text) const { return ScriptTextToUtf8(text, m_reader.TextEncoding() == AfxTextEncoding::Utf8); }

    int LineNumber(long long nOffset) const
    {
        int nLine = 0;
        int nColumn = 0;
        m_index.Locate(nOffset, &nLine, &nColumn);
        return nLine;
    }

    void AddDroppedCount();
    bool LauncherEnds() const { return m_nEndLine > 0; }
    void CheckRecordFields(const CSetupScript& record);
    // The message of the record, read from the [Message] sections of this tag
    // (empty: the untagged ones).
    void CheckMessageWrap(const CSetupScript& record, const CTextWidths& widths, const std::string& tag = {});
    void CheckLanguages(const CSetupScript& record, const CTextWidths& widths);
    void CheckEncoding();
    // The [Run] program of the untagged sections, and of each language's own [Run].
    void CheckRunPrograms(const CSetupScript& record);

    CheckResult m_result;

private:
    void CheckHeader(long long nStart);
    void CheckValue(long long nStart);
    void CheckPassedOver(long long nStart);
    void CheckSectionText(long long nStart);
    // A line that is no header: true when it is a header with a language tag that its
    // section does not take, told here once, with the line after it that was its value.
    bool TagOnUntranslated(const std::string& line, long long nStart);
    // Raw offset of the last value of an untagged single-line section; -1 if none was read.
    long long ValueStart(const char* pszHeader) const;

    const std::string& m_bytes;
    const std::string m_folder;
    CLineIndex m_index;
    CScriptFile m_reader;
    std::vector<std::pair<SectionName, long long>> m_headers;  // every header met, in order
    std::vector<std::pair<SectionName, long long>> m_values;   // section, value start
    // The line starts of the last [Message] section of each tag, lower case.
    std::map<std::string, std::vector<long long>> m_messageLineStarts;
    SectionName m_section;                                     // the section being read
    std::vector<long long>* m_pMessageLines = nullptr;         // of the [Message] being read, if one is
    int m_nEndLine = 0;                  // where the launcher ends, once a failure is told
    std::vector<SectionName> m_overLimit;  // sections told to be over the line limit
    // The sections given with a tag they do not take ("[RegVersion]" for
    // "[RegVersion.de]"), and whether the next line is the value of such a header.
    std::vector<std::string> m_taggedUntranslated;
    bool m_bValueOfUntranslated = false;
    long long m_nDropped = 0;
};

void CChecker::Line(ScriptLine kind, long long nLineStart)
{
    m_bValueOfUntranslated = m_bValueOfUntranslated && kind == ScriptLine::PassedOver;
    switch (kind) {
    case ScriptLine::Header:
        CheckHeader(nLineStart);
        break;
    case ScriptLine::Value:
        CheckValue(nLineStart);
        break;
    case ScriptLine::PassedOver:
        CheckPassedOver(nLineStart);
        break;
    case ScriptLine::SectionText:
        CheckSectionText(nLineStart);
        break;
    }
}

void CChecker::AddDroppedCount()
{
    if (m_nDropped > 0) {
        m_result.findings.push_back({static_cast<long long>(m_bytes.size()), Severity::Note, "SC3002",
                                     std::to_string(m_nDropped) + " more warnings and notes not shown"});
    }
}

void CChecker::CheckHeader(long long nStart)
{
    m_section = SectionName(WithoutComment(LineAt(nStart), m_reader.TextEncoding()));
    for (const auto& [section, nFirst] : m_headers) {
        if (section.Same(m_section)) {
            Add(nStart, Severity::Warning, "SC2004",
                m_section.written + " is given again (also on line " + std::to_string(LineNumber(nFirst)) +
                    "): the later one wins");
            break;
        }
    }
    m_headers.emplace_back(m_section, nStart);
    m_pMessageLines = m_section.Is("[Message]") ? &m_messageLineStarts[LowerCase(m_section.tag)] : nullptr;
    if (m_pMessageLines != nullptr) {
        m_pMessageLines->clear();
    }
}

void CChecker::CheckValue(long long nStart)
{
    m_values.emplace_back(m_section, nStart);
    const std::string line = LineAt(nStart);
    const std::string value = WithoutComment(line, m_reader.TextEncoding());
    if (IsHeader(value)) {
        Add(nStart, Severity::Warning, "SC2002",
            "the value of " + m_section.written + " is " + value + ", a header: it starts no section");
    }
    if (value.size() < line.size()) {
        Add(RawOffset(nStart, value.size()), Severity::Warning, "SC2007",
            "the value of " + m_section.written + " ends at this ';': the rest of the line is a comment");
    }
    const bool bKeepsBlanks = m_section.Is("[Run]") || m_section.Is("[RegVersion]");
    if (bKeepsBlanks && !value.empty() && IsBlank(value.back())) {
        const std::size_t nBlanks = value.size() - value.find_last_not_of(" \t") - 1;
        Add(RawOffset(nStart, value.size() - nBlanks), Severity::Warning, "SC2008",
            "blanks at the end of the " + m_section.written + " value are part of it");
    }
}

void CChecker::CheckPassedOver(long long nStart)
{
    const std::string text = WithoutComment(LineAt(nStart), m_reader.TextEncoding());
    const std::string trimmed = Trimmed(text);
    if (text.empty() || !IsBlank(text[0]) || trimmed.empty()) {
        return;
    }
    const std::string where = m_section.written.empty() ? "" : " (after " + m_section.written + ")";
    if (IsHeader(trimmed)) {
        Add(nStart, Severity::Warning, "SC2003",
            "header " + trimmed + " with a blank before it" + where + ": the launcher ignores the line");
    } else {
        Add(nStart, Severity::Warning, "SC2001",
            "the line begins with a blank" + where + ": the launcher ignores it, text and all");
    }
}

void CChecker::CheckSectionText(long long nStart)
{
    if (m_pMessageLines != nullptr) {
        m_pMessageLines->push_back(nStart);
    }
    const std::string line = LineAt(nStart);
    const std::string trimmed = Trimmed(WithoutComment(line, m_reader.TextEncoding()));
    if (IsHeader(trimmed)) {
        Add(nStart, Severity::Warning, "SC2003",
            "header " + trimmed + " with a blank or a comment beside it: it is a line of " + m_section.written +
                ", not the start of a section");
    }
}

long long CChecker::ValueStart(const char* pszHeader) const
{
    for (auto it = m_values.rbegin(); it != m_values.rend(); ++it) {
        if (it->first.Is(pszHeader) && it->first.tag.empty()) {
            return it->second;
        }
    }
    return -1;
}

bool CChecker::TagOnUntranslated(const std::string& line, long long nStart)
{
    std::string header;
    std::string tag;
    bool bTakesTag = true;
    if (!CSetupScript::SplitTaggedHeader(line.c_str(), &header, &tag, &bTakesTag) || bTakesTag) {
        return false;
    }
    std::string translated;
    for (const std::string& each : CSetupScript::TranslatedHeaders()) {
        translated += (translated.empty() ? "" : ", ") + each;
    }
    Add(nStart, Severity::Error, "SC1001",
        "\"Error: " + Quoted(line) + "\": " + header + " takes no language tag, so this is no header; only " +
            translated + " are given in languages");
    m_taggedUntranslated.push_back(header);
    m_bValueOfUntranslated = true;
    return true;
}

bool CChecker::Error(const char* pszText, long long nLineStart)
{
    const std::string text = pszText != nullptr ? pszText : "";
    if (pszText == nullptr) {
        // Told at the end of the file: the header that found no value is where it ends.
        nLineStart = m_headers.empty() ? 0 : m_headers.back().second;
        Add(nLineStart, Severity::Error, "SC1004",
            m_section.written + " has no value before the end of the file: the launcher ends without a message");
    } else if (StartsWith(text, "Error: ") && m_bValueOfUntranslated) {
        // The value of a header told already: no finding of its own.
        m_bValueOfUntranslated = false;
        return true;
    } else if (StartsWith(text, "Error: ")) {
        if (!TagOnUntranslated(text.substr(7), nLineStart)) {
            Add(nLineStart, Severity::Error, "SC1001",
                "\"" + Quoted(text) + "\": where a section header is expected, only a header, an empty or comment "
                                      "line, or a line beginning with a blank may stand");
        }
    } else if (text == "Line too long") {
        const std::string line = LineAt(nLineStart);
        const long long nTabs = std::count(line.begin(), line.end(), '\t');
        const long long nLength = static_cast<long long>(line.size());
        const std::string has = nLength >= static_cast<long long>(SCRIPT_LINE_SIZE) - 2
                                    ? "this one has 1498 or more"
                                    : "this one has " + std::to_string(nLength + nTabs * (TAB_SPACES - 1)) +
                                          " with its tabs expanded";
        Add(nLineStart, Severity::Error, "SC1002",
            "\"" + text + "\": a " + m_section.written + " line must stay under 1498 characters, and under 1499 once each tab is " +
                std::to_string(TAB_SPACES) + " spaces; " + has);
    } else if (StartsWith(text, "Can't read")) {
        m_result.bReadError = true;
        return false;
    } else {
        // Told once for each kind of section: every later line of it is over the limit too.
        const bool bTold = std::any_of(m_overLimit.begin(), m_overLimit.end(),
                                       [this](const SectionName& section) { return section.Same(m_section); });
        if (!bTold) {
            m_overLimit.push_back(m_section);
            Add(nLineStart, Severity::Error, "SC1003",
                "\"" + text + "\": " + m_section.written + " takes at most " + std::to_string(MAX_SECTION_LINES) +
                    " lines, counted over all its sections");
        }
    }
    if (m_nEndLine == 0) {
        m_nEndLine = LineNumber(nLineStart);
    }
    return true;
}

void CChecker::CheckRecordFields(const CSetupScript& record)
{
    const bool bKey = record.m_szRegKey[0] != '\0';
    const bool bVersion = record.m_szRegVersion[0] != '\0';
    const char* pszMissing = bKey ? "[RegVersion]" : "[RegKey]";
    // A section given with a tag it does not take is told already.
    const bool bMissingTagged = std::find(m_taggedUntranslated.begin(), m_taggedUntranslated.end(), pszMissing) !=
                                m_taggedUntranslated.end();
    if (bKey != bVersion && !bMissingTagged) {
        const char* pszGiven = bKey ? "[RegKey]" : "[RegVersion]";
        Add(ValueStart(pszGiven), Severity::Warning, "SC2005",
            std::string(pszGiven) + " without " + pszMissing + ": no version check runs");
    }
    if (bKey && bVersion) {
        const char* pszRoot = record.m_szRootkey[0] != '\0' ? record.m_szRootkey : "HKEY_CURRENT_USER";
        AfxRootKey root = AfxRootKey::CurrentUser;
        if (!LookUpRootKey(pszRoot, &root)) {
            Add(ValueStart("[Rootkey]"), Severity::Error, "SC1005",
                "\"" + Quoted(pszRoot) + kBadRootKeySuffix +
                    "\": the launcher ends; a root key is HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, " +
                    "HKEY_LOCAL_MACHINE or HKEY_USERS, in capitals");
        }
        if (record.m_szRegText[0][0] == '\0') {
            Add(ValueStart("[RegVersion]"), Severity::Warning, "SC2006",
                "a version check with no [RegText]: when another version is installed, the launcher ends "
                "without a word");
        }
    }
    if (record.m_szRun[0] == '\0') {
        Add(0, Severity::Warning, "SC2009", "no [Run] command: the default button only closes the window");
    }
}

void CChecker::CheckRunPrograms(const CSetupScript& record)
{
    const std::string missing =
        record.m_szRun[0] != '\0' ? MissingRunProgram(m_folder.c_str(), record.m_szRun, record.m_encoding) : "";
    if (!missing.empty()) {
        Add(ValueStart("[Run]"), Severity::Warning, "SC2011", Quoted(missing));
    }
    // Each language's last [Run] value is the command its users start.
    std::vector<SectionName> checked;
    for (auto it = m_values.rbegin(); it != m_values.rend(); ++it) {
        const SectionName& section = it->first;
        const auto isChecked = [&section](const SectionName& other) { return other.Same(section); };
        if (!section.Is("[Run]") || section.tag.empty() || std::any_of(checked.begin(), checked.end(), isChecked)) {
            continue;
        }
        checked.push_back(section);
        const std::string value = WithoutComment(LineAt(it->second), record.m_encoding);
        const std::string missingHere = MissingRunProgram(m_folder.c_str(), value.c_str(), record.m_encoding);
        if (!missingHere.empty()) {
            Add(it->second, Severity::Warning, "SC2011", section.written + ": " + Quoted(missingHere));
        }
    }
}

void CChecker::CheckMessageWrap(const CSetupScript& record, const CTextWidths& widths, const std::string& tag)
{
    if (record.m_pszMessage == nullptr) {
        return;
    }
    const std::vector<long long>& lineStarts = m_messageLineStarts[LowerCase(tag)];
    const std::string language = tag.empty() ? "" : "[Message." + tag + "]: ";
    const ViewLayout layout = LayOutForView(record.m_pszMessage, record.m_encoding, widths);
    // A newline always ends a display line, so each line of the text wraps alone.
    long long nDisplayLines = 0;
    std::size_t nLine = 0;
    for (const char* p = record.m_pszMessage; *p != '\0'; ++nLine) {
        const char* pEnd = std::strchr(p, '\n');
        const std::string line(p, pEnd != nullptr ? pEnd + 1 : p + std::strlen(p));
        const bool bGuessedHere = layout.pGuessed >= p && layout.pGuessed < p + line.size();
        p += line.size();
        const long long nStart = nLine < lineStarts.size() ? lineStarts[nLine] : 0;
        if (bGuessedHere) {
            Add(nStart, Severity::Note, "SC3003",
                language + "this line has a character that is not in the checker's table of the font: it is counted as "
                "the widest one, so the line counts may be more than the launcher's");
        }
        const std::size_t nWrapped = LayOutForView(line.c_str(), record.m_encoding, widths).wrapped.lines.size();
        const int nVisibleLines = ViewSizeFor(widths).nVisibleLines;
        if (nWrapped > static_cast<std::size_t>(nVisibleLines)) {
            Add(nStart, Severity::Note, "SC3001",
                language + "this line wraps into " + std::to_string(nWrapped) + " display lines; the window shows " +
                    std::to_string(nVisibleLines) + " without scrolling");
        }
        const bool bPasses = nDisplayLines <= MAX_VIEW_LINES &&
                             nDisplayLines + static_cast<long long>(nWrapped) > MAX_VIEW_LINES;
        nDisplayLines += static_cast<long long>(nWrapped);
        if (!layout.wrapped.limitHit || !(bPasses || (*p == '\0' && nDisplayLines <= MAX_VIEW_LINES))) {
            continue;
        }
        if (!layout.bLimitCertain) {
            Add(nStart, Severity::Warning, "SC1006",
                language + "\"Maximum number of view lines exceeded\" may be shown: the message wraps into more than " +
                    std::to_string(MAX_VIEW_LINES) +
                    " display lines with the widths the checker guessed; the launcher may show it whole");
        } else {
            Add(nStart, Severity::Error, "SC1006",
                language + "\"Maximum number of view lines exceeded\": the message wraps into more than " +
                    std::to_string(MAX_VIEW_LINES) + " display lines at the default font; the rest is not shown");
        }
    }
}

void CChecker::CheckLanguages(const CSetupScript& record, const CTextWidths& widths)
{
    if (record.m_languages.empty()) {
        return;
    }
    std::string names;
    for (const ScriptLanguage& language : record.m_languages) {
        names += (names.empty() ? "" : ", ") + language.tag;
        // A language whose message falls back to another tag's is checked with that one.
        if (!LauncherEnds() && m_messageLineStarts.count(LowerCase(language.tag)) != 0) {
            CheckMessageWrap(*ReadForLanguage(m_bytes, language.tag), widths, language.tag);
        }
    }
    Add(0, Severity::Note, "SC3004", "languages: " + names + "; users of any other language read the untagged sections");
    std::vector<std::string> warned;
    for (const auto& [section, nStart] : m_headers) {
        const std::string& header = section.header;
        const auto isUntagged = [&header](const std::pair<SectionName, long long>& other) {
            return other.first.Is(header.c_str()) && other.first.tag.empty();
        };
        if (section.tag.empty() || std::find(warned.begin(), warned.end(), header) != warned.end() ||
            std::any_of(m_headers.begin(), m_headers.end(), isUntagged)) {
            continue;
        }
        warned.push_back(header);
        Add(nStart, Severity::Warning, "SC2012",
            section.written + " has no untagged " + header + ": users of other languages get " + DefaultOf(header));
    }
}

void CChecker::CheckEncoding()
{
    static const char* const kByteOrderMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    for (const char* pszMark : kByteOrderMarks) {
        if (StartsWith(m_bytes, pszMark)) {
            return;
        }
    }
    const auto firstHigh = std::find_if(m_bytes.begin(), m_bytes.end(), [](char c) { return (c & 0x80) != 0; });
    if (firstHigh != m_bytes.end() && IsValidUtf8(m_bytes)) {
        Add(firstHigh - m_bytes.begin(), Severity::Warning, "SC2010",
            "UTF-8 text without a byte-order mark: the launcher shows each of its bytes as an ANSI character");
    }
}

}  // namespace

CheckResult CheckScript(const std::string& bytes, const char* pszFolder, const CTextWidths& widths,
                        const char* pszLanguage)
{
    CChecker checker(bytes, pszFolder);
    // Some 460 KB: on the heap.
    const auto pRecord = std::make_unique<CheckRecord>();
    pRecord->m_file.m_pReporter = &checker;
    if (!pRecord->m_file.OpenBytes(bytes.data(), bytes.size())) {
        checker.m_result.bReadError = true;
        return checker.m_result;
    }
    pRecord->Parse();
    if (checker.m_result.bReadError) {
        return checker.m_result;
    }
    checker.CheckMessageWrap(*pRecord, widths);
    checker.CheckLanguages(*pRecord, widths);
    // The message of the language asked for, as its users see it.
    const auto pLanguageRecord = pszLanguage[0] != '\0' ? ReadForLanguage(bytes, pszLanguage) : nullptr;
    const CSetupScript& shown = pLanguageRecord != nullptr ? *pLanguageRecord : *pRecord;
    checker.m_result.bHasMessage = !checker.LauncherEnds() && shown.m_pszMessage != nullptr;
    checker.m_result.message = checker.m_result.bHasMessage ? shown.m_pszMessage : "";
    checker.m_result.encoding = pRecord->m_encoding;
    checker.CheckRecordFields(*pRecord);
    checker.CheckRunPrograms(*pRecord);
    checker.m_result.title = ScriptTextToUtf8(pRecord->m_szTitle, pRecord->m_encoding == AfxTextEncoding::Utf8);
    checker.CheckEncoding();
    checker.AddDroppedCount();
    std::stable_sort(checker.m_result.findings.begin(), checker.m_result.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.nOffset < b.nOffset; });
    return checker.m_result;
}
