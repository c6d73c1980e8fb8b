// The checks of the message: how each of its lines wraps in the launcher's view, and
// whether the view's line limit is passed, for the untagged message and each
// language's; and the languages, with the sections other users do without.
#pragma once

#include <string>

#include "checker/checked_script.h"
#include "checker/findings_list.h"
#include "checker/text_widths.h"

// The untagged message of the record, then each language's message as its users see
// it, read again from the script's bytes.
void CheckMessages(const CSetupScript& record, const std::string& bytes, const SectionsSeen& seen,
                   const CTextWidths& widths, CFindingsList* pFindings);
