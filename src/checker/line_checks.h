// The checks of each line as the parser reports it: headers given again, values that
// are headers or end at a comment, lines the launcher passes over, and the failures it
// ends at; what they see of the sections is kept for the later checks.
#pragma once

#include <string>
#include <vector>

#include "checker/checked_script.h"
#include "checker/findings_list.h"

class CLineChecks final : public CScriptReporter {
public:
    CLineChecks(CScriptLines* pLines, CFindingsList* pFindings) : m_pLines(pLines), m_pFindings(pFindings) {}

    // Every failure is told, and the parse reads on past it; the launcher ends at the
    // first, so the later ones say that it never reaches them.
    bool Error(const char* pszText, long long nLineStart) override;
    void Line(ScriptLine kind, long long nLineStart) override;

    // The script could not be read to its end.
    bool ReadError() const { return m_bReadError; }
    const SectionsSeen& Seen() const { return m_seen; }

private:
    void CheckHeader(long long nStart);
    void CheckValue(long long nStart);
    void CheckPassedOver(long long nStart);
    void CheckSectionText(long long nStart);
    // A line that is no header: true when it is a header with a language tag that its
    // section does not take, told here once, with the line after it that was its value.
    bool TagOnUntranslated(const std::string& line, long long nStart);

    CScriptLines* m_pLines;
    CFindingsList* m_pFindings;
    SectionsSeen m_seen;
    SectionName m_section;                              // the section being read
    std::vector<long long>* m_pMessageLines = nullptr;  // of the [Message] being read, if one is
    std::vector<SectionName> m_overLimit;               // sections told to be over the line limit
    bool m_bValueOfUntranslated = false;  // the next line is the value of a header told already
    bool m_bReadError = false;
};
