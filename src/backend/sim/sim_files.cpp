// Simulated files: in-memory bytes, with read errors injected per test.
#include <algorithm>
#include <cstring>

#include "afx/os.h"
#include "backend/sim/sim_state.h"

namespace sim {

std::vector<std::string>& OpenFileNames()
{
    static auto* s_pNames = new std::vector<std::string>;  // never destroyed: see sim_state.h
    return *s_pNames;
}

void AddFile(const std::string& name, const std::string& bytes) { TheMachine().files[ToLower(name)].bytes = bytes; }

void SetFileReadError(const std::string& name, std::size_t nGoodBytes)
{
    TheMachine().files[ToLower(name)].goodBytes = nGoodBytes;
}

}  // namespace sim

namespace os {

FileHandle OpenFileForReading(const char* lpszFileName, AfxTextEncoding /*encoding*/)
{
    const std::string name = sim::ToLower(lpszFileName != nullptr ? lpszFileName : "");
    if (sim::TheMachine().files.count(name) == 0) {
        return nullptr;
    }
    sim::OpenFileNames().push_back(name);
    return reinterpret_cast<FileHandle>(new sim::OpenFile{name, 0, 0});
}

bool ReadFile(FileHandle hFile, void* pBuffer, std::size_t nCount, std::size_t* pnRead)
{
    auto* file = reinterpret_cast<sim::OpenFile*>(hFile);
    const sim::SimFile& data = sim::TheMachine().files[file->name];
    *pnRead = 0;
    if (file->position >= data.bytes.size()) {
        return true;
    }
    if (file->bytesRead >= data.goodBytes) {
        return false;
    }
    const std::size_t available = data.bytes.size() - file->position;
    const std::size_t allowed = data.goodBytes - file->bytesRead;
    const std::size_t n = std::min({nCount, available, allowed});
    std::memcpy(pBuffer, data.bytes.data() + file->position, n);
    file->position += n;
    file->bytesRead += n;
    *pnRead = n;
    return true;
}

bool SeekFile(FileHandle hFile, long long nOffset)
{
    if (nOffset < 0) {
        return false;
    }
    reinterpret_cast<sim::OpenFile*>(hFile)->position = static_cast<std::size_t>(nOffset);
    return true;
}

void CloseFile(FileHandle hFile)
{
    auto* file = reinterpret_cast<sim::OpenFile*>(hFile);
    std::vector<std::string>& open = sim::OpenFileNames();
    const auto found = std::find(open.begin(), open.end(), file->name);
    if (found != open.end()) {
        open.erase(found);
    }
    delete file;
}

}  // namespace os

// The simulated files are kept under lower-case names: letter case never matters.
std::string os::FindFileNoCase(const char* lpszFolder, const char* lpszRelativePath)
{
    const std::string folder = lpszFolder;
    const std::string path = sim::ToLower(folder.empty() ? lpszRelativePath : folder + "\\" + lpszRelativePath);
    return sim::TheMachine().files.count(path) != 0 ? path : std::string();
}
