// Text extents summed from the widths of single characters, each measured once.
//
// Measuring is a call into the system per string, with a cost per character; the
// message view's wrap measures thousands of prefixes of its lines. For text that
// the system does not shape, the system's extent is the sum of the advance widths
// of the characters (a text extent has no kerning), so the sum of widths measured
// one character at a time and kept is the extent the system would give.
#pragma once

#include "backend/win32/windows_include.h"

// The extent of the nLength UTF-16 units at pwsz in the DC's font, from kept widths;
// false, with *pSize untouched, when the text has to be measured whole: empty text,
// a character outside the Basic Multilingual Plane, a character of a script the
// system shapes (Uniscribe's test of complex scripts; every such character when
// Uniscribe is missing; never an ASCII one), or a DC in another font than the
// first one that asked.
bool SumCharacterWidths(HDC hDC, const wchar_t* pwsz, int nLength, SIZE* pSize);
