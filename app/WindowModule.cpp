// SPDX-License-Identifier: MIT
#include "app/WindowModule.h"

#include <climits>
#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

constexpr int kExitNoWindow = 1;

// The folder of the running program.
std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string program(path, size_t(length));
    return program.substr(0, program.rfind('/'));
}

} // namespace

int OpenWindow(int& argc, char** argv) {
    const std::string folder = ProgramFolder();
    std::string reasons;
    for (const std::string& place :
         {folder, folder + '/' + QUADRIX_WINDOW_MODULE_DIR}) { // built, installed
        const std::string path = place + '/' + QUADRIX_WINDOW_MODULE_NAME;
        void* module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
        auto* windowMain =
            module ? reinterpret_cast<WindowMainFunction*>(dlsym(module, kWindowMainSymbol))
                   : nullptr;
        if (windowMain)
            return windowMain(&argc, argv); // the module stays loaded until the program ends
        reasons += "\n  ";
        reasons += dlerror();
    }
    std::fprintf(stderr, "quadrix: the window cannot be opened, its module was not loaded:%s\n",
                 reasons.c_str());
    return kExitNoWindow;
}
