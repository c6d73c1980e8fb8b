// CHeldFiles: files opened with writes denied, hashed, and kept open; the seal the
// launcher carries and the start's search for a program, from the backend.
#include "afx/held_files.h"
#include "afx/sha256.h"
#include "afx/os.h"

CHeldFiles::~CHeldFiles()
{
    for (FileHandle hFile : m_files) {
        os::CloseFile(hFile);
    }
}

bool CHeldFiles::OpenAndHash(const char* lpszFileName, AfxTextEncoding encoding, std::string* pDigest)
{
    const FileHandle hFile = os::OpenFileForReading(lpszFileName, encoding);
    if (hFile == nullptr) {
        return false;
    }
    m_files.push_back(hFile);
    unsigned char digest[SHA256_BYTES];
    if (!os::HashFileSha256(hFile, digest)) {
        return false;
    }
    *pDigest = HexDigest(digest);
    return true;
}

const char* AfxGetSeal(std::size_t* pnSize) { return os::GetSeal(pnSize); }

bool AfxProgramExists(const char* lpszPath, AfxTextEncoding encoding) { return os::ProgramExists(lpszPath, encoding); }
