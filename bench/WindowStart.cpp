// SPDX-License-Identifier: MIT
// The window's start, as quadrix starts it with no arguments: its module
// loaded, the application made, the printer looked up, the window built and
// shown; it exits once the window has been painted. Timed as a whole process
// by bench_process. It lies beside the module, as quadrix does.

#include "FirstPaint.h"
#include "app/WindowModule.h"

namespace {

// Runs as the module's application is made: watches all its windows.
void WatchFirstPaint() {
    new FirstPaint(QCoreApplication::instance());
}

} // namespace

int main(int argc, char** argv) {
    qAddPreRoutine(WatchFirstPaint);
    return OpenWindow(argc, argv);
}
