// Starts the program's main window in this process, in a temporary program
// folder, with the message boxes answered by the test.
#ifndef KORLAN_TESTS_SHELL_FIXTURE_H
#define KORLAN_TESTS_SHELL_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "shell/haupt_fenster.h"

struct GezeigteBox {
    std::string text, titel;
    UINT art;
};

class ShellFixture : public ::testing::Test {
protected:
    static std::vector<GezeigteBox> boxen;
    static int antwort;
    std::string ordner;
    char altesVerzeichnis[MAX_PATH] = {};

    static int WINAPI Antworte(HWND, LPCSTR text, LPCSTR titel, UINT art);

    void SetUp() override;
    void TearDown() override;

    // A file of the program folder.
    std::string Pfad(const char* name) const { return ordner + "\\" + name; }
    void Schreibe(const char* name, const std::string& inhalt) const;
    // Text mode gives the lines with "\n" ends, binary what is on disk.
    std::string Lies(const char* name, bool binaer = false) const;
    bool Existiert(const char* name) const;
    // Copies the McMaster table into the program folder.
    void KopiereMucal() const;

    // Creates the main window as the program does; null on failure.
    HWND Starte();
    // Closes it with WM_CLOSE and runs the loop to its end; the exit code.
    int Schliesse(HWND hwnd);
};

// The main window running in this process for the whole test, with the
// McMaster table in its folder and no box shown yet; closed at the end with
// the graphic-window handles forgotten (a test that opened real graphic
// windows destroys them first).
class LaufendesProgramm : public ShellFixture {
protected:
    HWND hwnd = nullptr;
    void SetUp() override;
    void TearDown() override;
    // The closing part of TearDown, for fixtures that restore more after it.
    void Beende();
    // Opens a spectrum file (a path as Windows takes it) through the Open
    // command's backup route, which reads it as Open does without the file
    // dialog; a column dialog that follows is cancelled. The copy stays as
    // the window's file (its columns are read from it). The new window is
    // brought to the top; its index, -1 when none opened.
    int32_t OeffneOhneDialog(const char* datei);
};

#endif
