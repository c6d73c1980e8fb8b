// Measures the default font of a screen device context, the font the launcher's
// message view draws with, as GetTextExtentPoint32 gives it, and the windows the
// launcher makes. Without an argument it prints the width of every byte 0-255 as a
// C table; with "unicode", the widths of the characters of the scripts the
// checker's table covers (Latin, Greek, Cyrillic, punctuation, and the ideographs,
// kana and Hangul the system's fallback font draws), as runs of {first, last,
// width}; with "window", the font's average width and height, and what the system
// takes of a frame and a message view made as the launcher makes them (each
// window's size less its client area, across and down).
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
}

// The window's size less its client area.
SIZE NonClientSize(HWND hWnd)
{
    RECT window{};
    RECT client{};
    GetWindowRect(hWnd, &window);
    GetClientRect(hWnd, &client);
    return SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
}

// The launcher's frame (a captioned window with a client edge) and its view (a child
// with a border and a vertical scroll bar), made hidden and measured.
bool PrintWindowMetrics(HDC hDC)
{
    TEXTMETRICA metrics{};
    GetTextMetricsA(hDC, &metrics);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MeasuredWindow";
    RegisterClassA(&windowClass);
    HWND hFrame = CreateWindowExA(WS_EX_CLIENTEDGE, "MeasuredWindow", "", WS_CAPTION, 0, 0, 475, 350, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    HWND hView = CreateWindowExA(0, "MeasuredWindow", "", WS_CHILD | WS_BORDER | WS_VSCROLL, 0, 0, 465, 275, hFrame,
                                 nullptr, windowClass.hInstance, nullptr);
    if (hFrame == nullptr || hView == nullptr) {
        std::fprintf(stderr, "measure_font_widths: no window to measure\n");
        return false;
    }
    const SIZE frame = NonClientSize(hFrame);
    const SIZE view = NonClientSize(hView);
    std::printf("%ld, %ld, {{%ld, %ld}, {%ld, %ld}}\n", static_cast<long>(metrics.tmAveCharWidth),
                static_cast<long>(metrics.tmHeight), frame.cx, frame.cy, view.cx, view.cy);
    DestroyWindow(hFrame);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    // As the launcher, which its manifest declares aware of the display scale.
    SetProcessDPIAware();
    HDC hDC = GetDC(nullptr);
    if (hDC == nullptr) {
        std::fprintf(stderr, "measure_font_widths: no screen device context\n");
        return 1;
    }
    bool bOk = true;
    if (argc > 1 && std::strcmp(argv[1], "unicode") == 0) {
        PrintUnicodeRuns(hDC);
    } else if (argc > 1 && std::strcmp(argv[1], "window") == 0) {
        bOk = PrintWindowMetrics(hDC);
    } else {
        PrintAnsiTable(hDC);
    }
    ReleaseDC(nullptr, hDC);
    return bOk ? 0 : 1;
}
