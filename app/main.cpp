// SPDX-License-Identifier: MIT
#include "app/WindowModule.h"
#include "cli/CommandLine.h"
#include "cli/QtOptions.h"

#include <vector>

int main(int argc, char** argv) {
    // Any argument but Qt's own means window-less work (or --help, --version).
    std::vector<char*> task = WithoutQtOptions(argc, argv);
    if (task.size() > 1) {
        const int count = int(task.size());
        task.push_back(nullptr); // argv ends in a null pointer
        return CommandLineMain(count, task.data());
    }
    return OpenWindow(argc, argv);
}
