// A finding of the script checker, and how it is printed: one line in the form
// compilers use, or one object of a JSON array.
#pragma once

#include <string>
#include <vector>

enum class Severity { Error, Warning, Note };

struct Finding {
    long long nOffset;  // raw byte offset in the file that the finding points at
    Severity severity;
    const char* pszCode;
    std::string text;
};

// Line and column, both from 1, of raw offsets in a file: lines end at each line feed,
// and a column counts bytes (code units in a UTF-16 file).
class CLineIndex {
public:
    explicit CLineIndex(const std::string& bytes);
    void Locate(long long nOffset, int* pnLine, int* pnColumn) const;

private:
    std::vector<long long> m_lineStarts{0};
    long long m_nUnitBytes = 1;
};

const char* SeverityName(Severity severity);

// "FILE:LINE:COLUMN: severity: text [code]"
std::string FormatFindingText(const std::string& file, int nLine, int nColumn, const Finding& finding);
// {"file":...,"line":...,"column":...,"severity":...,"code":...,"message":...}
std::string FormatFindingJson(const std::string& file, int nLine, int nColumn, const Finding& finding);

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool IsValidUtf8(const std::string& bytes);
