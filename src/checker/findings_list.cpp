// The checker's findings of one script: the cap, the "not reached" suffix and the order.
#include "checker/findings_list.h"

#include <algorithm>
#include <utility>

void CFindingsList::Add(long long nOffset, Severity severity, const char* pszCode, std::string text)
{
    if (severity != Severity::Error && m_findings.size() >= kMaxFindings) {
        ++m_nDropped;
        return;
    }
    if (severity == Severity::Error && m_nEndLine > 0) {
        text += " (not reached: the launcher ends at line " + std::to_string(m_nEndLine) + " first)";
    }
    m_findings.push_back({nOffset, severity, pszCode, std::move(text)});
}

void CFindingsList::LauncherEndsAt(int nLine)
{
    if (m_nEndLine == 0) {
        m_nEndLine = nLine;
    }
}

std::vector<Finding> CFindingsList::Take(long long nEndOffset)
{
    if (m_nDropped > 0) {
        m_findings.push_back({nEndOffset, Severity::Note, "SC3002",
                              std::to_string(m_nDropped) + " more warnings and notes not shown"});
        m_nDropped = 0;
    }
    std::vector<Finding> findings;
    findings.swap(m_findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.nOffset < b.nOffset; });
    return findings;
}
