// A bounds-checked walk from the DOS header to one resource's data: every offset and
// size read from the file is checked against the file before it is used.
#include "checker/pe_resource.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;

class CImage {
public:
    explicit CImage(const std::string& bytes) : m_bytes(bytes) {}

    bool Read16(std::uint64_t nOffset, std::uint32_t* pn) const { return Read(nOffset, 2, pn); }
    bool Read32(std::uint64_t nOffset, std::uint32_t* pn) const { return Read(nOffset, 4, pn); }
    bool Holds(std::uint64_t nOffset, std::uint64_t nSize) const
    {
        return nOffset <= m_bytes.size() && nSize <= m_bytes.size() - nOffset;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    bool Read(std::uint64_t nOffset, int nBytes, std::uint32_t* pn) const
    {
        if (!Holds(nOffset, static_cast<std::uint64_t>(nBytes))) {
            return false;
        }
        *pn = 0;
        for (int i = nBytes - 1; i >= 0; --i) {
            *pn = (*pn << 8) | static_cast<unsigned char>(m_bytes[static_cast<std::size_t>(nOffset) + i]);
        }
        return true;
    }

    const std::string& m_bytes;
};

struct Section {
    std::uint32_t nAddress;
    std::uint32_t nRawSize;
    std::uint32_t nRawOffset;
};

// The file offset of nSize bytes at a relative virtual address, through the section
// that holds them in the file.
bool FileOffset(const CImage& image, std::uint64_t nSectionTable, std::uint32_t nSections, std::uint32_t nRva,
                std::uint32_t nSize, std::uint64_t* pnOffset)
{
    for (std::uint32_t i = 0; i < nSections; ++i) {
        const std::uint64_t nHeader = nSectionTable + 40ull * i;
        Section s{};
        if (!image.Read32(nHeader + 12, &s.nAddress) || !image.Read32(nHeader + 16, &s.nRawSize) ||
            !image.Read32(nHeader + 20, &s.nRawOffset)) {
            return false;
        }
        if (nRva >= s.nAddress && nRva - s.nAddress <= s.nRawSize && nSize <= s.nRawSize - (nRva - s.nAddress)) {
            *pnOffset = static_cast<std::uint64_t>(s.nRawOffset) + (nRva - s.nAddress);
            return image.Holds(*pnOffset, nSize);
        }
    }
    return false;
}

// Whether the resource directory's name string at nOffset is pszName, ASCII case aside.
bool NameIs(const CImage& image, std::uint64_t nOffset, const char* pszName)
{
    std::uint32_t nLength = 0;
    if (!image.Read16(nOffset, &nLength) || nLength != std::strlen(pszName)) {
        return false;
    }
    for (std::uint32_t i = 0; i < nLength; ++i) {
        std::uint32_t c = 0;
        if (!image.Read16(nOffset + 2 + 2ull * i, &c)) {
            return false;
        }
        const auto upper = [](std::uint32_t n) { return n >= 'a' && n <= 'z' ? n - 'a' + 'A' : n; };
        if (upper(c) != upper(static_cast<unsigned char>(pszName[i]))) {
            return false;
        }
    }
    return true;
}

// The entry of a resource directory (at nRoot + nDirectory) that matches: by number
// when pszName is null, else by name; the first entry when bFirst. Gives the entry's
// OffsetToData.
bool FindEntry(const CImage& image, std::uint64_t nRoot, std::uint32_t nDirectory, std::uint32_t nId,
               const char* pszName, bool bFirst, std::uint32_t* pnTarget)
{
    std::uint32_t nNamed = 0;
    std::uint32_t nIds = 0;
    if (!image.Read16(nRoot + nDirectory + 12, &nNamed) || !image.Read16(nRoot + nDirectory + 14, &nIds)) {
        return false;
    }
    for (std::uint32_t i = 0; i < nNamed + nIds; ++i) {
        const std::uint64_t nEntry = nRoot + nDirectory + 16 + 8ull * i;
        std::uint32_t nName = 0;
        if (!image.Read32(nEntry, &nName) || !image.Read32(nEntry + 4, pnTarget)) {
            return false;
        }
        const bool bNamed = (nName & kHighBit) != 0;
        if (bFirst || (pszName == nullptr ? !bNamed && nName == nId
                                          : bNamed && NameIs(image, nRoot + (nName & ~kHighBit), pszName))) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool FindPeResource(const std::string& bytes, unsigned nType, const char* pszName, std::string* pData)
{
    const CImage image(bytes);
    std::uint32_t nPe = 0;
    std::uint32_t nSignature = 0;
    std::uint32_t nMagic = 0;
    if (bytes.compare(0, 2, "MZ") != 0 || !image.Read32(0x3C, &nPe) || !image.Read32(nPe, &nSignature) ||
        nSignature != 0x00004550 || !image.Read16(nPe + 24, &nMagic)) {
        return false;
    }
    std::uint32_t nSections = 0;
    std::uint32_t nOptionalSize = 0;
    std::uint32_t nDirectories = 0;
    const std::uint64_t nOptional = nPe + 24ull;
    const std::uint64_t nDirectoryCount = nOptional + (nMagic == 0x20b ? 108 : 92);
    if ((nMagic != 0x10b && nMagic != 0x20b) || !image.Read16(nPe + 6, &nSections) ||
        !image.Read16(nPe + 20, &nOptionalSize) || !image.Read32(nDirectoryCount, &nDirectories) || nDirectories < 3) {
        return false;
    }
    // The resource table is the third data directory.
    std::uint32_t nResourceRva = 0;
    const std::uint64_t nSectionTable = nOptional + nOptionalSize;
    std::uint64_t nRoot = 0;
    if (!image.Read32(nDirectoryCount + 4 + 16, &nResourceRva) || nResourceRva == 0 || !FileOffset(image, nSectionTable, nSections, nResourceRva, 16, &nRoot)) {
        return false;
    }
    // Type, name, language: each level's entry leads to a directory, the last one's to
    // the data's description.
    std::uint32_t nTarget = 0;
    if (!FindEntry(image, nRoot, 0, nType, nullptr, false, &nTarget) || (nTarget & kHighBit) == 0 ||
        !FindEntry(image, nRoot, nTarget & ~kHighBit, 0, pszName, false, &nTarget) || (nTarget & kHighBit) == 0 ||
        !FindEntry(image, nRoot, nTarget & ~kHighBit, 0, nullptr, true, &nTarget) || (nTarget & kHighBit) != 0) {
        return false;
    }
    std::uint32_t nDataRva = 0;
    std::uint32_t nDataSize = 0;
    std::uint64_t nData = 0;
    if (!image.Read32(nRoot + nTarget, &nDataRva) || !image.Read32(nRoot + nTarget + 4, &nDataSize) ||
        !FileOffset(image, nSectionTable, nSections, nDataRva, nDataSize, &nData)) {
        return false;
    }
    pData->assign(bytes, static_cast<std::size_t>(nData), nDataSize);
    return true;
}
