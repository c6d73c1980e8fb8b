// Measures the default font of a screen device context, the font the launcher's
// message view draws with, as GetTextExtentPoint32 gives it. Without an argument it
// prints the width of every byte 0-255 as a C table, then the font's average width
// and height as a comment; with "unicode", the widths of the characters of the
// scripts the checker's table covers (Latin, Greek, Cyrillic, punctuation, and the
// ideographs, kana and Hangul the system's fallback font draws), as runs of
// {first, last, width}.
// scripts/measure-font-widths.sh runs it under Wine for setupcheck's tables.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

struct Range {
    unsigned nFirst;
    unsigned nLast;
};

const Range kRanges[] = {
    {0x0001, 0x007E}, {0x00A0, 0x024F}, {0x0250, 0x02FF}, {0x0300, 0x036F},  // controls, Latin, IPA, accents
    {0x0370, 0x03FF}, {0x0400, 0x052F},                                      // Greek, Cyrillic
    {0x1E00, 0x1FFF},                                                        // more Latin and Greek
    {0x2000, 0x206F}, {0x20A0, 0x20CF}, {0x2100, 0x214F}, {0x2190, 0x21FF},  // punctuation, symbols
    {0x2E80, 0x2FDF}, {0x3000, 0x30FF}, {0x3100, 0x31FF}, {0x3400, 0x4DBF},  // CJK, kana
    {0x4E00, 0x9FFF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFF00, 0xFFEF},  // ideographs, Hangul, full width
    {0xFFFD, 0xFFFD},
};

void PrintUnicodeRuns(HDC hDC)
{
    unsigned nRunFirst = 0;
    unsigned nRunLast = 0;
    long nRunWidth = -1;
    for (const Range& range : kRanges) {
        for (unsigned c = range.nFirst; c <= range.nLast; ++c) {
            const wchar_t ch = static_cast<wchar_t>(c);
            SIZE size{};
            GetTextExtentPoint32W(hDC, &ch, 1, &size);
            if (size.cx == nRunWidth && c == nRunLast + 1) {
                nRunLast = c;
                continue;
            }
            if (nRunWidth >= 0) {
                std::printf("{0x%04X, 0x%04X, %ld},\n", nRunFirst, nRunLast, nRunWidth);
            }
            nRunFirst = nRunLast = c;
            nRunWidth = size.cx;
        }
    }
    std::printf("{0x%04X, 0x%04X, %ld},\n", nRunFirst, nRunLast, nRunWidth);
}

void PrintAnsiTable(HDC hDC)
{
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        SIZE size{};
        GetTextExtentPoint32A(hDC, &ch, 1, &size);
        std::printf("%ld,%s", static_cast<long>(size.cx), c % 16 == 15 ? "\n" : " ");
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(hDC, &metrics);
    std::printf("// tmAveCharWidth %ld, tmHeight %ld\n", static_cast<long>(metrics.tmAveCharWidth),
                static_cast<long>(metrics.tmHeight));
}

}  // namespace

int main(int argc, char** argv)
{
    HDC hDC = GetDC(nullptr);
    if (hDC == nullptr) {
        std::fprintf(stderr, "measure_font_widths: no screen device context\n");
        return 1;
    }
    if (argc > 1 && std::strcmp(argv[1], "unicode") == 0) {
        PrintUnicodeRuns(hDC);
    } else {
        PrintAnsiTable(hDC);
    }
    ReleaseDC(nullptr, hDC);
    return 0;
}
