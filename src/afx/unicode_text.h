// Decoding a script that starts with a byte-order mark into UTF-8, one character at
// a time, the shape of a well-formed UTF-8 character, and the one rule by which the
// tools compare names without regard to letter case.
#pragma once

#include <cstddef>
#include <string>

#include "afx/file.h"

// Length of the well-formed UTF-8 sequence at p, or 1 when there is none there: no
// overlong forms, no surrogates, nothing above U+10FFFF. Bytes after p[0] are read
// only while they continue the sequence, so a NUL-terminated text is never read
// past its NUL.
int Utf8SequenceLength(const unsigned char* p);

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
