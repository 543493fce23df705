// Start-up of the program and its one message loop.
#pragma once

#include <windows.h>

class CConsoleWindow;

// Builds the console and the engine, shows the main window and runs the loop until it closes.
int runApplication(HINSTANCE instance);

// One turn of the loop: the tool windows' dialog keys first, then the accelerators, which all
// command the main window, and only then translation and dispatch.
void handleLoopMessage(const CConsoleWindow& console, HACCEL accelerators, MSG& message);
