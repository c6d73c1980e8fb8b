// The script checker: runs the launcher's own parser over a script and says, with the
// line of each, what the launcher would complain about and which traps it would pass
// over in silence.
#pragma once

#include <string>
#include <vector>

#include "checker/finding.h"
#include "checker/view_model.h"

struct CheckResult {
    std::vector<Finding> findings;  // in the order of their offsets
    bool bReadError = false;        // the file could not be read to its end
    bool bHasMessage = false;       // the script has a [Message] and was read whole
    std::string message;            // that [Message] text, as the launcher keeps it
    AfxTextEncoding encoding = AfxTextEncoding::Ansi;  // the script's, the message's
    std::string title;              // the [Title], in UTF-8
};

// Checks the script whose raw contents are bytes, every language of it, from those
// bytes alone; its [Run] programs are looked for in pszFolder (UTF-8, ending in a
// separator; "" for the current folder). The message kept is the one a user of
// pszLanguage sees ("" for the untagged one).
CheckResult CheckScript(const std::string& bytes, const char* pszFolder, const CTextWidths& widths,
                        const char* pszLanguage = "");
