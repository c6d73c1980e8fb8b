// The checker's passes over one script, in their order: the line checks while the
// launcher's parser reads it, then the checks of the message and the languages, of
// the record's fields and [Run] programs, and of the encoding; the findings end in
// the order of their offsets.
#include "checker/script_check.h"

#include <memory>

#include "checker/checked_script.h"
#include "checker/findings_list.h"
#include "checker/line_checks.h"
#include "checker/message_checks.h"
#include "checker/record_checks.h"

CheckResult CheckScript(const std::string& bytes, const char* pszFolder, const CTextWidths& widths,
                        const char* pszLanguage)
{
    CheckResult result;
    CScriptLines lines(bytes);
    CFindingsList findings;
    CLineChecks lineChecks(&lines, &findings);
    // Some 460 KB: on the heap.
    const auto pRecord = std::make_unique<CheckRecord>();
    pRecord->m_file.m_pReporter = &lineChecks;
    if (!pRecord->m_file.OpenBytes(bytes.data(), bytes.size())) {
        result.bReadError = true;
        return result;
    }
    pRecord->Parse();
    if (lineChecks.ReadError()) {
        result.bReadError = true;
        return result;
    }
    const SectionsSeen& seen = lineChecks.Seen();
    CheckMessages(*pRecord, bytes, seen, widths, &findings);
    // The message of the language asked for, as its users see it.
    const auto pLanguageRecord = pszLanguage[0] != '\0' ? ReadForLanguage(bytes, pszLanguage) : nullptr;
    const CSetupScript& shown = pLanguageRecord != nullptr ? *pLanguageRecord : *pRecord;
    result.bHasMessage = !findings.LauncherEnds() && shown.m_pszMessage != nullptr;
    result.message = result.bHasMessage ? shown.m_pszMessage : "";
    result.encoding = pRecord->m_encoding;
    result.title = ScriptTextToUtf8(pRecord->m_szTitle, pRecord->m_encoding == AfxTextEncoding::Utf8);
    CheckRecordFields(*pRecord, seen, lines, &findings);
    CheckRunPrograms(*pRecord, pszFolder, seen, &lines, &findings);
    CheckEncoding(bytes, &findings);
    result.findings = findings.Take(static_cast<long long>(bytes.size()));
    return result;
}
