// The script as the checks read it again: its lines at the raw offsets the parser
// reports, through the launcher's own line reader; its section headers as written and
// as the parser names them; what the line checks saw of its sections; and the record
// the launcher fills for a user of one language.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "checker/finding.h"
#include "script/setup_script.h"

bool StartsWith(const std::string& text, const char* pszPrefix);
// ASCII letters in lower case, as language tags are compared.
std::string LowerCase(std::string text);
// The text before the comment, cut as the line reader cuts it.
std::string WithoutComment(const std::string& line, AfxTextEncoding encoding);

// A section header met, as the script writes it and as the parser classifies it.
struct SectionName {
    std::string written;
    std::string header;  // the untagged header ("[Title]"), as the parser names it
    std::string tag;     // empty when untagged

    explicit SectionName(const std::string& line = {});
    // The same section of the same language: a later one replaces it.
    bool Same(const SectionName& other) const;
    bool Is(const char* pszHeader) const { return header == pszHeader; }
};

// The script's lines, read again from its bytes as the launcher reads them.
class CScriptLines {
public:
    explicit CScriptLines(const std::string& bytes);

    AfxTextEncoding TextEncoding() const { return m_reader.TextEncoding(); }
    // The line that starts at a raw offset, without its newline.
    std::string LineAt(long long nStart);
    // Raw offset of the character that holds byte nIndex of the line read at nStart:
    // the reader reads that far again, whatever the file's encoding.
    long long RawOffset(long long nStart, std::size_t nIndex);
    // Text of the script as the launcher shows it, in UTF-8, for a finding to quote.
    std::string Quoted(const std::string& text) const;
    int LineNumber(long long nOffset) const;

private:
    CLineIndex m_index;
    CScriptFile m_reader;
};

// What the line checks saw of the sections, for the checks of the record and message.
struct SectionsSeen {
    std::vector<std::pair<SectionName, long long>> headers;  // every header met, in order, at its line start
    std::vector<std::pair<SectionName, long long>> values;   // each value's section and line start
    // The line starts of the last [Message] section of each tag, lower case.
    std::map<std::string, std::vector<long long>> messageLineStarts;
    // The sections given with a tag they do not take ("[RegVersion]" for "[RegVersion.de]").
    std::vector<std::string> taggedUntranslated;

    // Raw offset of the last value of an untagged single-line section; -1 if none was read.
    long long ValueStart(const char* pszHeader) const;
};

// A record of its own for each check; the parser's record is never deleted.
struct CheckRecord final : CSetupScript {
    ~CheckRecord() { delete[] m_pszMessage; }
};

// The record as the launcher fills it for a user of this language, read again from
// the script's bytes without a word: the checks have told every finding already.
std::unique_ptr<CheckRecord> ReadForLanguage(const std::string& bytes, const std::string& tag);
