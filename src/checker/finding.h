// A finding of the script checker, where it stands (line and column), and how it is
// printed: one line in the form compilers use, or one object of a JSON array; and the
// script's text quoted in UTF-8.
#pragma once

#include <string>
#include <vector>

enum class Severity { Error, Warning, Note };

struct Finding {
    long long nOffset;  // raw byte offset in the file that the finding points at
    Severity severity;
    const char* pszCode;
    std::string text;  // UTF-8
};

// Line and column, both from 1, of raw offsets in a file: lines end at each line feed,
// line 1 begins after the byte-order mark, and a column counts bytes (code units in a
// UTF-16 file), so that it is the column an editor shows.
class CLineIndex {
public:
    explicit CLineIndex(const std::string& bytes);
    void Locate(long long nOffset, int* pnLine, int* pnColumn) const;

private:
    std::vector<long long> m_lineStarts;
    long long m_nUnitBytes = 1;
};

const char* SeverityName(Severity severity);
// True when the finding makes the exit status 1: an error, or with --werror a warning.
bool FailsCheck(const Finding& finding, bool bWerror);

// Text quoted from a script, as the launcher shows it, in UTF-8: a Unicode script's
// broken sequences (a character cut where a line is read in pieces) each as U+FFFD,
// an ANSI script's bytes converted from the code page the checker was told.
std::string ScriptTextToUtf8(const std::string& text, bool bUnicodeScript);

// "FILE:LINE:COLUMN: severity: text [code]", on one line: control characters are
// written as \r, \n, \t, \xNN or \uNNNN.
std::string FormatFindingText(const std::string& file, int nLine, int nColumn, const Finding& finding);
// {"file":...,"line":...,"column":...,"severity":...,"code":...,"message":...}
std::string FormatFindingJson(const std::string& file, int nLine, int nColumn, const Finding& finding);
