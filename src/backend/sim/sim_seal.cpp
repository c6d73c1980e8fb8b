// The simulated seal: a resource set per test, files hashed in portable code, and
// programs found among the simulated files.
#include "afx/held_files.h"
#include "afx/sha256.h"
#include "afx/os.h"
#include "backend/sim/sim_state.h"

namespace sim {

void SetSeal(const std::string& bytes)
{
    TheMachine().sealed = true;
    TheMachine().seal = bytes;
}

std::string Sha256Hex(const std::string& bytes)
{
    CSha256 hash;
    hash.Add(bytes.data(), bytes.size());
    unsigned char digest[SHA256_BYTES];
    hash.Finish(digest);
    return HexDigest(digest);
}

}  // namespace sim

const char* os::GetSeal(std::size_t* pnSize)
{
    const sim::Machine& m = sim::TheMachine();
    *pnSize = m.sealed ? m.seal.size() : 0;
    return m.sealed ? m.seal.data() : nullptr;
}

bool os::ProgramExists(const char* lpszPath, AfxTextEncoding /*encoding*/) { return sim::TheMachine().files.count(sim::ToLower(lpszPath)) != 0; }

namespace os {

bool HashFileSha256(FileHandle hFile, unsigned char digest[32])
{
    CSha256 hash;
    char buffer[4096];
    std::size_t nRead = 0;
    do {
        if (!ReadFile(hFile, buffer, sizeof buffer, &nRead)) {
            return false;
        }
        hash.Add(buffer, nRead);
    } while (nRead > 0);
    hash.Finish(digest);
    return true;
}

}  // namespace os
