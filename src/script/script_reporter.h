// What the script reader and parser tell about a script as they read it: the failure
// that ends the parse, and each line they meet. The launcher installs no reporter and
// shows failures in message boxes; a checker installs one to place every finding.
#pragma once

enum class ScriptLine {
    PassedOver,   // skipped by the line reader: empty, a comment, or begins with a blank
    Header,       // a section header where one was expected
    Value,        // the value of a single-line section
    SectionText,  // a line of a multi-line section
};

class CScriptReporter {
public:
    // A failure, in the launcher's words, and the raw offset at which its line starts.
    // pszText is null where the launcher ends without a word: a single-line header,
    // the last one told, met the end of the file. The launcher ends at its first
    // failure; a reporter that returns true has the parse read on past the failing
    // line where it can (a line that is no header, too long, or over the line limit).
    virtual bool Error(const char* pszText, long long nLineStart) = 0;
    // A line met, by the raw offset at which it starts: the reporter reads it again
    // there if it wants its text.
    virtual void Line(ScriptLine kind, long long nLineStart) = 0;

protected:
    ~CScriptReporter() = default;
};
