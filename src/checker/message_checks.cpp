// The checks of the message's wrap and of the script's languages.
#include "checker/message_checks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "checker/view_model.h"

namespace {

// What users get from a section that the script gives only with language tags.
const char* DefaultOf(const std::string& header)
{
    static const char* const kDefaults[][2] = {
        {"[Title]", "an empty caption"}, {"[Message]", "no message"}, {"[Ok]", "the caption Ok"},
        {"[Cancel]", "the caption Cancel"}, {"[Run]", "no command"}, {"[RegText]", "no notice"},
    };
    for (const auto& entry : kDefaults) {
        if (header == entry[0]) {
            return entry[1];
        }
    }
    return "the default";
}

// The message of the record, read from the [Message] sections of this tag (empty:
// the untagged ones), whose line starts are lineStarts.
void CheckMessageWrap(const CSetupScript& record, const CTextWidths& widths, const std::vector<long long>& lineStarts,
                      const std::string& tag, CFindingsList* pFindings)
{
    if (record.m_pszMessage == nullptr) {
        return;
    }
    const std::string language = tag.empty() ? "" : "[Message." + tag + "]: ";
    const ViewLayout layout = LayOutForView(record.m_pszMessage, record.m_encoding, widths);
    // A newline always ends a display line, so each line of the text wraps alone.
    long long nDisplayLines = 0;
    std::size_t nLine = 0;
    for (const char* p = record.m_pszMessage; *p != '\0'; ++nLine) {
        const char* pEnd = std::strchr(p, '\n');
        const std::string line(p, pEnd != nullptr ? pEnd + 1 : p + std::strlen(p));
        const bool bGuessedHere = layout.pGuessed >= p && layout.pGuessed < p + line.size();
        p += line.size();
        const long long nStart = nLine < lineStarts.size() ? lineStarts[nLine] : 0;
        if (bGuessedHere) {
            pFindings->Add(nStart, Severity::Note, "SC3003",
                           language +
                               "this line has a character that is not in the checker's table of the font: it is "
                               "counted as the widest one, so the line counts may be more than the launcher's");
        }
        const std::size_t nWrapped = LayOutForView(line.c_str(), record.m_encoding, widths).wrapped.lines.size();
        const int nVisibleLines = ViewSizeFor(widths).nVisibleLines;
        if (nWrapped > static_cast<std::size_t>(nVisibleLines)) {
            pFindings->Add(nStart, Severity::Note, "SC3001",
                           language + "this line wraps into " + std::to_string(nWrapped) +
                               " display lines; the window shows " + std::to_string(nVisibleLines) +
                               " without scrolling");
        }
        const bool bPasses = nDisplayLines <= MAX_VIEW_LINES &&
                             nDisplayLines + static_cast<long long>(nWrapped) > MAX_VIEW_LINES;
        nDisplayLines += static_cast<long long>(nWrapped);
        if (!layout.wrapped.limitHit || !(bPasses || (*p == '\0' && nDisplayLines <= MAX_VIEW_LINES))) {
            continue;
        }
        if (!layout.bLimitCertain) {
            pFindings->Add(nStart, Severity::Warning, "SC1006",
                           language + "\"Maximum number of view lines exceeded\" may be shown: the message wraps into "
                                      "more than " +
                               std::to_string(MAX_VIEW_LINES) +
                               " display lines with the widths the checker guessed; the launcher may show it whole");
        } else {
            pFindings->Add(nStart, Severity::Error, "SC1006",
                           language + "\"Maximum number of view lines exceeded\": the message wraps into more than " +
                               std::to_string(MAX_VIEW_LINES) +
                               " display lines at the default font; the rest is not shown");
        }
    }
}

// The line starts of the last [Message] section of a tag; none if it has none.
const std::vector<long long>& MessageLineStarts(const SectionsSeen& seen, const std::string& tag)
{
    static const std::vector<long long> kNone;
    const auto found = seen.messageLineStarts.find(LowerCase(tag));
    return found != seen.messageLineStarts.end() ? found->second : kNone;
}

void CheckLanguages(const CSetupScript& record, const std::string& bytes, const SectionsSeen& seen,
                    const CTextWidths& widths, CFindingsList* pFindings)
{
    if (record.m_languages.empty()) {
        return;
    }
    std::string names;
    for (const ScriptLanguage& language : record.m_languages) {
        names += (names.empty() ? "" : ", ") + language.tag;
        // A language whose message falls back to another tag's is checked with that one.
        if (!pFindings->LauncherEnds() && seen.messageLineStarts.count(LowerCase(language.tag)) != 0) {
            CheckMessageWrap(*ReadForLanguage(bytes, language.tag), widths, MessageLineStarts(seen, language.tag),
                             language.tag, pFindings);
        }
    }
    pFindings->Add(0, Severity::Note, "SC3004",
                   "languages: " + names + "; users of any other language read the untagged sections");
    std::vector<std::string> warned;
    for (const auto& [section, nStart] : seen.headers) {
        const std::string& header = section.header;
        const auto isUntagged = [&header](const std::pair<SectionName, long long>& other) {
            return other.first.Is(header.c_str()) && other.first.tag.empty();
        };
        if (section.tag.empty() || std::find(warned.begin(), warned.end(), header) != warned.end() ||
            std::any_of(seen.headers.begin(), seen.headers.end(), isUntagged)) {
            continue;
        }
        warned.push_back(header);
        pFindings->Add(nStart, Severity::Warning, "SC2012",
                       section.written + " has no untagged " + header + ": users of other languages get " +
                           DefaultOf(header));
    }
}

}  // namespace

void CheckMessages(const CSetupScript& record, const std::string& bytes, const SectionsSeen& seen,
                   const CTextWidths& widths, CFindingsList* pFindings)
{
    CheckMessageWrap(record, widths, MessageLineStarts(seen, ""), "", pFindings);
    CheckLanguages(record, bytes, seen, widths, pFindings);
}
