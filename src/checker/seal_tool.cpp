// setupcheck --make-seal and --seal: the seal of a medium's folder, found with the
// launcher's own parser and command-line rules, written for the build or compared
// with the seal that a launcher carries.
#include "checker/seal_tool.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "checker/finding.h"
#include "checker/pe_resource.h"
#include "checker/script_check.h"
#include "afx/file.h"
#include "backend/console/console_system.h"
#include "afx/sha256.h"
#include "script/medium_seal.h"
#include "script/setup_script.h"

namespace {

constexpr int kExitMatch = 0;
constexpr int kExitMismatch = 1;
constexpr int kExitNoSeal = 2;
// Far beyond any launcher; a larger file is no launcher of ours.
constexpr std::size_t kMaxLauncherBytes = 64u * 1024 * 1024;
constexpr unsigned kRawDataResource = 10;

// The seal a folder would be given, and the path of each file it covers.
struct FolderSeal {
    std::vector<SealEntry> entries;  // the script's first
    std::vector<std::string> paths;
    AfxTextEncoding encoding = AfxTextEncoding::Ansi;
    std::string error;  // why the folder cannot be sealed
};

// The SHA-256 of a whole file, which may be far larger than memory should hold.
bool HashFile(const std::string& path, std::string* pDigest)
{
    std::FILE* pFile = ConsoleOpenFile(path.c_str());
    if (pFile == nullptr) {
        return false;
    }
    CSha256 hash;
    char buffer[65536];
    std::size_t nRead = 0;
    while ((nRead = std::fread(buffer, 1, sizeof buffer, pFile)) > 0) {
        hash.Add(buffer, nRead);
    }
    const bool bOk = std::ferror(pFile) == 0;
    std::fclose(pFile);
    unsigned char digest[SHA256_BYTES];
    hash.Finish(digest);
    *pDigest = HexDigest(digest);
    return bOk;
}

// The file of the folder that a name of a command line means, found as Windows finds
// it, letter case aside; empty when there is none.
std::string FolderFile(const std::string& folder, const std::string& name, AfxTextEncoding encoding)
{
    std::string relative;
    return FolderRelativePath(name, encoding, &relative)
               ? AfxFindFileNoCase(folder.c_str(), ScriptTextToUtf8(relative, encoding == AfxTextEncoding::Utf8).c_str())
               : std::string();
}

// The [Run] line that the users of each language get, untagged first, each once.
std::vector<std::string> RunLines(const std::string& bytes, AfxTextEncoding* pEncoding)
{
    struct CRecord final : CSetupScript {
        ~CRecord() { delete[] m_pszMessage; }
    };
    struct CQuiet final : CScriptReporter {
        bool Error(const char*, long long) override { return true; }
        void Line(ScriptLine, long long) override {}
    } quiet;
    std::vector<std::string> lines;
    std::vector<ScriptLanguage> languages;
    const auto read = [&](const std::string& tag) {
        const auto pRecord = std::make_unique<CRecord>();  // some 460 KB
        pRecord->m_file.m_pReporter = &quiet;
        if (pRecord->m_file.OpenBytes(bytes.data(), bytes.size())) {
            pRecord->Parse({tag});
        }
        *pEncoding = pRecord->m_encoding;
        languages = pRecord->m_languages;
        const std::string line = pRecord->m_szRun;
        if (!line.empty() && std::find(lines.begin(), lines.end(), line) == lines.end()) {
            lines.push_back(line);
        }
    };
    read("");
    for (const ScriptLanguage& language : std::vector<ScriptLanguage>(languages)) {
        read(language.tag);
    }
    return lines;
}

// The script's errors, one finding to a line, as setupcheck prints them.
std::string ScriptErrors(const std::string& scriptPath, const std::string& bytes)
{
    const std::size_t nSeparator = scriptPath.find_last_of('/');
    const std::string folder = nSeparator == std::string::npos ? "" : scriptPath.substr(0, nSeparator + 1);
    const CheckResult result = CheckScript(bytes, folder.c_str(), CTextWidths());
    const CLineIndex index(bytes);
    std::string errors;
    for (const Finding& finding : result.findings) {
        int nLine = 0;
        int nColumn = 0;
        index.Locate(finding.nOffset, &nLine, &nColumn);
        errors += FailsCheck(finding, false) ? "\n" + FormatFindingText(scriptPath, nLine, nColumn, finding) : "";
    }
    return result.bReadError ? "\n" + scriptPath + ": cannot read" : errors;
}

FolderSeal SealFolder(const std::string& folder)
{
    FolderSeal seal;
    const std::string scriptPath = AfxFindFileNoCase(folder.c_str(), SEAL_SCRIPT_NAME);
    std::string bytes;
    std::string digest;
    std::FILE* pScript = scriptPath.empty() ? nullptr : ConsoleOpenFile(scriptPath.c_str());
    if (pScript != nullptr) {
        char buffer[65536];
        std::size_t nRead = 0;
        while ((nRead = std::fread(buffer, 1, sizeof buffer, pScript)) > 0) {
            bytes.append(buffer, nRead);
        }
        std::fclose(pScript);
    }
    if (pScript == nullptr || !HashFile(scriptPath, &digest)) {
        seal.error = folder + " has no setup.ini";
        return seal;
    }
    const std::string errors = ScriptErrors(scriptPath, bytes);
    if (!errors.empty()) {
        seal.error = scriptPath + " has errors:" + errors;
        return seal;
    }
    seal.entries.push_back({SEAL_SCRIPT_NAME, digest});
    seal.paths.push_back(scriptPath);
    for (const std::string& line : RunLines(bytes, &seal.encoding)) {
        const auto exists = [&](const char* pszName) { return !FolderFile(folder, pszName, seal.encoding).empty(); };
        for (const CommandLineName& each : CommandLineFolderNames(line.c_str(), seal.encoding, exists)) {
            const std::string path = FolderFile(folder, each.name, seal.encoding);
            if (FindSealEntry(seal.entries, each.name) != nullptr) {
                continue;
            }
            // A bare program name may be one of Windows' own; one with a folder is the medium's.
            std::string relative;
            FolderRelativePath(each.name, seal.encoding, &relative);
            if (path.empty() && each.bProgram && relative.find('\\') != std::string::npos) {
                seal.error = "the [Run] program \"" + ScriptTextToUtf8(each.name, seal.encoding == AfxTextEncoding::Utf8) + "\" is not in " + folder;
                return seal;
            }
            if (path.empty()) {
                continue;
            }
            if (!HashFile(path, &digest)) {
                seal.error = path + ": cannot read";
                return seal;
            }
            seal.entries.push_back({each.name, digest});
            seal.paths.push_back(path);
        }
    }
    return seal;
}

// A path in a make rule's dependency list.
std::string DependencyPath(const std::string& path)
{
    std::string escaped;
    for (const char c : path) {
        escaped += c == ' ' || c == '#' ? std::string("\\") + c : c == '$' ? std::string("$$") : std::string(1, c);
    }
    return escaped;
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::FILE* pFile = std::fopen(path.c_str(), "wb");
    if (pFile == nullptr) {
        return false;
    }
    const bool bWritten = std::fwrite(text.data(), 1, text.size(), pFile) == text.size();
    return std::fclose(pFile) == 0 && bWritten;
}

int MakeSeal(const std::string& folder, const std::string& out, const std::string& depfile)
{
    const FolderSeal seal = SealFolder(folder);
    if (!seal.error.empty()) {
        ConsoleWrite(stderr, "setupcheck: cannot seal: " + seal.error + "\n");
        return kExitMismatch;
    }
    std::string dependencies = DependencyPath(out) + ":";
    for (const std::string& path : seal.paths) {
        dependencies += " " + DependencyPath(path);
    }
    if (!WriteFile(out, FormatSeal(seal.entries)) || (!depfile.empty() && !WriteFile(depfile, dependencies + "\n"))) {
        ConsoleWrite(stderr, "setupcheck: cannot write " + out + "\n");
        return kExitNoSeal;
    }
    std::string names;
    for (const SealEntry& entry : seal.entries) {
        names += (names.empty() ? "" : ", ") + ScriptTextToUtf8(entry.name, seal.encoding == AfxTextEncoding::Utf8);
    }
    ConsoleWrite(stdout, "setupcheck: sealed " + names + "\n");
    return kExitMatch;
}

int CompareSeal(const std::string& launcher, const std::string& folder)
{
    std::string image;
    std::FILE* pFile = ConsoleOpenFile(launcher.c_str());
    if (pFile != nullptr) {
        image.resize(kMaxLauncherBytes + 1);
        image.resize(std::fread(&image[0], 1, image.size(), pFile));
        std::fclose(pFile);
    }
    std::string data;
    std::vector<SealEntry> sealed;
    if (image.size() > kMaxLauncherBytes || !FindPeResource(image, kRawDataResource, "SEAL", &data) ||
        !ParseSeal(data.data(), data.size(), &sealed)) {
        ConsoleWrite(stderr, "setupcheck: " + launcher + (pFile == nullptr ? ": cannot open" : ": carries no seal") + "\n");
        return kExitNoSeal;
    }
    // What the folder holds now: its script's names, read as that script writes them.
    const FolderSeal now = SealFolder(folder);
    int nStatus = kExitMatch;
    for (const SealEntry& entry : sealed) {
        const std::string path = FolderFile(folder, entry.name, now.encoding);
        std::string digest;
        const bool bRead = !path.empty() && HashFile(path, &digest);
        if (!bRead || digest != entry.digest) {
            nStatus = kExitMismatch;
        }
        ConsoleWrite(stdout, ScriptTextToUtf8(entry.name, now.encoding == AfxTextEncoding::Utf8) + ": " +
                                 (!bRead ? "missing" : digest == entry.digest ? "matches" : "changed") + "\n");
    }
    for (const SealEntry& entry : now.entries) {
        if (FindSealEntry(sealed, entry.name) == nullptr) {
            ConsoleWrite(stdout, ScriptTextToUtf8(entry.name, now.encoding == AfxTextEncoding::Utf8) + ": not in the seal\n");
            nStatus = kExitMismatch;
        }
    }
    return nStatus;
}

}  // namespace

bool IsSealCommand(const std::string& argument) { return argument == "--seal" || argument == "--make-seal"; }

int RunSealCommand(const std::vector<std::string>& arguments)
{
    const bool bMake = arguments[1] == "--make-seal";
    if (arguments.size() != 4 && !(bMake && arguments.size() == 5)) {
        std::fputs(bMake ? "Usage: setupcheck --make-seal FOLDER OUT [DEPFILE]\n" : "Usage: setupcheck --seal SETUP_EXE FOLDER\n",
                   stderr);
        return kExitNoSeal;
    }
    return bMake ? MakeSeal(arguments[2], arguments[3], arguments.size() == 5 ? arguments[4] : "")
                 : CompareSeal(arguments[2], arguments[3]);
}
