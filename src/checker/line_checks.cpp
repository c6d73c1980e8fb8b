// The checks of each line as the parser reports it, and of each failure it reports.
#include "checker/line_checks.h"

#include <algorithm>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsHeader(const std::string& text) { return CSetupScript::IsSectionHeader(text.c_str()) != FALSE; }

}  // namespace

void CLineChecks::Line(ScriptLine kind, long long nLineStart)
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

void CLineChecks::CheckHeader(long long nStart)
{
    m_section = SectionName(WithoutComment(m_pLines->LineAt(nStart), m_pLines->TextEncoding()));
    for (const auto& [section, nFirst] : m_seen.headers) {
        if (section.Same(m_section)) {
            m_pFindings->Add(nStart, Severity::Warning, "SC2004",
                             m_section.written + " is given again (also on line " +
                                 std::to_string(m_pLines->LineNumber(nFirst)) + "): the later one wins");
            break;
        }
    }
    m_seen.headers.emplace_back(m_section, nStart);
    m_pMessageLines = m_section.Is("[Message]") ? &m_seen.messageLineStarts[LowerCase(m_section.tag)] : nullptr;
    if (m_pMessageLines != nullptr) {
        m_pMessageLines->clear();
    }
}

void CLineChecks::CheckValue(long long nStart)
{
    m_seen.values.emplace_back(m_section, nStart);
    const std::string line = m_pLines->LineAt(nStart);
    const std::string value = WithoutComment(line, m_pLines->TextEncoding());
    if (IsHeader(value)) {
        m_pFindings->Add(nStart, Severity::Warning, "SC2002",
                         "the value of " + m_section.written + " is " + value + ", a header: it starts no section");
    }
    if (value.size() < line.size()) {
        m_pFindings->Add(m_pLines->RawOffset(nStart, value.size()), Severity::Warning, "SC2007",
                         "the value of " + m_section.written + " ends at this ';': the rest of the line is a comment");
    }
    const bool bKeepsBlanks = m_section.Is("[Run]") || m_section.Is("[RegVersion]");
    if (bKeepsBlanks && !value.empty() && IsBlank(value.back())) {
        const std::size_t nBlanks = value.size() - value.find_last_not_of(" \t") - 1;
        m_pFindings->Add(m_pLines->RawOffset(nStart, value.size() - nBlanks), Severity::Warning, "SC2008",
                         "blanks at the end of the " + m_section.written + " value are part of it");
    }
}

void CLineChecks::CheckPassedOver(long long nStart)
{
    const std::string text = WithoutComment(m_pLines->LineAt(nStart), m_pLines->TextEncoding());
    const std::string trimmed = Trimmed(text);
    if (text.empty() || !IsBlank(text[0]) || trimmed.empty()) {
        return;
    }
    const std::string where = m_section.written.empty() ? "" : " (after " + m_section.written + ")";
    if (IsHeader(trimmed)) {
        m_pFindings->Add(nStart, Severity::Warning, "SC2003",
                         "header " + trimmed + " with a blank before it" + where + ": the launcher ignores the line");
    } else {
        m_pFindings->Add(nStart, Severity::Warning, "SC2001",
                         "the line begins with a blank" + where + ": the launcher ignores it, text and all");
    }
}

void CLineChecks::CheckSectionText(long long nStart)
{
    if (m_pMessageLines != nullptr) {
        m_pMessageLines->push_back(nStart);
    }
    const std::string line = m_pLines->LineAt(nStart);
    const std::string trimmed = Trimmed(WithoutComment(line, m_pLines->TextEncoding()));
    if (IsHeader(trimmed)) {
        m_pFindings->Add(nStart, Severity::Warning, "SC2003",
                         "header " + trimmed + " with a blank or a comment beside it: it is a line of " +
                             m_section.written + ", not the start of a section");
    }
}

bool CLineChecks::TagOnUntranslated(const std::string& line, long long nStart)
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
    m_pFindings->Add(nStart, Severity::Error, "SC1001",
                     "\"Error: " + m_pLines->Quoted(line) + "\": " + header +
                         " takes no language tag, so this is no header; only " + translated +
                         " are given in languages");
    m_seen.taggedUntranslated.push_back(header);
    m_bValueOfUntranslated = true;
    return true;
}

bool CLineChecks::Error(const char* pszText, long long nLineStart)
{
    const std::string text = pszText != nullptr ? pszText : "";
    if (pszText == nullptr) {
        // Told at the end of the file: the header that found no value is where it ends.
        nLineStart = m_seen.headers.empty() ? 0 : m_seen.headers.back().second;
        m_pFindings->Add(nLineStart, Severity::Error, "SC1004",
                         m_section.written + " has no value before the end of the file: the launcher ends without a message");
    } else if (StartsWith(text, "Error: ") && m_bValueOfUntranslated) {
        // The value of a header told already: no finding of its own.
        m_bValueOfUntranslated = false;
        return true;
    } else if (StartsWith(text, "Error: ")) {
        if (!TagOnUntranslated(text.substr(7), nLineStart)) {
            m_pFindings->Add(nLineStart, Severity::Error, "SC1001",
                             "\"" + m_pLines->Quoted(text) +
                                 "\": where a section header is expected, only a header, an empty or comment "
                                 "line, or a line beginning with a blank may stand");
        }
    } else if (text == "Line too long") {
        const std::string line = m_pLines->LineAt(nLineStart);
        const long long nTabs = std::count(line.begin(), line.end(), '\t');
        const long long nLength = static_cast<long long>(line.size());
        const std::string has = nLength >= static_cast<long long>(SCRIPT_LINE_SIZE) - 2
                                    ? "this one has 1498 or more"
                                    : "this one has " + std::to_string(nLength + nTabs * (TAB_SPACES - 1)) +
                                          " with its tabs expanded";
        m_pFindings->Add(nLineStart, Severity::Error, "SC1002",
                         "\"" + text + "\": a " + m_section.written +
                             " line must stay under 1498 characters, and under 1499 once each tab is " +
                             std::to_string(TAB_SPACES) + " spaces; " + has);
    } else if (StartsWith(text, "Can't read")) {
        m_bReadError = true;
        return false;
    } else {
        // Told once for each kind of section: every later line of it is over the limit too.
        const bool bTold = std::any_of(m_overLimit.begin(), m_overLimit.end(),
                                       [this](const SectionName& section) { return section.Same(m_section); });
        if (!bTold) {
            m_overLimit.push_back(m_section);
            m_pFindings->Add(nLineStart, Severity::Error, "SC1003",
                             "\"" + text + "\": " + m_section.written + " takes at most " +
                                 std::to_string(MAX_SECTION_LINES) + " lines, counted over all its sections");
        }
    }
    m_pFindings->LauncherEndsAt(m_pLines->LineNumber(nLineStart));
    return true;
}
