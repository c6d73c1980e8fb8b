// Printing the checker's findings, as text lines and as JSON objects.
#include "checker/finding.h"

#include <algorithm>

CLineIndex::CLineIndex(const std::string& bytes)
{
    // A UTF-16 file ends its lines with the code unit U+000A, whose 0x0A byte may also
    // stand inside other characters; its columns count code units.
    const bool bLittleEndian = bytes.compare(0, 2, "\xFF\xFE") == 0;
    const bool bBigEndian = bytes.compare(0, 2, "\xFE\xFF") == 0;
    if (bLittleEndian || bBigEndian) {
        m_nUnitBytes = 2;
        const std::size_t nLowByte = bLittleEndian ? 0 : 1;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            if (bytes[i + nLowByte] == '\n' && bytes[i + 1 - nLowByte] == '\0') {
                m_lineStarts.push_back(static_cast<long long>(i) + 2);
            }
        }
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            m_lineStarts.push_back(static_cast<long long>(i) + 1);
        }
    }
}

void CLineIndex::Locate(long long nOffset, int* pnLine, int* pnColumn) const
{
    // The last line start at or before the offset.
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), std::max(nOffset, 0LL));
    const std::size_t nLine = static_cast<std::size_t>(after - m_lineStarts.begin());
    *pnLine = static_cast<int>(nLine);
    *pnColumn = static_cast<int>((std::max(nOffset, 0LL) - m_lineStarts[nLine - 1]) / m_nUnitBytes + 1);
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

std::string FormatFindingText(const std::string& file, int nLine, int nColumn, const Finding& finding)
{
    return file + ":" + std::to_string(nLine) + ":" + std::to_string(nColumn) + ": " + SeverityName(finding.severity) +
           ": " + finding.text + " [" + finding.pszCode + "]";
}

namespace {

// Length of the UTF-8 sequence at p (at most nLeft bytes), or 0 when it is not one.
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t nLeft)
{
    std::size_t n = 0;
    if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        n = 2;
    } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
        n = 3;
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        n = 4;
    }
    if (n == 0 || n > nLeft) {
        return 0;
    }
    for (std::size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            return 0;
        }
    }
    // No overlong forms, no surrogates, nothing above U+10FFFF.
    const bool bOutOfRange = (p[0] == 0xE0 && p[1] < 0xA0) || (p[0] == 0xED && p[1] > 0x9F) ||
                             (p[0] == 0xF0 && p[1] < 0x90) || (p[0] == 0xF4 && p[1] > 0x8F);
    return bOutOfRange ? 0 : n;
}

// A JSON string: valid UTF-8 passes, control characters are escaped, and any other
// byte (script text in an ANSI code page) is taken as the Latin-1 character of its code.
std::string JsonString(const std::string& text)
{
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const std::size_t nSequence = Utf8SequenceLength(p + i, n - i)) {
            out.append(text, i, nSequence);
            i += nSequence;
            continue;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        ++i;
    }
    return out + "\"";
}

}  // namespace

bool IsValidUtf8(const std::string& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < bytes.size();) {
        if (p[i] < 0x80) {
            ++i;
        } else if (const std::size_t n = Utf8SequenceLength(p + i, bytes.size() - i)) {
            i += n;
        } else {
            return false;
        }
    }
    return true;
}

std::string FormatFindingJson(const std::string& file, int nLine, int nColumn, const Finding& finding)
{
    return "{\"file\":" + JsonString(file) + ",\"line\":" + std::to_string(nLine) +
           ",\"column\":" + std::to_string(nColumn) + ",\"severity\":\"" + SeverityName(finding.severity) +
           "\",\"code\":\"" + finding.pszCode + "\",\"message\":" + JsonString(finding.text) + "}";
}
