// Watches the dialogs a test opens on its own thread, so that timer steps
// can answer the dialog on top.
#ifndef KORLAN_TESTS_DIALOG_WAECHTER_H
#define KORLAN_TESTS_DIALOG_WAECHTER_H

#include <windows.h>

#include <cstring>
#include <vector>

namespace dialog_waechter {

inline std::vector<HWND> dialoge;
inline HHOOK haken = nullptr;

inline LRESULT CALLBACK CbtHaken(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char klasse[16] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), klasse, sizeof klasse);
        if (std::strcmp(klasse, "#32770") == 0) dialoge.push_back(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(haken, code, wParam, lParam);
}

// Forgets earlier dialogs and watches the ones created from now on.
inline void Beginne()
{
    dialoge.clear();
    haken = SetWindowsHookExA(WH_CBT, CbtHaken, nullptr, GetCurrentThreadId());
}

inline void Beende()
{
    UnhookWindowsHookEx(haken);
    haken = nullptr;
}

// The most recently created dialog that is still open, or null.
inline HWND ObersterDialog()
{
    for (size_t i = dialoge.size(); i-- > 0;)
        if (IsWindow(dialoge[i])) return dialoge[i];
    return nullptr;
}

}  // namespace dialog_waechter

#endif
