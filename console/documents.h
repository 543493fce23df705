// The program's documents, the manual and the readme: looked for in the current directory, where
// a shortcut's "Start in" folder puts them, and then in the program's own folder.
#pragma once

#include <windows.h>

#include <string>

// The path that reaches file: its bare name when the current directory holds it, else its path in
// the program's folder when that holds it; empty when neither does.
std::wstring findDocument(const wchar_t* file);

// Opens file with the shell's "open" from where findDocument finds it; false when it is in
// neither folder or the shell finds no such file.
bool openDocument(HWND owner, const wchar_t* file);
