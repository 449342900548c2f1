// SPDX-License-Identifier: MIT
#pragma once

// The window lives in a module of its own that the program loads only to
// open the window, so that a command-line run loads neither Qt Widgets nor
// Print Support.

// The module's entry: the application and the window on the default printer,
// run until the window closes; returns the exit code.
extern "C" int QuadrixWindowMain(int* argc, char** argv);
using WindowMainFunction = int(int*, char**);
inline const char* const kWindowMainSymbol = "QuadrixWindowMain";

// Loads the window's module, beside the program (the build tree) or where it
// is installed, and runs the window. When the module cannot be loaded, says
// why on the standard error and returns 1.
int OpenWindow(int& argc, char** argv);
