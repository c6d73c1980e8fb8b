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

// Checks the script in the file at pszPath, every language of it; bytes are that
// file's raw contents. The message kept is the one a user of pszLanguage sees (""
// for the untagged one).
CheckResult CheckScript(const char* pszPath, const std::string& bytes, const CTextWidths& widths,
                        const char* pszLanguage = "");
