#include <windows.h>

#include "shell/haupt_fenster.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return HAUPTDATEN.Run(instance, previous, commandLine, show);
}
