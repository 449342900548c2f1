// SPDX-License-Identifier: MIT
#pragma once

#include "cli/CommandLineOptions.h"
#include <QPageLayout>
#include <QStringList>

// Reads the command line into typed options, once, before anything is drawn.
// Every text is checked here: a bad one gives a one-line message naming the
// option and the form it expects.
struct ParsedCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString text;         // the help text, the version line or the error message
    QStringList warnings; // options that do nothing here; the run goes on
    CommandLineOptions options;
};

// arguments as QCoreApplication::arguments() gives them (the program first).
// Numbers are read with a point as the decimal mark whatever the locale.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

// How the arguments below write a number: the shortest decimal that reads
// back to the same single-precision value, or fifteen significant digits,
// which give back every value a text of the window holds.
enum class NumberForm { Shortest, Full };

// The options that make this board, as command-line arguments (without the
// program name and without an output), each value written with a point.
QStringList BoardArguments(const BoardOptions& options, NumberForm form = NumberForm::Shortest);

// The options that give a file this page: paper, orientation, resolution, and
// the margins when they are alike on every side.
QStringList PageArguments(const QPageLayout& layout, int dpi);

// --scale with the correction written in percent; nothing for 100 %.
QStringList ScaleArguments(const ScaleCorrection& correction,
                           NumberForm form = NumberForm::Shortest);
