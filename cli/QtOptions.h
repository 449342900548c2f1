// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

// The arguments without Qt's own standard options and their values (-style
// fusion, -style=fusion, -session ID, -platform xcb, -display :1, ...), the
// program name first: what is left asks for window-less work. Qt's options
// go to Qt, for the window; a window-less run ignores them.
std::vector<char*> WithoutQtOptions(int argc, char** argv);
