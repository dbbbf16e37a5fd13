#include "shell/haupt_fenster.h"

namespace {

const char kMainClass[] = "korlan";

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, int show)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kMainClass;
    if (!GetClassInfoA(instance, kMainClass, &wc) && !RegisterClassA(&wc))
        return nullptr;
    HWND hwnd = CreateWindowA(kMainClass, "korlan", WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 1024, 768,
                              nullptr, nullptr, instance, nullptr);
    if (hwnd) {
        ShowWindow(hwnd, show);
        UpdateWindow(hwnd);
    }
    return hwnd;
}

int RunMessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
