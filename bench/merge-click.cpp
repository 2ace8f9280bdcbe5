// A scripted "Merge it!" in a fresh process, for bench/merge-big-lists.sh: the main window on
// the offscreen platform loads LEFT and RIGHT through its two load buttons, then the merge
// button is clicked; the time runs from the click until both result panes have painted. Then
// the process's peak memory (VmHWM) and its memory now (VmRSS).
//
//   merge-click LEFT RIGHT
//
// Prints one line: "click to painted S s, multiple hits N, single hits M, peak P MB, now R MB,
// both loads and the merge T s" (T from the first load button's click to the panes painted).

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/MainForm.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"

namespace {

/// A "Vm...:" figure of /proc/self/status in MB, or -1.
long StatusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key + ":") {
            long kb = -1;
            status >> kb;
            return kb < 0 ? -1 : kb / 1024;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: merge-click LEFT RIGHT\n");
        return 2;
    }
    TApplication application(argc, argv, /*offscreen=*/true);
    application.SetTitle("Dyadlist");
    DialogSeam seam;
    TForm1 form;
    form.Show();
    const auto loadStart = std::chrono::steady_clock::now();
    seam.openAnswers.push_back(argv[1]);
    form.LoadLeftButton().Click();
    seam.openAnswers.push_back(argv[2]);
    form.LoadRightButton().Click();
    application.ProcessMessages();
    if (!seam.messageBoxes.empty()) {
        std::fprintf(stderr, "%s\n", seam.messageBoxes.front().text.c_str());
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    form.MergeButton().Click();
    application.ProcessMessages();
    form.MultipleHitsPane().Repaint();
    form.SingleHitsPane().Repaint();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const std::chrono::duration<double> all = std::chrono::steady_clock::now() - loadStart;

    if (!seam.messageBoxes.empty()) {
        std::fprintf(stderr, "%s\n", seam.messageBoxes.front().text.c_str());
        return 1;
    }
    std::printf("click to painted %.3f s, multiple hits %zu, single hits %zu, peak %ld MB, now "
                "%ld MB, both loads and the merge %.3f s\n",
                took.count(), form.MultipleHitsPane().EntryCount(),
                form.SingleHitsPane().EntryCount(), StatusMegabytes("VmHWM"),
                StatusMegabytes("VmRSS"), all.count());
    return 0;
}
