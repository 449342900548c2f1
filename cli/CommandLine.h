// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

class QTextStream;

// Exit codes of a window-less run.
enum CommandLineExit { kExitDone = 0, kExitFailed = 1, kExitBadInput = 2 };

// The window-less program: parses arguments (the program name first), makes
// the file and/or prints, and tells what it made on out; errors go to err as
// one line. Needs a QGuiApplication (fonts); no window, no display.
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

// main() for a run with arguments: a QGuiApplication on the offscreen
// platform, so that no display is needed, then RunCommandLine.
int CommandLineMain(int argc, char** argv);
