// CScriptFile: the text-mode file through which setup.ini is read.
#pragma once

#include "afx/file.h"
#include "script/script_reporter.h"

// Size of every text buffer of the script: a value holds at most 1499 characters.
constexpr UINT SCRIPT_LINE_SIZE = 1500;

class CScriptFile : public CStdioFile {
public:
    // The next line that carries content, without its newline and its comment;
    // empty lines, comment lines and lines that begin with a blank are passed over.
    // Returns lpszBuffer, or null at the end of the file (or on a read error).
    virtual char* ReadSignificantLine(char* lpszBuffer, UINT nCapacity);

    // Told of every line read, when set; the launcher leaves it null.
    CScriptReporter* m_pReporter = nullptr;
    // Raw offset at which the line last read begins, by ReadSignificantLine or by a
    // multi-line section of the parser.
    long long m_nLineStart = 0;
};
