// SPDX-License-Identifier: MIT
#include "cli/QtOptions.h"

#include <cstring>
#include <string>

namespace {

// QGuiApplication's and QApplication's options that take a value, and those
// that do not; each may be written with one dash or two.
const char* const kWithValue[] = {
    "style",         "stylesheet", "platform",        "platformpluginpath",
    "platformtheme", "plugin",     "qwindowgeometry", "qwindowicon",
    "qwindowtitle",  "session",    "display",         "geometry",
    "qmljsdebugger", "dialogs",    "fontengine",      "title"};
const char* const kSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool In(const std::string& name, const char* const* first, const char* const* last) {
    for (const char* const* option = first; option != last; ++option)
        if (name == *option)
            return true;
    return false;
}

} // namespace

std::vector<char*> WithoutQtOptions(int argc, char** argv) {
    std::vector<char*> kept;
    if (argc > 0)
        kept.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const int dashes = arg[0] != '-' ? 0 : arg[1] != '-' ? 1 : 2;
        const std::string word(arg + dashes);
        const std::string name = word.substr(0, word.find('='));
        const bool joined = name.size() < word.size(); // -style=fusion
        if (dashes > 0 && In(name, std::begin(kWithValue), std::end(kWithValue))) {
            if (!joined && i + 1 < argc)
                ++i; // its value
        } else if (dashes == 0 || joined || !In(name, std::begin(kSwitches), std::end(kSwitches))) {
            kept.push_back(argv[i]);
        }
    }
    return kept;
}
