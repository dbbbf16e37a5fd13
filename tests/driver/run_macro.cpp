// The macro-replay test driver (see run_macro.h).
#include "driver/run_macro.h"

#include <cstdio>
#include <cstring>
#include <sstream>

#include "app/dialog_watcher.h"
#include "resource_ids.h"
#include "shell/macro_file.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/results_window.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"

namespace run_macro {

namespace {

const char* const OUTPUT_FILES[] = {"slot_1.txt", "slot_2.txt", "slot_3.txt", "slot_4.txt",
                                    "current.txt", "results.txt", "state.txt", "messages.txt"};
// How long a dialog may stay open before the driver closes it (timer ticks
// of 50 ms).
const int DIALOG_PATIENCE = 200;

std::string ButtonName(int id)
{
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return std::to_string(id);
    }
}

std::string Folder(const std::string& path)
{
    const size_t p = path.find_last_of("\\/");
    return p == std::string::npos ? std::string(".") : path.substr(0, p);
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH * 4];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full) : path;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Number(double v)
{
    char t[40];
    std::snprintf(t, sizeof t, "%.10E", v);
    return t;
}

// ---- the run's state, reached from the program's hooks ----

struct Box {
    std::string title, text;
    UINT type;
    int answer;
    int32_t record;   // record of the macro being played, 0 outside the replay
};

struct Failure {
    bool replay = false;    // during the replay, else while opening
    int32_t record = 0;     // 0: not a step of the macro
    int32_t command = 0;
    std::string text;
};

std::string macroPath;
std::vector<Box> boxes;
std::vector<std::string> dialogs;   // dialogs the driver had to close
StepTracker* tracker = nullptr;
bool playing = false;
Failure failure;
bool failed = false;

// Wine's file dialog, answered with this path once.
std::string openPath;
bool openAnswered = false;
int dialogTicks = 0;
HWND lastDialog = nullptr;

void Fail(int32_t record, int32_t command, const std::string& text)
{
    if (failed) {
        // More of the same step's messages join the first.
        if (record == failure.record && failure.text.find(text) == std::string::npos)
            failure.text += " / " + text;
        return;
    }
    failed = true;
    failure.replay = playing;
    failure.record = record;
    failure.command = command;
    failure.text = text;
}

std::string OneLine(std::string s)
{
    for (size_t p; (p = s.find("\r\n")) != std::string::npos;) s.replace(p, 2, " / ");
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return s;
}

int WINAPI AnswerBox(HWND, LPCSTR text, LPCSTR title, UINT type)
{
    Box b{title ? title : "", text ? text : "", type, DefaultButton(type), playing && tracker ? tracker->Current() : 0};
    // A backup of an earlier run that ended badly is left where it is: the
    // driver opens the spectrum it was given, nothing else.
    if (b.title == "What have you done ??") b.answer = IDNO;
    boxes.push_back(b);
    if (IsErrorBox(type, b.title)) {
        const int32_t command = b.record > 0 ? tracker->Command(b.record) : 0;
        Fail(b.record, command, OneLine(b.text));
    }
    return b.answer;
}

BOOL WINAPI OpenMacro(LPOPENFILENAMEA ofn)
{
    if (macroPath.size() >= ofn->nMaxFile) return FALSE;
    std::strcpy(ofn->lpstrFile, macroPath.c_str());
    return TRUE;
}

void WatchStep(int32_t command, LPARAM lParam)
{
    const int32_t record = tracker ? tracker->Call(command, lParam) : 0;
    const int32_t before = FehlerCode;
    MakroSchrittDispatcher(command, lParam);
    if (FehlerCode != 0 && FehlerCode != before) {
        std::string text;
        if (FehlerCode == 1000) {
            text = "the step cannot run on this window (FehlerCode 1000)";
        } else {
            char s[512] = "";
            LoadStringA(HAUPTDATEN.Instanz, static_cast<UINT>(FehlerCode), s, sizeof s);
            text = OneLine(s) + " (FehlerCode " + std::to_string(FehlerCode) + ")";
        }
        Fail(record, tracker ? tracker->Command(record) : command, text);
    }
}

// The name box of the file dialog (a combo box or an edit) holds an edit.
HWND NameBox(HWND dlg)
{
    HWND name = GetDlgItem(dlg, 0x47c);
    if (!name) name = GetDlgItem(dlg, 0x480);
    if (!name) return nullptr;
    if (HWND edit = FindWindowExA(name, nullptr, "Edit", nullptr)) return edit;
    if (HWND combo = FindWindowExA(name, nullptr, "ComboBox", nullptr))
        if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
    return name;
}

// Answers the open dialog once with openPath; any other dialog, or one
// still open long after, is closed with Cancel and noted, so that nothing
// waits for a person.
void CALLBACK DialogTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dlg = dialog_waechter::ObersterDialog();
    if (!dlg || !IsWindowVisible(dlg)) {
        lastDialog = nullptr;
        return;
    }
    if (dlg != lastDialog) {
        lastDialog = dlg;
        dialogTicks = 0;
    }
    if (!openAnswered && !openPath.empty()) {
        if (HWND name = NameBox(dlg)) {
            openAnswered = true;
            SetWindowTextA(name, openPath.c_str());
            PostMessageA(dlg, WM_COMMAND, IDOK, 0);
            return;
        }
    }
    char title[200] = "";
    GetWindowTextA(dlg, title, sizeof title);
    // The column choice that the program offers after opening a raw
    // multi-column file: the macro builds its spectrum with its own 843.
    if (!playing && std::strcmp(title, "Calculate XAS spectrum") == 0) {
        dialogs.push_back(title);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (++dialogTicks < DIALOG_PATIENCE) return;
    dialogs.push_back(title);
    Fail(playing && tracker ? tracker->Current() : 0,
         playing && tracker ? tracker->Command(tracker->Current()) : 0,
         std::string("the dialog \"") + title + "\" stayed open and was cancelled");
    dialogTicks = 0;
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

void Pump(int rounds)
{
    MSG m;
    for (int i = 0; i < rounds; ++i) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam));
                return;
            }
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(5);
    }
}

namespace {

// ---- the outputs ----

std::string StateText(int32_t window)
{
    std::ostringstream s;
    s << "FehlerCode = " << FehlerCode << "\n";
    if (window >= 0) {
        const DateiInfo& info = GrafikFenster[window].DateiInfo;
        for (int k = 0; k < 3; ++k) s << "Koeffizienten[" << k << "] = " << Number(info.Koeffizienten[k]) << "\n";
    }
    s << "FitZustand = " << HAUPTDATEN.FitZustand << "\n";
    s << "MaxParameter = " << MaxParameter << "\n";
    if (tracker && tracker->FitRan() && FitParameters && MaxParameter >= 0 &&
        MaxParameter < WORK_DOUBLES) {
        // The errors come by position in the list of free parameters.
        std::vector<double> errors(WORK_DOUBLES, 0.0);
        Numerik.GetError(errors.data());
        for (int32_t i = 0; i <= MaxParameter; ++i) {
            double e = 0.0;
            for (int32_t p = 0; p <= MaxFitParameter && p < WORK_DOUBLES && FreeParameterList; ++p)
                if (FreeParameterList[p] == i) e = errors[p];
            s << "FitParameters[" << i << "] = " << Number(FitParameters[i]) << "\n";
            s << "FitErrors[" << i << "] = " << Number(e) << "\n";
        }
    }
    return s.str();
}

// The three texts the results window shows, each under the caption the
// window then has.
std::string ResultsText()
{
    const results_fenster& r = ResultsWindow;
    return "== Results ==\r\n" + std::string(r.ErgebnisText, strnlen(r.ErgebnisText, sizeof r.ErgebnisText)) +
           "\r\n== Results / History ==\r\n" +
           std::string(r.HistorieText, strnlen(r.HistorieText, sizeof r.HistorieText)) +
           "\r\n== Fit - Results ==\r\n" + std::string(r.FitText, strnlen(r.FitText, sizeof r.FitText)) + "\r\n";
}

std::string MessagesText()
{
    std::string t;
    for (const Box& b : boxes) t += MessageLine(b.title, b.text, b.answer) + "\n";
    for (const std::string& d : dialogs) t += "dialog \"" + d + "\" | closed by the driver | Cancel\n";
    return t;
}

// Every filled slot through the program's text writer (the save command's
// text path without a dialog), the current slot, the results window's
// text, the state and the messages. False when a file could not be written.
bool WriteOutputs(const std::string& outdir, int32_t window)
{
    bool ok = true;
    const std::string dir = outdir + "\\";
    if (window >= 0) {
        grafik_fenster& g = GrafikFenster[window];
        const int32_t counter = g.KurvenZaehler;
        const int32_t binary = HAUPTDATEN.BinaerSpeichern;
        const int32_t active = AktivesFenster;
        const std::string command = CommandText;
        HAUPTDATEN.BinaerSpeichern = 0;
        AktivesFenster = window;
        for (int32_t s = 0; s < 4; ++s) {
            if (g.DateiInfo.PunkteProKurve[s] <= 0) continue;
            g.KurvenZaehler = (counter & ~3) | s;
            const std::string path = dir + "slot_" + std::to_string(s + 1) + ".txt";
            std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", path.c_str());
            if (SpeichereDatei(&HAUPTDATEN, 11) != 1) {
                std::fprintf(stderr, "run_macro: %s could not be written\n", path.c_str());
                ok = false;
            }
        }
        g.KurvenZaehler = counter;
        HAUPTDATEN.BinaerSpeichern = binary;
        AktivesFenster = active;
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", command.c_str());
        ok = WriteWhole(dir + "current.txt", std::to_string(g.AktuellerSlot() + 1) + "\n") && ok;
    }
    ok = WriteWhole(dir + "results.txt", ResultsText()) && ok;
    ok = WriteWhole(dir + "state.txt", StateText(window)) && ok;
    ok = WriteWhole(dir + "messages.txt", MessagesText()) && ok;
    return ok;
}

}  // namespace

int DefaultButton(UINT type)
{
    const UINT buttons = type & MB_TYPEMASK;
    const int which = (type & MB_DEFMASK) == MB_DEFBUTTON2 ? 1 : (type & MB_DEFMASK) == MB_DEFBUTTON3 ? 2 : 0;
    static const int order[][3] = {
        {IDOK, IDOK, IDOK},                 // MB_OK
        {IDOK, IDCANCEL, IDOK},             // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},       // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},            // MB_YESNOCANCEL
        {IDYES, IDNO, IDYES},               // MB_YESNO
        {IDRETRY, IDCANCEL, IDRETRY},       // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, // MB_CANCELTRYCONTINUE
    };
    return buttons < 7 ? order[buttons][which] : IDOK;
}

bool IsErrorBox(UINT type, const std::string& title)
{
    const UINT icon = type & MB_ICONMASK;
    return icon == MB_ICONHAND || icon == MB_ICONEXCLAMATION || title.rfind("Error", 0) == 0;
}

std::string WindowsPath(const std::string& path)
{
    std::string p = !path.empty() && path[0] == '/' ? "Z:" + path : path;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

bool WriteWhole(const std::string& path, const std::string& text)
{
    const std::string part = path + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (ok) ok = MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileA(part.c_str());
    return ok;
}

std::string CheckMacro(const std::string& path, std::vector<int32_t>* commands)
{
    if (!Exists(path)) return "the macro file " + path + " does not exist";
    std::vector<MakroSatz> records;
    int32_t line = 0;
    const int32_t r = MakroDateiLesen(path, records, &line);
    switch (r) {
    case MAKRO_SATZ: break;
    case MAKRO_DATEIFEHLER: return "the macro file " + path + " cannot be read";
    case MAKRO_KEINE_MAKRODATEI: return "the macro file " + path + " is no macro file (its first line is not \"Makro\")";
    default: return "the macro file " + path + " is damaged in line " + std::to_string(line);
    }
    if (commands) {
        commands->clear();
        for (const MakroSatz& s : records) commands->push_back(s.Befehl);
    }
    return "";
}

int32_t StepTracker::Call(int32_t command, LPARAM lParam)
{
    if (inFit_) {
        if (command == CM_FIT_CANCEL && lParam == 0) inFit_ = false;
        return current_;
    }
    if (next_ < commands_.size() && command == commands_[next_]) {
        current_ = static_cast<int32_t>(++next_);
        if (MakroHatTabellen(command)) inFit_ = fitRan_ = true;
    }
    return current_;
}

int32_t StepTracker::Command(int32_t record) const
{
    return record >= 1 && record <= Records() ? commands_[static_cast<size_t>(record - 1)] : 0;
}

std::string MessageLine(const std::string& title, const std::string& text, int answer)
{
    return OneLine(title) + " | " + OneLine(text) + " | " + ButtonName(answer);
}

int Run(const std::string& spectrumArg, const std::string& macroArg, const std::string& outdirArg)
{
    // Paths are made whole before the program folder becomes the current one.
    const std::string spectrum = FullPath(WindowsPath(spectrumArg));
    macroPath = FullPath(WindowsPath(macroArg));
    const std::string outdir = FullPath(WindowsPath(outdirArg));

    if (!Exists(spectrum)) {
        std::fprintf(stderr, "run_macro: the spectrum file %s does not exist\n", spectrum.c_str());
        return EXIT_BAD_INPUT;
    }
    std::vector<int32_t> commands;
    const std::string problem = CheckMacro(macroPath, &commands);
    if (!problem.empty()) {
        std::fprintf(stderr, "run_macro: %s; nothing was played\n", problem.c_str());
        return EXIT_BAD_INPUT;
    }
    if (!CreateDirectoryA(outdir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        std::fprintf(stderr, "run_macro: the output folder %s cannot be created\n", outdir.c_str());
        return EXIT_BAD_INPUT;
    }
    for (const char* name : OUTPUT_FILES) DeleteFileA((outdir + "\\" + name).c_str());

    // The program folder is the driver's own, as korlan.exe's is its own.
    char self[MAX_PATH * 4];
    GetModuleFileNameA(nullptr, self, sizeof self);
    SetCurrentDirectoryA(Folder(self).c_str());

    StepTracker steps(commands);
    tracker = &steps;
    MeldungsBox = AnswerBox;
    MakroOeffnenDialog = OpenMacro;
    MakroSchritt = WatchStep;
    dialog_waechter::Beginne();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, DialogTimer);

    // The application object starts as WinMain starts it.
    HAUPTDATEN.Instanz = GetModuleHandleA(nullptr);
    HAUPTDATEN.VorherigeInstanz = nullptr;
    HAUPTDATEN.AnzeigeArt = SW_SHOWNORMAL;
    static char noArguments[] = "";
    HAUPTDATEN.Kommandozeile = noArguments;
    std::strcpy(HAUPTDATEN.Klassenname, "Korlan");
    std::strcpy(HAUPTDATEN.Titel, "Korlan");
    HWND main = nullptr;
    if (HAUPTDATEN.RegisterFensterKlassen()) main = HAUPTDATEN.ErzeugeHauptfenster();
    if (!main) {
        std::fprintf(stderr, "run_macro: the program's main window could not be created\n");
        KillTimer(nullptr, timer);
        dialog_waechter::Beende();
        return EXIT_STEP_FAILED;
    }
    Pump();

    // Open through the menu command and its file dialog.
    failed = false;
    openPath = spectrum;
    openAnswered = false;
    SendMessageA(main, WM_COMMAND, CM_OPEN, 0);
    Pump();
    const int32_t window = AktivesFenster;
    const bool opened = window >= 0 && window < 4 && HAUPTDATEN.GrafikHandles[window] &&
                        GrafikFenster[window].Punkte() > 0;
    if (!opened) Fail(0, CM_OPEN, "the spectrum " + spectrum + " was not opened" +
                                      (failed ? "" : " (no message)"));
    // Messages of the opening that report no error (a command not there
    // yet for a file of many columns) do not stop the replay.
    const bool openFailed = failed;

    if (opened && !openFailed) {
        BringWindowToTop(HAUPTDATEN.GrafikHandles[window]);
        playing = true;
        SendMessageA(ButtonBar.PlayKnopf, BM_CLICK, 0, 0);
        Pump();
        if (!failed && steps.Reached() < steps.Records())
            Fail(steps.Reached() + 1, steps.Command(steps.Reached() + 1), "the step was not played");
        playing = false;
    }

    const bool written = WriteOutputs(outdir, opened ? window : -1);

    // End the program as a user would; the question about unsaved data is
    // answered with its default button.
    PostMessageA(main, WM_CLOSE, 0, 0);
    HAUPTDATEN.Nachrichtenschleife();
    KillTimer(nullptr, timer);
    dialog_waechter::Beende();
    MeldungsBox = MessageBoxA;
    tracker = nullptr;

    if (failed) {
        if (failure.record > 0)
            std::fprintf(stderr, "run_macro: step %d (command %d): %s\n", static_cast<int>(failure.record),
                         static_cast<int>(failure.command), failure.text.c_str());
        else if (failure.replay)
            std::fprintf(stderr, "run_macro: the replay of %s: %s\n", macroPath.c_str(), failure.text.c_str());
        else
            std::fprintf(stderr, "run_macro: opening %s: %s\n", spectrum.c_str(), failure.text.c_str());
        return EXIT_STEP_FAILED;
    }
    if (!written) return EXIT_STEP_FAILED;
    return EXIT_OK;
}

}  // namespace run_macro
