#include <windows.h>

#include "shell/haupt_fenster.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    if (!CreateMainWindow(instance, SW_SHOWMAXIMIZED)) return 1;
    return RunMessageLoop();
}
