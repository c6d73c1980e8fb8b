// Simulated device contexts: font metrics from the test, drawing calls recorded.
#include "afx/os.h"
#include "backend/sim/sim_state.h"

namespace sim {
namespace {

struct SimBrush {
    Color color;
};

SimDc* ToDc(DcHandle hDC) { return reinterpret_cast<SimDc*>(hDC); }

DrawCall MakeCall(DrawCall::Kind kind)
{
    DrawCall call{};
    call.kind = kind;
    return call;
}

// Sets one colour of the device context, records the call, and returns the old colour.
Color RecordColor(DcHandle hDC, Color SimDc::*pColor, DrawCall::Kind kind, Color color)
{
    SimDc* dc = ToDc(hDC);
    const Color previous = dc->*pColor;
    dc->*pColor = color;
    DrawCall call = MakeCall(kind);
    call.color = color;
    dc->calls.push_back(call);
    return previous;
}

}  // namespace

Color SysColor(int nIndex)
{
    switch (nIndex) {
    case COLOR_WINDOW:
        return 0xFFFFFF;
    case COLOR_WINDOWTEXT:
        return 0x000000;
    case COLOR_MENU:
        return 0xF0F0F0;
    default:
        return 0x808080;
    }
}

std::vector<DrawCall> Paint(WindowHandle hWnd)
{
    TheMachine().lastPaint.clear();
    SendMessage(hWnd, WM_PAINT, 0, 0);
    return TheMachine().lastPaint;
}

void SetFontMetrics(int tmHeight, int tmAveCharWidth)
{
    TheMachine().tmHeight = tmHeight;
    TheMachine().tmAveCharWidth = tmAveCharWidth;
}

void SetCharWidth(std::function<int(unsigned char)> width) { TheMachine().charWidth = std::move(width); }

long TextExtentCalls() { return TheMachine().extentCalls; }

}  // namespace sim

namespace os {

Color GetSysColor(int nIndex) { return sim::SysColor(nIndex); }

using sim::SimDc;
using sim::TheMachine;

DcHandle GetDC(WindowHandle hWnd)
{
    if (sim::FindWindow(hWnd) == nullptr) {
        return nullptr;
    }
    auto* dc = new SimDc;
    dc->hWnd = hWnd;
    return reinterpret_cast<DcHandle>(dc);
}

void ReleaseDC(WindowHandle /*hWnd*/, DcHandle hDC) { delete sim::ToDc(hDC); }

DcHandle BeginPaint(WindowHandle hWnd, void** ppPaintState)
{
    auto* dc = new SimDc;
    dc->hWnd = hWnd;
    dc->painting = true;
    *ppPaintState = dc;
    return reinterpret_cast<DcHandle>(dc);
}

void EndPaint(WindowHandle hWnd, void* pPaintState)
{
    auto* dc = static_cast<SimDc*>(pPaintState);
    TheMachine().lastPaint = dc->calls;
    if (sim::SimWindow* w = sim::FindWindow(hWnd)) {
        w->needsPaint = false;
    }
    delete dc;
}

BOOL GetTextMetrics(DcHandle /*hDC*/, TextMetrics* pMetrics)
{
    pMetrics->tmHeight = TheMachine().tmHeight;
    pMetrics->tmAveCharWidth = TheMachine().tmAveCharWidth;
    return TRUE;
}

CSize GetTextExtent(DcHandle /*hDC*/, const char* lpszString, int nCount, AfxTextEncoding /*encoding*/)
{
    sim::Machine& m = TheMachine();
    ++m.extentCalls;
    CSize size{0, m.tmHeight};
    for (int i = 0; i < nCount; ++i) {
        const auto c = static_cast<unsigned char>(lpszString[i]);
        size.cx += m.charWidth ? m.charWidth(c) : m.tmAveCharWidth;
    }
    return size;
}

CPoint SetWindowOrg(DcHandle hDC, int x, int y)
{
    SimDc* dc = sim::ToDc(hDC);
    const CPoint previous = dc->origin;
    dc->origin = {x, y};
    sim::DrawCall call = sim::MakeCall(sim::DrawCall::SetWindowOrg);
    call.x = x;
    call.y = y;
    dc->calls.push_back(call);
    return previous;
}

void FillRect(DcHandle hDC, const CRect& rect, void* hBrush)
{
    sim::DrawCall call = sim::MakeCall(sim::DrawCall::FillRect);
    call.rect = rect;
    call.color = hBrush != nullptr ? static_cast<sim::SimBrush*>(hBrush)->color : 0;
    sim::ToDc(hDC)->calls.push_back(call);
}

Color SetBkColor(DcHandle hDC, Color color)
{
    return sim::RecordColor(hDC, &SimDc::bkColor, sim::DrawCall::SetBkColor, color);
}

int SetBkMode(DcHandle hDC, int nBkMode)
{
    SimDc* dc = sim::ToDc(hDC);
    const int previous = dc->bkMode;
    dc->bkMode = nBkMode;
    sim::DrawCall call = sim::MakeCall(sim::DrawCall::SetBkMode);
    call.mode = nBkMode;
    dc->calls.push_back(call);
    return previous;
}

Color SetTextColor(DcHandle hDC, Color color)
{
    return sim::RecordColor(hDC, &SimDc::textColor, sim::DrawCall::SetTextColor, color);
}

BOOL TextOut(DcHandle hDC, int x, int y, const char* lpszString, int nCount, AfxTextEncoding encoding)
{
    sim::DrawCall call = sim::MakeCall(sim::DrawCall::TextOut);
    call.x = x;
    call.y = y;
    call.text.assign(lpszString, nCount > 0 ? static_cast<std::size_t>(nCount) : 0);
    call.encoding = encoding;
    sim::ToDc(hDC)->calls.push_back(call);
    return TRUE;
}

void* CreateSolidBrush(Color color) { return new sim::SimBrush{color}; }

void DeleteObject(void* hObject) { delete static_cast<sim::SimBrush*>(hObject); }

}  // namespace os
