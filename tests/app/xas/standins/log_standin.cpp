// A stand-in for an outside program the dialogs start (the ATOMS program,
// the viewer, the text editor): it only appends its command line and its
// working directory to "<own name>.log" beside itself, and ends.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char pfad[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, pfad, MAX_PATH);
    std::string name(pfad);
    const std::size_t punkt = name.find_last_of('.');
    if (punkt != std::string::npos) name.resize(punkt);
    char cwd[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::ofstream log(name + ".log", std::ios::app | std::ios::binary);
    log << "cmd=" << GetCommandLineA() << "\n" << "cwd=" << cwd << "\n";
    return 0;
}
