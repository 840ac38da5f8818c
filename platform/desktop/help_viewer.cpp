// Finding a CHM viewer through xdg-mime or the PATH, and starting it or
// the browser on the help file.
#include "platform/desktop/help_viewer.h"

#include <cstring>

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/reports/file_report.h"
#include "platform/desktop/launcher.h"

namespace platform {

namespace {

const char* const CHM_TYPE = "application/vnd.ms-htmlhelp";
const char* const CHM_PROGRAMS[] = {"xchm", "kchmviewer"};
// xdg-mime is a script that reads a few files and answers in a few tens of
// milliseconds; the lookup runs on the first Help click, which a stuck one
// must not freeze for long.
constexpr int QUERY_MILLISECONDS = 400;

bool isFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The viewer runs in the same folder, but an absolute path also keeps a
// name beginning with '-' from being read as an option.
std::string absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder) == nullptr) return std::string();
    return std::string(folder) + "/" + path;
}

}  // namespace

void HelpViewer::lookUp() {
    ++lookups_;
    browserOpener_ = Launcher::findOnPath("xdg-open");
    const std::string mime = Launcher::findOnPath("xdg-mime");
    std::string handler;
    if (!browserOpener_.empty() && !mime.empty() &&
        Launcher::runForOutput({mime, "query", "default", CHM_TYPE}, QUERY_MILLISECONDS, handler) &&
        handler.find(".desktop") != std::string::npos) {
        viewer_ = {browserOpener_};
        return;
    }
    for (const char* program : CHM_PROGRAMS) {
        const std::string found = Launcher::findOnPath(program);
        if (!found.empty()) {
            viewer_ = {found};
            return;
        }
    }
}

bool HelpViewer::show(const std::string& chmFile, const std::string& htmlFile) {
    if (lookups_ == 0) lookUp();
    const std::string chm = absolute(chmFile);
    if (!viewer_.empty() && isFile(chm)) {
        std::vector<std::string> command = viewer_;
        command.push_back(chm);
        if (Launcher::startDetached(command)) return true;
    }
    const std::string html = absolute(htmlFile);
    if (!isFile(html) && !isFile(chm)) reportUnusableFile("help", chmFile.c_str());
    if (browserOpener_.empty() || !isFile(html)) return false;
    return Launcher::startDetached({browserOpener_, html});
}

}  // namespace platform
