// The "paint" class of the graphic windows. Until the graphic-window
// records exist, a "paint" window answers every message the default way.
#include "shell/kind_fenster.h"
#include "spectra/grafik_zeichnen.h"

namespace {

LRESULT CALLBACK GrafikProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT && MaleGrafikFenster(hwnd)) return 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegisterGrafikKlasse(HINSTANCE instanz)
{
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = GrafikProc;
    wc.hInstance = instanz;
    wc.hIcon = LoadIconA(instanz, "WGRAFIK");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "paint";
    return RegisterClassA(&wc) != 0;
}
