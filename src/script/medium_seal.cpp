// The seal's text and the names of a command line that it covers.
#include "script/medium_seal.h"

namespace {

constexpr std::size_t kDigestDigits = 64;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string FormatSeal(const std::vector<SealEntry>& entries)
{
    std::string text;
    for (const SealEntry& entry : entries) {
        text += entry.digest + " " + entry.name + "\n";
    }
    return text;
}

bool ParseSeal(const char* pData, std::size_t nSize, std::vector<SealEntry>* pEntries)
{
    pEntries->clear();
    std::size_t nPos = 0;
    while (nPos < nSize) {
        std::size_t nEnd = nPos;
        while (nEnd < nSize && pData[nEnd] != '\n') {
            ++nEnd;
        }
        // DIGEST, one blank and a name of at least one byte, then the line's end.
        if (nEnd == nSize || nEnd - nPos < kDigestDigits + 2 || pData[nPos + kDigestDigits] != ' ') {
            return false;
        }
        // A digest that is not 64 lower-case hexadecimal digits matches no file.
        pEntries->push_back({std::string(pData + nPos + kDigestDigits + 1, pData + nEnd), std::string(pData + nPos, kDigestDigits)});
        nPos = nEnd + 1;
    }
    return !pEntries->empty() && pEntries->front().name == SEAL_SCRIPT_NAME;
}

const SealEntry* FindSealEntry(const std::vector<SealEntry>& entries, const std::string& name)
{
    for (const SealEntry& entry : entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

bool FolderRelativePath(const std::string& name, AfxTextEncoding encoding, std::string* pPath)
{
    if ((!name.empty() && IsSeparator(name[0])) || name.find(':') != std::string::npos) {
        return false;  // a root, a drive, a network path or a stream: a place of its own
    }
    std::vector<std::string> names;
    std::string part;
    for (const char* p = name.c_str();;) {
        if (*p != '\0' && !IsSeparator(*p)) {
            // A double-byte character's trail byte 0x5C is no separator.
            const int nLength = AfxCharLength(p, encoding);
            part.append(p, static_cast<std::size_t>(nLength));
            p += nLength;
            continue;
        }
        if (part == "..") {
            if (names.empty()) {
                return false;
            }
            names.pop_back();
        } else if (!part.empty() && part != ".") {
            names.push_back(part);
        }
        part.clear();
        if (*p++ == '\0') {
            break;
        }
    }
    pPath->clear();
    for (const std::string& each : names) {
        *pPath += (pPath->empty() ? "" : "\\") + each;
    }
    return !names.empty();
}

std::vector<CommandLineName> CommandLineFolderNames(const char* lpszCmdLine, AfxTextEncoding encoding,
                                                   const ProgramExistsFunction& programExists)
{
    const CommandLineParts parts = SplitCommandLine(lpszCmdLine, encoding, programExists);
    std::vector<CommandLineName> names;
    std::string path;
    const std::string program = ProgramFile(parts.program.c_str(), parts.program.c_str() + parts.program.size(), encoding);
    if (FolderRelativePath(program, encoding, &path)) {
        names.push_back({program, true});
    }
    for (const std::string& argument : SplitArguments(parts.arguments.c_str())) {
        if (FolderRelativePath(argument, encoding, &path)) {
            names.push_back({argument, false});
        }
    }
    return names;
}
