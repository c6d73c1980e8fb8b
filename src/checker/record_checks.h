// The checks of the record the parser filled: its fields (half a version check, a bad
// root key, no command), the [Run] programs in the script's folder, and the script's
// encoding.
#pragma once

#include <string>

#include "checker/checked_script.h"
#include "checker/findings_list.h"

// The version check's sections and the [Run] command as the launcher takes them.
void CheckRecordFields(const CSetupScript& record, const SectionsSeen& seen, const CScriptLines& lines,
                       CFindingsList* pFindings);
// The [Run] program of the untagged sections, and of each language's own [Run], looked
// for in pszFolder (UTF-8, ending in a separator; "" for the current folder).
void CheckRunPrograms(const CSetupScript& record, const char* pszFolder, const SectionsSeen& seen,
                      CScriptLines* pLines, CFindingsList* pFindings);
// UTF-8 text without a byte-order mark, which the launcher reads as ANSI.
void CheckEncoding(const std::string& bytes, CFindingsList* pFindings);
