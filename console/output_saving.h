// Saving the output pane's text to a file: "Save output" and "Save output as...".
#pragma once

#include "foundation/string.h"

#include <windows.h>

class COutputField;

// "Save output": writes to the file chosen before, or chooses one first. Throws VKF::CException
// when the file cannot be written.
void saveOutput(HWND owner, COutputField& outputPane);

// "Save output as...": asks for a file (and before replacing an existing one), then writes it.
void saveOutputAs(HWND owner, COutputField& outputPane);

// Writes text as UTF-16 little-endian without byte-order mark. An existing file is replaced only
// once the whole text has been written beside it, so a failed save leaves it as it was.
void writeTextFile(const VKF::CString& path, const VKF::CString& text);
