// The checks of the record's fields, of its [Run] programs and of the script's encoding.
#include "checker/record_checks.h"

#include <algorithm>
#include <vector>

#include "app/root_key.h"
#include "checker/run_program.h"
#include "afx/unicode_text.h"

void CheckRecordFields(const CSetupScript& record, const SectionsSeen& seen, const CScriptLines& lines,
                       CFindingsList* pFindings)
{
    const bool bKey = record.m_szRegKey[0] != '\0';
    const bool bVersion = record.m_szRegVersion[0] != '\0';
    const char* pszMissing = bKey ? "[RegVersion]" : "[RegKey]";
    // A section given with a tag it does not take is told already.
    const bool bMissingTagged = std::find(seen.taggedUntranslated.begin(), seen.taggedUntranslated.end(),
                                          pszMissing) != seen.taggedUntranslated.end();
    if (bKey != bVersion && !bMissingTagged) {
        const char* pszGiven = bKey ? "[RegKey]" : "[RegVersion]";
        pFindings->Add(seen.ValueStart(pszGiven), Severity::Warning, "SC2005",
                       std::string(pszGiven) + " without " + pszMissing + ": no version check runs");
    }
    if (bKey && bVersion) {
        const char* pszRoot = record.m_szRootkey[0] != '\0' ? record.m_szRootkey : "HKEY_CURRENT_USER";
        AfxRootKey root = AfxRootKey::CurrentUser;
        if (!LookUpRootKey(pszRoot, &root)) {
            pFindings->Add(seen.ValueStart("[Rootkey]"), Severity::Error, "SC1005",
                           "\"" + lines.Quoted(pszRoot) + kBadRootKeySuffix +
                               "\": the launcher ends; a root key is HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, " +
                               "HKEY_LOCAL_MACHINE or HKEY_USERS, in capitals");
        }
        if (record.m_szRegText[0][0] == '\0') {
            pFindings->Add(seen.ValueStart("[RegVersion]"), Severity::Warning, "SC2006",
                           "a version check with no [RegText]: when another version is installed, the launcher ends "
                           "without a word");
        }
    }
    if (record.m_szRun[0] == '\0') {
        pFindings->Add(0, Severity::Warning, "SC2009", "no [Run] command: the default button only closes the window");
    }
}

void CheckRunPrograms(const CSetupScript& record, const char* pszFolder, const SectionsSeen& seen,
                      CScriptLines* pLines, CFindingsList* pFindings)
{
    const std::string missing =
        record.m_szRun[0] != '\0' ? MissingRunProgram(pszFolder, record.m_szRun, record.m_encoding) : "";
    if (!missing.empty()) {
        pFindings->Add(seen.ValueStart("[Run]"), Severity::Warning, "SC2011", pLines->Quoted(missing));
    }
    // Each language's last [Run] value is the command its users start.
    std::vector<SectionName> checked;
    for (auto it = seen.values.rbegin(); it != seen.values.rend(); ++it) {
        const SectionName& section = it->first;
        const auto isChecked = [&section](const SectionName& other) { return other.Same(section); };
        if (!section.Is("[Run]") || section.tag.empty() || std::any_of(checked.begin(), checked.end(), isChecked)) {
            continue;
        }
        checked.push_back(section);
        const std::string value = WithoutComment(pLines->LineAt(it->second), record.m_encoding);
        const std::string missingHere = MissingRunProgram(pszFolder, value.c_str(), record.m_encoding);
        if (!missingHere.empty()) {
            pFindings->Add(it->second, Severity::Warning, "SC2011", section.written + ": " + pLines->Quoted(missingHere));
        }
    }
}

void CheckEncoding(const std::string& bytes, CFindingsList* pFindings)
{
    static const char* const kByteOrderMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    for (const char* pszMark : kByteOrderMarks) {
        if (StartsWith(bytes, pszMark)) {
            return;
        }
    }
    const auto firstHigh = std::find_if(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    if (firstHigh != bytes.end() && IsValidUtf8(bytes)) {
        pFindings->Add(firstHigh - bytes.begin(), Severity::Warning, "SC2010",
                       "UTF-8 text without a byte-order mark: the launcher shows each of its bytes as an ANSI character");
    }
}
