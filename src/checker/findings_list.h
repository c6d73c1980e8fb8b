// The findings of one script as the checks add them: past a cap only the errors are
// kept and the rest counted; once the launcher ends, each later error says that it is
// never reached; taken at the end, they stand in the order of their offsets.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "checker/finding.h"

class CFindingsList {
public:
    void Add(long long nOffset, Severity severity, const char* pszCode, std::string text);
    // The launcher ends at this line, its first failure's; a later call changes nothing.
    void LauncherEndsAt(int nLine);
    bool LauncherEnds() const { return m_nEndLine > 0; }
    // The findings by offset (those at one offset in the order added), with a note of
    // the warnings and notes dropped at nEndOffset; the list is empty after.
    std::vector<Finding> Take(long long nEndOffset);

private:
    // Past this many findings in one file, only errors and a count are kept.
    static constexpr std::size_t kMaxFindings = 1000;

    std::vector<Finding> m_findings;
    int m_nEndLine = 0;
    long long m_nDropped = 0;
};
