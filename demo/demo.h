// Velmo's own functions: the menu, the main window procedure and the three demonstration forms.
#pragma once

#include <windows.h>

// Declares the menu bar's entries and shows it on the main window.
void DemoMenuBuild();
// The main window's procedure: painting bracket, menu commands, then the toolkit's defaults.
LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Open the demonstration forms "tous", "static" and "edit".
void DemoTousFormOpen();
void DemoStaticFormOpen();
void DemoEditFormOpen();
