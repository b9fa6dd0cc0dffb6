#pragma once

// What the program's command line asks for: nothing (a new document) or a
// path to open.

#include <string>
#include <vector>

namespace ui {

struct CCommandLineInfo {
    enum class Action { FileNew, FileOpen };

    Action action = Action::FileNew;
    std::string fileName;

    // The arguments after the program name, 8-bit. The first argument that is
    // not an option ("-x"; paths begin with "/") is the file to open.
    static CCommandLineInfo Parse(const std::vector<std::string>& arguments);
};

} // namespace ui
