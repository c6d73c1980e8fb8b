// The console tools' system natively: iconv for code pages, arguments as the shell
// expanded them, and UTF-8 to the terminal as it is.
#include <iconv.h>

#include <array>

#include "backend/console/console_system.h"

namespace {

std::string g_codePageName = "CP1252";
std::array<bool, 256> g_leadBytes{};

// The lead bytes of the double-byte code pages, as Windows defines them; a byte of
// another code page is a character of its own.
struct LeadByteRange {
    unsigned nCodePage;
    unsigned nFirst;
    unsigned nLast;
};
const LeadByteRange kLeadByteRanges[] = {
    {932, 0x81, 0x9F}, {932, 0xE0, 0xFC}, {936, 0x81, 0xFE}, {949, 0x81, 0xFE}, {950, 0x81, 0xFE},
};

// A one-shot conversion of text from the code page: false at the first byte it cannot
// convert, with *pnUsed the bytes converted before it.
bool Convert(iconv_t cd, const std::string& text, std::string* pOut, std::size_t* pnUsed)
{
    char* pIn = const_cast<char*>(text.data());
    std::size_t nIn = text.size();
    std::string out(text.size() * 4 + 4, '\0');
    char* pOutBytes = &out[0];
    std::size_t nOut = out.size();
    const bool bOk = iconv(cd, &pIn, &nIn, &pOutBytes, &nOut) != static_cast<std::size_t>(-1);
    out.resize(out.size() - nOut);
    *pOut += out;
    *pnUsed = text.size() - nIn;
    return bOk;
}

}  // namespace

unsigned ConsoleDefaultCodePage() { return 1252; }

bool ConsoleSetCodePage(unsigned nCodePage)
{
    const std::string name = "CP" + std::to_string(nCodePage);
    const iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    iconv_close(cd);
    g_codePageName = name;
    g_leadBytes.fill(false);
    for (const LeadByteRange& range : kLeadByteRanges) {
        for (unsigned c = range.nFirst; range.nCodePage == nCodePage && c <= range.nLast; ++c) {
            g_leadBytes[c] = true;
        }
    }
    return true;
}

bool ConsoleIsLeadByte(unsigned char c) { return g_leadBytes[c]; }

std::string ConsoleCodePageToUtf8(const std::string& text)
{
    const iconv_t cd = iconv_open("UTF-8", g_codePageName.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return text;  // not met: the name was opened once when it was set
    }
    std::string out;
    for (std::string rest = text; !rest.empty();) {
        std::size_t nUsed = 0;
        if (Convert(cd, rest, &out, &nUsed)) {
            break;
        }
        // The character that does not convert, lead and trail byte together.
        const unsigned char nByte = static_cast<unsigned char>(rest[nUsed]);
        const bool bLead = ConsoleIsLeadByte(nByte);
        const std::size_t nBad = bLead && nUsed + 1 < rest.size() ? 2 : 1;
        if (!bLead && nByte >= 0x80 && nByte < 0xA0) {
            // A byte the code page leaves undefined there is, as Windows converts it,
            // the control character of the same value (0x81 in code page 1252: U+0081).
            out += {'\xC2', static_cast<char>(nByte)};
        } else {
            out += "\xEF\xBF\xBD";
        }
        rest.erase(0, nUsed + nBad);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

std::vector<std::string> ConsoleArguments(int argc, char** argv) { return {argv, argv + argc}; }

std::FILE* ConsoleOpenFile(const char* pszPath) { return std::fopen(pszPath, "rb"); }

std::FILE* ConsoleStandardInput() { return stdin; }

void ConsoleWrite(std::FILE* pStream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), pStream); }
