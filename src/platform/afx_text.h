// Character services of the ANSI code page, aware of double-byte code pages.
#pragma once

// True when c begins a double-byte character in the system's ANSI code page.
bool AfxIsLeadByte(unsigned char c);

// The first occurrence of c in the string, never a trail byte; null if none.
const char* AfxStrChr(const char* psz, char c);
char* AfxStrChr(char* psz, char c);
// Ends the string at the first occurrence of c, never a trail byte; no change if none.
void AfxCutAt(char* psz, char c);

// Whole-string equality with the ASCII letters A-Z taken as a-z on both sides; no
// other byte folds.
bool AfxEqualNoCaseAscii(const char* psz1, const char* psz2);
