// Finding a CHM viewer through xdg-mime or the PATH, and starting it or
// else a browser on the help file.
#include "platform/desktop/help_viewer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <limits.h>
#include <unistd.h>

#include "platform/desktop/launcher.h"
#include "platform/files/file_reader.h"
#include "platform/reports/file_report.h"

namespace platform {

namespace {

const char* const CHM_TYPE = "application/vnd.ms-htmlhelp";
const char* const CHM_PROGRAMS[] = {"xchm", "kchmviewer"};
// The desktop's opener, Debian's choice of browser, then common browsers.
const char* const BROWSERS[] = {"xdg-open",        "sensible-browser", "x-www-browser", "firefox",
                                "firefox-esr",     "chromium",         "chromium-browser", "google-chrome",
                                "epiphany-browser", "falkon",          "konqueror"};
// An opener that finds no browser gives up within this; a browser that
// took the page is still running then.
constexpr int BROWSER_GRACE_MILLISECONDS = 2000;
// xdg-mime is a script that reads a few files and answers in a few tens of
// milliseconds; the lookup runs on the first Help click, which a stuck one
// must not freeze for long.
constexpr int QUERY_MILLISECONDS = 400;

// The viewer runs in the same folder, but an absolute path also keeps a
// name beginning with '-' from being read as an option.
std::string absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder) == nullptr) return std::string();
    return std::string(folder) + "/" + path;
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// "a, b, c" of the first count names.
std::string listed(const std::vector<std::string>& names, const size_t& count) {
    std::string list;
    for (size_t i = 0; i < count && i < names.size(); ++i) list += (list.empty() ? "" : ", ") + names[i];
    return list;
}

// Why the browsers were tried and what came of it, once they have had their chance.
void reportBrowserOutcome(const std::string& why, const std::vector<std::string>& found, const int& ran,
                          const std::string& html) {
    if (ran >= 0) {
        const std::string failed = ran > 0 ? " (" + listed(found, static_cast<size_t>(ran)) + " failed)" : "";
        std::fprintf(stderr, "quadrimo: %s; the help opens with %s%s\n", why.c_str(),
                     found[static_cast<size_t>(ran)].c_str(), failed.c_str());
        return;
    }
    std::vector<std::string> missing;
    for (const char* browser : BROWSERS)
        if (std::find(found.begin(), found.end(), browser) == found.end()) missing.push_back(browser);
    std::string browsers;
    if (!found.empty()) browsers = listed(found, found.size()) + " failed; ";
    browsers += "not installed: " + listed(missing, missing.size());
    std::fprintf(stderr, "quadrimo: the help cannot be shown: %s and no browser opened %s (%s)\n", why.c_str(),
                 html.c_str(), browsers.c_str());
}

}  // namespace

void HelpViewer::lookUp() {
    ++lookups_;
    for (const char* browser : BROWSERS) {
        const std::string found = Launcher::findOnPath(browser);
        if (!found.empty()) browsers_.push_back(found);
    }
    const std::string opener = Launcher::findOnPath("xdg-open");
    const std::string mime = Launcher::findOnPath("xdg-mime");
    std::string handler;
    if (!opener.empty() && !mime.empty() &&
        Launcher::runForOutput({mime, "query", "default", CHM_TYPE}, QUERY_MILLISECONDS, handler) &&
        handler.find(".desktop") != std::string::npos) {
        viewer_ = {opener};
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
    std::string why = "no CHM help viewer was found (tried the desktop's choice for CHM files, xchm, kchmviewer)";
    if (!viewer_.empty()) {
        std::vector<std::string> command = viewer_;
        command.push_back(chm);
        if (isRegularFile(chm) && Launcher::startDetached(command)) return true;
        why = isRegularFile(chm) ? viewer_[0] + " could not be started" : "the CHM help file is missing";
    }
    const std::string html = absolute(htmlFile);
    if (!isRegularFile(html)) {
        reportUnusableFile("help", (isRegularFile(chm) ? htmlFile : chmFile).c_str());
        return false;
    }
    return showInBrowser(html, why);
}

bool HelpViewer::showInBrowser(const std::string& html, const std::string& why) {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> commands;
    for (const std::string& browser : browsers_) {
        names.push_back(nameOf(browser));
        commands.push_back({browser, html});
    }
    if (commands.empty()) {
        reportBrowserOutcome(why, names, -1, html);
        return false;
    }
    Launcher::startFirstThatRuns(commands, BROWSER_GRACE_MILLISECONDS,
                                 [why, names, html](int ran) { reportBrowserOutcome(why, names, ran, html); });
    return true;
}

}  // namespace platform
