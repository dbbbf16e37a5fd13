#include "shell/child_windows.h"

namespace {

LRESULT CALLBACK ResultsProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = ResultsWindow.Dispatch(hwnd, msg, wParam, lParam);
    return r ? r : DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = ButtonBar.Dispatch(hwnd, msg, wParam, lParam);
    return r ? r : DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ProgressProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = ProgressWindow.Dispatch(hwnd, msg, wParam, lParam);
    return r ? r : DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = EditorWindow.Dispatch(hwnd, msg, wParam, lParam);
    return r ? r : DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool Registriere(HINSTANCE instanz, const char* name, WNDPROC proc, UINT stil, HICON icon,
                 HBRUSH hintergrund)
{
    WNDCLASSA wc{};
    wc.style = stil;
    wc.lpfnWndProc = proc;
    wc.hInstance = instanz;
    wc.hIcon = icon ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = hintergrund;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

bool RegisterResultsKlasse(HINSTANCE instanz)
{
    return Registriere(instanz, "results", ResultsProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                       nullptr, nullptr);
}

bool RegisterButtonKlasse(HINSTANCE instanz)
{
    return Registriere(instanz, "myButt", ButtonProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                       nullptr, nullptr);
}

bool RegisterProgressKlasse(HINSTANCE instanz)
{
    return Registriere(instanz, "progress", ProgressProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                       nullptr, nullptr);
}

bool RegisterEditKlasse(HINSTANCE instanz)
{
    return Registriere(instanz, "myedit", EditProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr,
                       static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}
