// A medium's seal: the SHA-256 of its script and of each file of its folder that a
// [Run] line names, which a sealed launcher carries in its own resources; and which
// names of a command line those are, by the launcher's own splitting of it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "afx/command_line.h"

// The name under which a seal holds the script.
constexpr char SEAL_SCRIPT_NAME[] = "setup.ini";

struct SealEntry {
    std::string name;    // as the script writes it, in the script's text
    std::string digest;  // SHA-256, 64 lower-case hexadecimal digits
};

// The seal's text: one line "DIGEST NAME" for each entry, the script's first.
std::string FormatSeal(const std::vector<SealEntry>& entries);
// The entries of a seal's text; false when the bytes are no seal.
bool ParseSeal(const char* pData, std::size_t nSize, std::vector<SealEntry>* pEntries);
// The entry of exactly that name; null when the seal has none.
const SealEntry* FindSealEntry(const std::vector<SealEntry>& entries, const std::string& name);

// A name that a command line writes, which may be a file of the script's folder.
struct CommandLineName {
    std::string name;  // as written; the program's with ".exe" added as the start adds it
    bool bProgram;
};

// The names of a command line that lie inside the script's folder: the program, as
// the plain start takes it, then each argument (split at blanks outside double
// quotes, the quotes removed). A name with a drive or a colon, one that starts at a
// root, and one whose ".." climbs out of the folder is not the medium's and is left
// out, as is a name with no file name in it ("." or "").
std::vector<CommandLineName> CommandLineFolderNames(const char* lpszCmdLine, AfxTextEncoding encoding,
                                                   const ProgramExistsFunction& programExists);

// The path of a name (text of that encoding) inside the script's folder, its names joined by backslashes
// without "." and the names that ".." takes back; false when the name is none of
// the folder's (see above).
bool FolderRelativePath(const std::string& name, AfxTextEncoding encoding, std::string* pPath);
