// SHA-256 in portable code, for the tools and the simulated platform; the launcher
// itself hashes with the system's cryptography.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t SHA256_BYTES = 32;

class CSha256 {
public:
    CSha256();
    void Add(const void* pData, std::size_t nBytes);
    // The digest of everything added; the object is spent afterwards.
    void Finish(unsigned char digest[SHA256_BYTES]);

private:
    void Block(const unsigned char* pBlock);

    std::uint32_t m_state[8];
    unsigned char m_buffer[64] = {};
    std::size_t m_nBuffered = 0;
    std::uint64_t m_nTotalBytes = 0;
};

// A digest as 64 lower-case hexadecimal digits, as seals write it.
std::string HexDigest(const unsigned char digest[SHA256_BYTES]);
