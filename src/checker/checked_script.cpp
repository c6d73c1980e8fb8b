// The script read again for the checks: its lines by raw offset, its section names, and
// the record of one language.
#include "checker/checked_script.h"

#include "afx/text.h"

bool StartsWith(const std::string& text, const char* pszPrefix) { return text.rfind(pszPrefix, 0) == 0; }

std::string LowerCase(std::string text)
{
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

std::string WithoutComment(const std::string& line, AfxTextEncoding encoding)
{
    std::string text = line;
    AfxCutAt(&text[0], ';', encoding);
    return text.c_str();
}

SectionName::SectionName(const std::string& line) : written(line)
{
    CSetupScript::SplitSectionHeader(line.c_str(), &header, &tag);
}

bool SectionName::Same(const SectionName& other) const
{
    return header == other.header && AfxEqualNoCaseAscii(tag.c_str(), other.tag.c_str());
}

CScriptLines::CScriptLines(const std::string& bytes) : m_index(bytes) { m_reader.OpenBytes(bytes.data(), bytes.size()); }

std::string CScriptLines::LineAt(long long nStart)
{
    char szLine[SCRIPT_LINE_SIZE] = {};
    if (m_reader.Seek(nStart, CStdioFile::begin) != nStart || m_reader.ReadString(szLine, SCRIPT_LINE_SIZE) == nullptr) {
        return {};
    }
    AfxCutAt(szLine, '\n', m_reader.TextEncoding());
    return szLine;
}

long long CScriptLines::RawOffset(long long nStart, std::size_t nIndex)
{
    std::string text(nIndex + 1, '\0');
    if (m_reader.Seek(nStart, CStdioFile::begin) != nStart ||
        m_reader.ReadString(&text[0], static_cast<UINT>(nIndex + 1)) == nullptr) {
        return nStart;
    }
    return m_reader.GetPosition();
}

std::string CScriptLines::Quoted(const std::string& text) const
{
    return ScriptTextToUtf8(text, m_reader.TextEncoding() == AfxTextEncoding::Utf8);
}

int CScriptLines::LineNumber(long long nOffset) const
{
    int nLine = 0;
    int nColumn = 0;
    m_index.Locate(nOffset, &nLine, &nColumn);
    return nLine;
}

long long SectionsSeen::ValueStart(const char* pszHeader) const
{
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        if (it->first.Is(pszHeader) && it->first.tag.empty()) {
            return it->second;
        }
    }
    return -1;
}

std::unique_ptr<CheckRecord> ReadForLanguage(const std::string& bytes, const std::string& tag)
{
    struct CQuiet final : CScriptReporter {
        bool Error(const char*, long long) override { return true; }
        void Line(ScriptLine, long long) override {}
    };
    static CQuiet quiet;
    auto pRecord = std::make_unique<CheckRecord>();
    pRecord->m_file.m_pReporter = &quiet;
    if (pRecord->m_file.OpenBytes(bytes.data(), bytes.size())) {
        pRecord->Parse({tag});
    }
    return pRecord;
}
