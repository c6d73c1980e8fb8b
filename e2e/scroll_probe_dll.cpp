// The scroll probe DLL: a message hook that the driver installs on the launcher's
// thread. On the query message it reads the target window's vertical scroll bar
// in-process and hands the result back through the driver's mapping.
#include "scroll_probe.h"

namespace {

void Answer(const MSG& msg)
{
    const std::string name = ScrollProbeMappingName(static_cast<DWORD>(msg.lParam));
    HANDLE hMapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str());
    if (hMapping == nullptr) {
        return;
    }
    auto* pReply = static_cast<ScrollProbeReply*>(MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, sizeof(ScrollProbeReply)));
    if (pReply != nullptr) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        pReply->bOk = GetScrollInfo(msg.hwnd, SB_VERT, &info);
        pReply->info = info;
        InterlockedExchange(&pReply->nSequence, static_cast<LONG>(msg.wParam));
        UnmapViewOfFile(pReply);
    }
    CloseHandle(hMapping);
}

}  // namespace

// Runs in the launcher whenever its thread takes a message from its queue.
extern "C" __declspec(dllexport) LRESULT CALLBACK ScrollProbeHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    static const UINT s_nQuery = RegisterWindowMessageA(kScrollProbeQueryMessage);
    auto* pMsg = reinterpret_cast<MSG*>(lParam);
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == s_nQuery) {
        Answer(*pMsg);
        // The launcher's own window procedure never sees the query.
        pMsg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
