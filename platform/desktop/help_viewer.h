// The help viewer, the stand-in for the HTML Help control: a CHM viewer
// looked up once (the desktop's default for the type, else xchm or
// kchmviewer), with the HTML copy of the help in the browser where none exists.
#pragma once

#include <string>
#include <vector>

namespace platform {

class HelpViewer {
public:
    // Opens chmFile in the CHM viewer, or htmlFile in the browser when no
    // viewer exists or chmFile is missing. Returns at once; false when
    // nothing could be started.
    bool show(const std::string& chmFile, const std::string& htmlFile);

    // How many times a viewer was looked up: once, whatever it found.
    int lookups() const { return lookups_; }

private:
    void lookUp();

    int lookups_ = 0;
    // The viewer's command, to which the file is added; empty when no CHM
    // viewer was found (recorded, not looked for again).
    std::vector<std::string> viewer_;
    std::string browserOpener_;
};

}  // namespace platform
