// Keeps Wine's default desktop open for a whole test run. Wine closes the
// desktop (and ends its explorer process) one second after the last program
// with a window has left; the next window test then starts explorer again,
// and that explorer inherits the test's output and holds it open. Started
// once before the tests with its output sent nowhere, this program owns a
// hidden window until the Wine server is ended. When given a file name, it
// creates that file once the desktop is up.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"desktop keeper", WS_POPUP, 0, 0, 1, 1,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    std::string ready = command_line ? command_line : "";
    if (!ready.empty() && ready.front() == '"') ready = ready.substr(1, ready.find('"', 1) - 1);
    if (!ready.empty()) {
        HANDLE file = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        CloseHandle(file);
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
