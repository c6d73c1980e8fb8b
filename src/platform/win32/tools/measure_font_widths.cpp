// Measures the default font of a screen device context, the font the launcher's
// message view draws with: prints the width of every byte 0-255 as a C table, as
// GetTextExtentPoint32 gives it, then the font's average width and height as a comment.
// scripts/measure-font-widths.sh runs it under Wine for setupcheck's table.
#include <windows.h>

#include <cstdio>

int main()
{
    HDC hDC = GetDC(nullptr);
    if (hDC == nullptr) {
        std::fprintf(stderr, "measure_font_widths: no screen device context\n");
        return 1;
    }
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
    ReleaseDC(nullptr, hDC);
    return 0;
}
