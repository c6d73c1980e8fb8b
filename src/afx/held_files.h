// What a sealed launcher needs of the system: the seal in its own resources, files
// held open and hashed while they are checked and started, and the start's search
// for a program.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "afx/file.h"

// The bytes of the seal the launcher carries (script/medium_seal.h); null, with
// *pnSize 0, when it carries none.
const char* AfxGetSeal(std::size_t* pnSize);

// Whether the plain start (AfxWinExec) finds a program file of that name, text of
// that encoding.
bool AfxProgramExists(const char* lpszPath, AfxTextEncoding encoding);

// Files held open for reading: others may read them, but no one can write, rename
// or delete them until this object is gone.
class CHeldFiles {
public:
    CHeldFiles() = default;
    CHeldFiles(const CHeldFiles&) = delete;
    CHeldFiles& operator=(const CHeldFiles&) = delete;
    ~CHeldFiles();

    // Opens the file (its name text of that encoding, relative to the current folder),
    // keeps it open and sets *pDigest to the SHA-256 of its bytes as 64 lower-case
    // hexadecimal digits. False when it cannot be opened (missing, a folder, open for
    // writing elsewhere) or read whole, or the system cannot hash.
    bool OpenAndHash(const char* lpszFileName, AfxTextEncoding encoding, std::string* pDigest);

private:
    std::vector<FileHandle> m_files;
};
