// The checker's findings located by line and column, and printed as text lines and
// as JSON objects; script text quoted in UTF-8.
#include "checker/finding.h"

#include <algorithm>

#include "backend/console/console_system.h"
#include "afx/unicode_text.h"

namespace {

const char kHex[] = "0123456789abcdef";

// The text with each broken UTF-8 sequence as U+FFFD, and each character passed to
// onCharacter(bytes, length, out) to be written.
template <typename OnCharacter>
std::string MapUtf8(const std::string& text, OnCharacter onCharacter)
{
    std::string out;
    ForEachUtf8Piece(text, [&out, &onCharacter](const unsigned char* p, std::size_t n, bool bWellFormed) {
        if (bWellFormed) {
            onCharacter(p, n, &out);
        } else {
            out += kReplacementUtf8;
        }
    });
    return out;
}

// Control characters of a text line as escapes; everything else as it is.
std::string EscapedLine(const std::string& line)
{
    return MapUtf8(line, [](const unsigned char* p, std::size_t n, std::string* pOut) {
        const unsigned c = p[0];
        if (c == '\r' || c == '\n' || c == '\t') {
            *pOut += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\t";
        } else if (n == 1 && IsControlCharacter(p, n)) {
            *pOut += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
        } else if (IsControlCharacter(p, n)) {
            *pOut += {'\\', 'u', '0', '0', kHex[p[1] >> 4], kHex[p[1] & 0xF]};
        } else {
            pOut->append(reinterpret_cast<const char*>(p), n);
        }
    });
}

// A JSON string: quotes, backslashes and control characters escaped, broken UTF-8
// (a file name's bytes) as U+FFFD.
std::string JsonString(const std::string& text)
{
    return "\"" + MapUtf8(text, [](const unsigned char* p, std::size_t n, std::string* pOut) {
               const unsigned c = p[0];
               if (c == '"' || c == '\\') {
                   *pOut += {'\\', static_cast<char>(c)};
               } else if (n == 1 && IsControlCharacter(p, n)) {
                   *pOut += {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
               } else {
                   pOut->append(reinterpret_cast<const char*>(p), n);
               }
           }) + "\"";
}

}  // namespace

CLineIndex::CLineIndex(const std::string& bytes)
{
    std::size_t nMarkBytes = 0;
    const AfxFileTextForm form =
        DetectByteOrderMark(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &nMarkBytes);
    m_lineStarts.push_back(static_cast<long long>(nMarkBytes));
    // A UTF-16 file ends its lines with the code unit U+000A, whose 0x0A byte may also
    // stand inside other characters.
    if (form == AfxFileTextForm::Utf16Le || form == AfxFileTextForm::Utf16Be) {
        m_nUnitBytes = 2;
        const std::size_t nLowByte = form == AfxFileTextForm::Utf16Le ? 0 : 1;
        for (std::size_t i = nMarkBytes; i + 1 < bytes.size(); i += 2) {
            if (bytes[i + nLowByte] == '\n' && bytes[i + 1 - nLowByte] == '\0') {
                m_lineStarts.push_back(static_cast<long long>(i) + 2);
            }
        }
        return;
    }
    for (std::size_t i = nMarkBytes; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            m_lineStarts.push_back(static_cast<long long>(i) + 1);
        }
    }
}

void CLineIndex::Locate(long long nOffset, int* pnLine, int* pnColumn) const
{
    // The last line start at or before the offset; an offset in the mark is line 1's start.
    const long long nAt = std::max(nOffset, m_lineStarts.front());
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), nAt);
    const std::size_t nLine = static_cast<std::size_t>(after - m_lineStarts.begin());
    *pnLine = static_cast<int>(nLine);
    *pnColumn = static_cast<int>((nAt - m_lineStarts[nLine - 1]) / m_nUnitBytes + 1);
}

const char* SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        break;
    }
    return "note";
}

bool FailsCheck(const Finding& finding, bool bWerror)
{
    return finding.severity == Severity::Error || (bWerror && finding.severity == Severity::Warning);
}

std::string ScriptTextToUtf8(const std::string& text, bool bUnicodeScript)
{
    if (!bUnicodeScript) {
        return ConsoleCodePageToUtf8(text);
    }
    return MapUtf8(text, [](const unsigned char* p, std::size_t n, std::string* pOut) {
        pOut->append(reinterpret_cast<const char*>(p), n);
    });
}

std::string FormatFindingText(const std::string& file, int nLine, int nColumn, const Finding& finding)
{
    return EscapedLine(file + ":" + std::to_string(nLine) + ":" + std::to_string(nColumn) + ": " +
                       SeverityName(finding.severity) + ": " + finding.text + " [" + finding.pszCode + "]");
}

std::string FormatFindingJson(const std::string& file, int nLine, int nColumn, const Finding& finding)
{
    return "{\"file\":" + JsonString(file) + ",\"line\":" + std::to_string(nLine) +
           ",\"column\":" + std::to_string(nColumn) + ",\"severity\":\"" + SeverityName(finding.severity) +
           "\",\"code\":\"" + finding.pszCode + "\",\"message\":" + JsonString(finding.text) + "}";
}
