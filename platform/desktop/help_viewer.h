// The help viewer, the stand-in for the HTML Help control: a CHM viewer
// looked up once (the desktop's default for the type, else xchm or
// kchmviewer), with the HTML copy of the help in a browser where none
// exists, and a line on standard error saying what was tried.
#pragma once

#include <string>
#include <vector>

namespace platform {

class HelpViewer {
public:
    // Opens chmFile in the CHM viewer, or htmlFile in the first browser that
    // takes it when no viewer exists or chmFile is missing. Returns at once;
    // false when nothing could be started.
    bool show(const std::string& chmFile, const std::string& htmlFile);

    // How many times a viewer was looked up: once, whatever it found.
    int lookups() const { return lookups_; }

private:
    void lookUp();
    // Tries the browsers in turn; why tells standard error what kept the
    // help from its viewer.
    bool showInBrowser(const std::string& htmlFile, const std::string& why);

    int lookups_ = 0;
    // The viewer's command, to which the file is added; empty when no CHM
    // viewer was found (recorded, not looked for again).
    std::vector<std::string> viewer_;
    // The browsers found on the PATH, best first.
    std::vector<std::string> browsers_;
};

}  // namespace platform
