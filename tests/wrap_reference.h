// The word wrap done the plain way, one width per character and per trailing space:
// the yardstick that the differential test and the benchmark hold WrapMessageText to.
#pragma once

#include "layout/word_wrap.h"

WrapResult ReferenceWrapMessageText(const char* pszText, int nClientWidth, int nLeftMargin, int nAveCharWidth,
                                    const TextWidthFunction& measure, int nMaxLines,
                                    const WrapBreaks& breaks = WrapBreaks());
