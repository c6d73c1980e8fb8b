// Names Windows cannot hold or tell apart, found before a medium is written: they would
// be changed or lost on the image, or open another file than the one named.
#include "checker/medium_names.h"

#include <cstdio>
#include <cstring>
#include <map>

#include "checker/finding.h"
#include "backend/console/console_system.h"
#include "afx/unicode_text.h"

namespace {

// Joliet keeps 64 UTF-16 code units of a name.
constexpr std::size_t kMaxNameUnits = 64;

const char kHex[] = "0123456789abcdef";

// The path as a terminal may show it.
std::string Shown(const std::string& path)
{
    std::string shown;
    ForEachUtf8Piece(path, [&shown](const unsigned char* p, std::size_t nLength, bool bWellFormed) {
        if (!bWellFormed || IsControlCharacter(p, nLength)) {
            for (std::size_t i = 0; i < nLength; ++i) {
                shown += {'\\', 'x', kHex[p[i] >> 4], kHex[p[i] & 0xF]};
            }
        } else {
            shown.append(reinterpret_cast<const char*>(p), nLength);
        }
    });
    return shown;
}

// Windows opens a device for these names, whatever follows a dot: CON, PRN, AUX, NUL,
// COM1-COM9 and LPT1-LPT9 (with the superscripts 1, 2 and 3 too), blanks before the
// dot aside.
bool IsDeviceName(const std::string& name)
{
    std::string stem = name.substr(0, name.find('.'));
    stem.erase(stem.find_last_not_of(' ') + 1);
    std::string upper;
    for (const char c : stem) {
        upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") {
        return true;
    }
    if (upper.compare(0, 3, "COM") != 0 && upper.compare(0, 3, "LPT") != 0) {
        return false;
    }
    const std::string number = upper.substr(3);
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

// Why Windows cannot hold the name; empty when it can.
std::string NameProblem(const std::string& name)
{
    if (!IsValidUtf8(name)) {
        return "not valid UTF-8: the medium's names are Unicode";
    }
    std::string problem;
    ForEachUtf8Piece(name, [&problem](const unsigned char* p, std::size_t nLength, bool) {
        if (!problem.empty()) {
            return;
        }
        if (IsControlCharacter(p, nLength)) {
            problem = "a control character, which Windows does not allow in a name";
        } else if (nLength == 1 && std::strchr("<>:\"\\|?*", *p) != nullptr) {
            problem = std::string("the character ") + static_cast<char>(*p) + ", which Windows does not allow in a name";
        }
    });
    if (!problem.empty()) {
        return problem;
    }
    if (IsDeviceName(name)) {
        return "a device's name to Windows (CON, PRN, AUX, NUL, COM1-9, LPT1-9), with or without an extension";
    }
    if (name.back() == '.' || name.back() == ' ') {
        return "a dot or a blank at its end, which Windows drops";
    }
    if (Utf16Length(name) > kMaxNameUnits) {
        return "longer than the 64 characters (UTF-16 units) of a name on the medium";
    }
    return {};
}

}  // namespace

std::vector<std::string> CheckMediumNames(const std::vector<std::string>& paths,
                                          const std::vector<std::string>& rootNames)
{
    std::vector<std::string> lines;
    // Folder and folded name of each name seen, with how it was written.
    std::map<std::string, std::string> seen;
    for (const std::string& name : rootNames) {
        seen.emplace("/" + FoldCaseUtf8(name), "the medium's own " + name);
    }
    for (const std::string& path : paths) {
        const std::size_t nSlash = path.rfind('/');
        const std::string folder = nSlash == std::string::npos ? "" : path.substr(0, nSlash);
        const std::string name = nSlash == std::string::npos ? path : path.substr(nSlash + 1);
        if (name.empty()) {
            continue;
        }
        std::string problem = NameProblem(name);
        if (problem.empty()) {
            const auto inserted = seen.emplace(folder + "/" + FoldCaseUtf8(name), path);
            if (!inserted.second) {
                problem = "the same name to Windows as " + Shown(inserted.first->second) + ", letter case aside";
            }
        }
        if (!problem.empty()) {
            lines.push_back(Shown(path) + ": " + problem);
        }
    }
    return lines;
}

int RunMediumNamesCheck(const std::vector<std::string>& rootNames)
{
    // An empty path (after the last NUL) names nothing.
    std::vector<std::string> paths(1);
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
        if (c == '\0') {
            paths.emplace_back();
        } else {
            paths.back() += static_cast<char>(c);
        }
    }
    const std::vector<std::string> lines = CheckMediumNames(paths, rootNames);
    for (const std::string& line : lines) {
        ConsoleWrite(stdout, line + "\n");
    }
    return lines.empty() ? 0 : 1;
}
