// The macro-replay test driver: run_macro.exe SPECTRUM MACRO OUTDIR starts
// the program's application object, opens SPECTRUM into graphic window 1
// through the Open command, plays MACRO with the "PlayMak" button and
// writes what the window then holds into OUTDIR. These are its parts that
// tests call on their own.
#ifndef KORLAN_TESTS_DRIVER_RUN_MACRO_H
#define KORLAN_TESTS_DRIVER_RUN_MACRO_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace run_macro {

// Exit codes.
const int EXIT_OK = 0;
const int EXIT_STEP_FAILED = 1;   // the program ran, but a step (or the opening) failed
const int EXIT_BAD_INPUT = 2;     // arguments, spectrum or macro unusable: nothing written

// The button a message box of this type answers when Enter is pressed.
int DefaultButton(UINT type);

// Whether a message box of this type and title reports an error (stop or
// exclamation icon, or a title beginning "Error").
bool IsErrorBox(UINT type, const std::string& title);

// A path as Windows takes it: a Unix path ("/...") goes to drive Z:.
std::string WindowsPath(const std::string& path);

// Writes text to path through a file beside it, so that path is either
// whole or not there. False when it could not be written.
bool WriteWhole(const std::string& path, const std::string& text);

// Why a macro file cannot be played (missing, unreadable, not a macro
// file, damaged in a line), empty when it can. commands receives the
// command id of each record.
std::string CheckMacro(const std::string& path, std::vector<int32_t>* commands);

// Follows the player's calls of the dispatcher and tells the record of the
// macro (from 1) that each call belongs to: the record's own step and, for
// a fit record (507, 807, 844), the fit's iterations up to its closing
// command 22 with lParam 0.
class StepTracker {
public:
    explicit StepTracker(std::vector<int32_t> commands) : commands_(std::move(commands)) {}
    int32_t Call(int32_t command, LPARAM lParam);
    int32_t Current() const { return current_; }
    // The record whose step was reached last; the records count.
    int32_t Reached() const { return static_cast<int32_t>(next_); }
    int32_t Records() const { return static_cast<int32_t>(commands_.size()); }
    int32_t Command(int32_t record) const;
    bool FitRan() const { return fitRan_; }

private:
    std::vector<int32_t> commands_;
    size_t next_ = 0;
    int32_t current_ = 0;
    bool inFit_ = false;
    bool fitRan_ = false;
};

// One line of messages.txt for a box: title, text (line breaks shown as
// " / ") and the button that answered it.
std::string MessageLine(const std::string& title, const std::string& text, int answer);

// Handles the messages of this thread for about rounds * 5 ms.
void Pump(int rounds = 20);

// Runs the whole driver; returns the exit code. Messages for the user go
// to standard error.
int Run(const std::string& spectrum, const std::string& macro, const std::string& outdir);

}  // namespace run_macro

#endif
