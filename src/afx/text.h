// Character services for the script's text.
//
// The script's text is kept as bytes in the script's encoding: the system's ANSI
// code page (a script without a byte-order mark), which may be a double-byte one,
// or UTF-8 (a script with a byte-order mark; UTF-16 scripts are turned into UTF-8
// while they are read). The reader tells which (CStdioFile::TextEncoding) and the
// record keeps it with the text, so every function here that steps over characters
// is told the encoding of the text it is given. An ASCII byte never occurs inside a
// UTF-8 multi-byte character, so searches for ASCII bytes stay byte searches in both
// encodings; the double-byte rules apply to ANSI text only.
#pragma once

#include <cstdint>

enum class AfxTextEncoding { Ansi, Utf8 };

// Bytes of the character that starts at p (p[0] != 0), never past the NUL. ANSI: 2
// for a lead byte followed by a non-NUL byte, else 1. UTF-8: the length of a
// well-formed sequence, else 1 (a broken byte is one character, shown as U+FFFD).
int AfxCharLength(const char* p, AfxTextEncoding encoding);

// The first occurrence of c in the string, never inside a character; null if none.
const char* AfxStrChr(const char* psz, char c, AfxTextEncoding encoding);
char* AfxStrChr(char* psz, char c, AfxTextEncoding encoding);
// Ends the string at the first occurrence of c, never inside a character; no change if none.
void AfxCutAt(char* psz, char c, AfxTextEncoding encoding);
// The last character of the string that is one of pszSet, never inside a
// character; null if none.
const char* AfxFindLastOf(const char* psz, const char* pszSet, AfxTextEncoding encoding);

// Whole-string equality with the ASCII letters A-Z taken as a-z on both sides; no
// other byte folds.
bool AfxEqualNoCaseAscii(const char* psz1, const char* psz2);

// Where a text may be cut into lines: one flag byte per byte of the text.
constexpr unsigned char AFX_CHAR_STOP = 1;     // a character (a grapheme in UTF-8) begins here
constexpr unsigned char AFX_BREAK_BEFORE = 2;  // a line may break before this byte

// The system's text engine on nLength bytes of UTF-8 text: pFlags (as many bytes,
// zeroed by the caller) gets the graphemes' first bytes and the breaks the Unicode
// line-breaking rules allow. False, with pFlags untouched, when the system has no
// such engine or it fails.
bool AfxFindUnicodeLineBreaks(const char* pszText, int nLength, unsigned char* pFlags);
