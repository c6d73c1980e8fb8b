// Decoding a script that starts with a byte-order mark into UTF-8, one character at
// a time; the shape of a well-formed UTF-8 character, and walking UTF-8 text by its
// characters and broken sequences; and the one rule by which the tools compare names
// without regard to letter case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "afx/file.h"

// Length of the well-formed UTF-8 sequence at p, or 1 when there is none there: no
// overlong forms, no surrogates, nothing above U+10FFFF. Bytes after p[0] are read
// only while they continue the sequence, so a NUL-terminated text is never read
// past its NUL.
int Utf8SequenceLength(const unsigned char* p);

// The code point of the UTF-8 character of nLength bytes (AfxCharLength) at p;
// U+FFFD for a byte that begins no well-formed sequence.
std::uint32_t AfxUtf8CodePoint(const char* p, int nLength);

// U+FFFD, which stands for what does not decode, in UTF-8.
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

// Bytes of the well-formed UTF-8 character at p that ends within nLeft bytes; 0 if
// none starts there.
std::size_t Utf8CharacterLength(const unsigned char* p, std::size_t nLeft);
// Bytes of the broken sequence at p (at most nLeft) that one U+FFFD stands for, as the
// system converts: the longest start of p that continuation bytes would make a
// character.
std::size_t Utf8BrokenSequenceLength(const unsigned char* p, std::size_t nLeft);

// Calls onPiece(p, nLength, bWellFormed) for each piece of UTF-8 text in order: a
// well-formed character, or a broken sequence that one U+FFFD stands for.
template <typename OnPiece>
void ForEachUtf8Piece(const std::string& text, OnPiece onPiece)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const std::size_t nCharacter = Utf8CharacterLength(p + i, n - i);
        const std::size_t nPiece = nCharacter != 0 ? nCharacter : Utf8BrokenSequenceLength(p + i, n - i);
        onPiece(p + i, nPiece, nCharacter != 0);
        i += nPiece;
    }
}

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool IsValidUtf8(const std::string& bytes);
// True when the well-formed character of nLength bytes at p is a control character:
// C0, DEL or C1.
bool IsControlCharacter(const unsigned char* p, std::size_t nLength);
// UTF-16 code units of well-formed UTF-8 text.
std::size_t Utf16Length(const std::string& text);

// The text form that the first nAvailable bytes of a file announce, and the length
// of its byte-order mark (0 for ANSI).
AfxFileTextForm DetectByteOrderMark(const unsigned char* p, std::size_t nAvailable, std::size_t* pnMarkBytes);

// Raw bytes that always hold a whole character of any form, and the most UTF-8
// bytes one character decodes to.
constexpr std::size_t kMaxRawCharacterBytes = 4;
constexpr int kMaxDecodedCharacterBytes = 4;

// Decodes the character at p (nAvailable >= 1 raw bytes; fewer than
// kMaxRawCharacterBytes only at the end of the file) into UTF-8 at pOut, sets *pnOut
// to its length and returns the raw bytes it took. A byte that starts no well-formed
// UTF-8 character, a lone surrogate and an odd last byte of UTF-16 each decode to
// U+FFFD.
std::size_t DecodeCharacter(AfxFileTextForm form, const unsigned char* p, std::size_t nAvailable,
                            unsigned char* pOut, int* pnOut);

// Unicode's simple case folding (CaseFolding.txt, statuses C and S): the one form of
// letters that differ only in case (A and a; U+00C9 and U+00E9; U+03A3, U+03C3 and
// the final U+03C2; U+10400 and U+10428). Names whose folded forms are equal are one
// name to Windows: the checker finds files, and the medium refuses twins, by it.
unsigned long FoldCase(unsigned long nCodePoint);
// UTF-8 text with each character folded; a byte that starts no well-formed character
// stays as it is.
std::string FoldCaseUtf8(const std::string& text);
