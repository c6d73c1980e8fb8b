// Simulated registry, version resources, process start, module name, work area
// and code page.
#include <cstring>

#include "afx/os.h"
#include "afx/text.h"
#include "backend/sim/sim_state.h"

namespace sim {
namespace {

constexpr long kErrorFileNotFound = 2;
constexpr long kErrorMoreData = 234;
constexpr char kVersionMagic[4] = {'S', 'I', 'M', 'V'};

// The registry's text limit counts bytes of ANSI text, or UTF-16 units of UTF-8 (two
// for a four-byte character).
std::uint32_t SystemTextUnits(const std::string& data, AfxTextEncoding encoding)
{
    std::uint32_t nUnits = 0;
    for (const unsigned char c : data) {
        nUnits += encoding == AfxTextEncoding::Ansi ? 1 : (c & 0xC0) == 0x80 ? 0 : (c >= 0xF0 ? 2 : 1);
    }
    return nUnits;
}

std::string RegistryKeyName(AfxRootKey root, const std::string& keyPath)
{
    return std::to_string(static_cast<std::uint32_t>(root)) + "\\" + ToLower(keyPath);
}

// A version block: magic, translation count (uint32), the pairs (uint16 each), then
// "key\0value\0" string entries, ended by an empty key.
std::string SerializeVersion(const VersionResource& resource)
{
    std::string block(kVersionMagic, sizeof kVersionMagic);
    const auto count = static_cast<std::uint32_t>(resource.translations.size());
    block.append(reinterpret_cast<const char*>(&count), sizeof count);
    for (const auto& pair : resource.translations) {
        block.append(reinterpret_cast<const char*>(&pair.first), sizeof pair.first);
        block.append(reinterpret_cast<const char*>(&pair.second), sizeof pair.second);
    }
    // A resource string ends at its first NUL: anything after one would be taken for
    // the next entry, and the search would run past the end of the block.
    for (const auto& entry : resource.fileVersions) {
        block += ToLower(entry.first.c_str());
        block += '\0';
        block += entry.second.c_str();
        block += '\0';
    }
    block += '\0';
    return block;
}

}  // namespace

std::string ToLower(std::string s)
{
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return s;
}

void SetRegistryValue(AfxRootKey root, const std::string& keyPath, const std::string& valueName,
                      const std::string& data)
{
    TheMachine().registry[RegistryKeyName(root, keyPath)][ToLower(valueName)] = data;
}

void AddRegistryKey(AfxRootKey root, const std::string& keyPath)
{
    TheMachine().registry[RegistryKeyName(root, keyPath)];
}

int RegistryOpenCount() { return TheMachine().registryOpens; }

void SetFileVersion(const std::string& path, const VersionResource& resource)
{
    TheMachine().versions[ToLower(path)] = resource;
}

int VersionQueryCount() { return TheMachine().versionQueries; }

void SetWinExecResult(UINT result) { TheMachine().winExecResult = result; }

const std::vector<StartedCommand>& StartedCommands() { return TheMachine().started; }

void SetModuleFileName(const std::string& path) { TheMachine().moduleFileName = path; }

void SetWorkArea(const CRect& area) { TheMachine().workArea = area; }

void SetStartupShowCommand(int nCmdShow) { TheMachine().showCommand = nCmdShow; }

void SetDoubleByteCodePage(bool enabled) { TheMachine().doubleByte = enabled; }

void SetUserLanguages(const std::vector<std::string>& tags) { TheMachine().userLanguages = tags; }

}  // namespace sim

void* os::RegOpenKey(AfxRootKey root, const char* lpszKeyName, AfxTextEncoding /*encoding*/)
{
    sim::Machine& m = sim::TheMachine();
    ++m.registryOpens;
    const std::string name = sim::RegistryKeyName(root, lpszKeyName);
    if (m.registry.count(name) == 0) {
        return nullptr;
    }
    return new std::string(name);
}

long os::RegQueryValue(void* hKey, AfxTextEncoding encoding, const char* lpszValueName, void* pData,
                       std::uint32_t nLimit, std::uint32_t* pnBytes)
{
    const auto& values = sim::TheMachine().registry[*static_cast<std::string*>(hKey)];
    const auto it = values.find(sim::ToLower(lpszValueName != nullptr ? lpszValueName : ""));
    if (it == values.end()) {
        return sim::kErrorFileNotFound;
    }
    const std::string& data = it->second;
    if (sim::SystemTextUnits(data, encoding) > nLimit) {
        *pnBytes = static_cast<std::uint32_t>(data.size());
        return sim::kErrorMoreData;
    }
    std::memcpy(pData, data.data(), data.size());
    *pnBytes = static_cast<std::uint32_t>(data.size());
    return 0;
}

void os::RegCloseKey(void* hKey) { delete static_cast<std::string*>(hKey); }

std::uint32_t os::GetFileVersionInfoSize(const char* lpszFileName, AfxTextEncoding)
{
    sim::Machine& m = sim::TheMachine();
    ++m.versionQueries;
    const auto it = m.versions.find(sim::ToLower(lpszFileName));
    return it == m.versions.end() ? 0 : static_cast<std::uint32_t>(sim::SerializeVersion(it->second).size());
}

BOOL os::GetFileVersionInfo(const char* lpszFileName, AfxTextEncoding, std::uint32_t nSize, void* pBlock)
{
    const auto& versions = sim::TheMachine().versions;
    const auto it = versions.find(sim::ToLower(lpszFileName));
    if (it == versions.end() || it->second.readFails) {
        return FALSE;
    }
    const std::string block = sim::SerializeVersion(it->second);
    if (nSize < block.size()) {
        return FALSE;
    }
    std::memcpy(pBlock, block.data(), block.size());
    return TRUE;
}

BOOL os::VerQueryValue(const void* pBlock, const char* lpszSubBlock, AfxTextEncoding, const void** ppBuffer,
                      UINT* pnLength)
{
    const char* block = static_cast<const char*>(pBlock);
    if (std::memcmp(block, sim::kVersionMagic, sizeof sim::kVersionMagic) != 0) {
        return FALSE;
    }
    std::uint32_t count = 0;
    std::memcpy(&count, block + 4, sizeof count);
    const char* pairs = block + 8;
    const std::string query = sim::ToLower(lpszSubBlock);
    if (query == "\\varfileinfo\\translation") {
        if (count == 0) {
            return FALSE;
        }
        *ppBuffer = pairs;
        *pnLength = count * 4;
        return TRUE;
    }
    const std::string prefix = "\\stringfileinfo\\";
    const std::string suffix = "\\fileversion";
    if (query.size() != prefix.size() + 8 + suffix.size() || query.compare(0, prefix.size(), prefix) != 0 ||
        query.compare(prefix.size() + 8, suffix.size(), suffix) != 0) {
        return FALSE;
    }
    const std::string key = query.substr(prefix.size(), 8);
    for (const char* p = pairs + count * 4; *p != '\0';) {
        const char* value = p + std::strlen(p) + 1;
        if (key == p) {
            *ppBuffer = value;
            *pnLength = static_cast<UINT>(std::strlen(value) + 1);
            return TRUE;
        }
        p = value + std::strlen(value) + 1;
    }
    return FALSE;
}

UINT os::WinExec(const char* lpszCmdLine, AfxTextEncoding encoding, int nCmdShow)
{
    sim::Machine& m = sim::TheMachine();
    m.started.push_back({lpszCmdLine, nCmdShow, encoding, sim::OpenFileNames()});
    m.events.push_back(std::string("WinExec ") + lpszCmdLine);
    return m.winExecResult;
}

const char* os::GetModuleFileName(AfxTextEncoding) { return sim::TheMachine().moduleFileName.c_str(); }

CRect os::GetWorkArea() { return sim::TheMachine().workArea; }

int os::GetDisplayDpi() { return 96; }

std::vector<std::string> os::GetUserLanguages() { return sim::TheMachine().userLanguages; }

bool os::IsLeadByte(unsigned char c)
{
    return sim::TheMachine().doubleByte && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
}
