// zorvane-window-search-bench: times the window's own search, the real
// TMainForm with its tree set to a directory and its search button clicked,
// until the list shows the lines; prints what the lines cost on the heap.
// bench/window-search runs it beside zorvane-find on the same tree.
#include "app/tapplication.h"
#include "ui/form.h"

#include <QCoreApplication>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using zorvane::ui::TDirectoryOutline;
using zorvane::ui::TMainForm;

namespace {

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Sets the tree to the volume holding `path`, then expands and selects its
// way down to `path`, as the keys would.
bool chooseDirectory(TMainForm& form, const std::string& path)
{
    std::string drive;
    for (const auto& volume : form.dcbDrives->volumes()) {
        const std::string& root = volume.root;
        const bool holds = path == root || path.starts_with(root.ends_with('/') ? root : root + "/");
        if (holds && root.size() > drive.size())
            drive = root;
    }
    if (drive.empty())
        return false;
    form.dolDirectories->setDrive(drive);
    TDirectoryOutline* tree = form.dolDirectories;
    tree->selectRow(0);
    std::string at = drive;
    while (at != path) {
        const std::size_t from = at.ends_with('/') ? at.size() : at.size() + 1;
        const std::string next = path.substr(0, path.find('/', from));
        tree->expandRow(tree->selectedRow());
        int row = tree->selectedRow() + 1;
        while (row < tree->rowCount() && tree->rowPath(row) != next)
            ++row;
        if (row >= tree->rowCount())
            return false;
        tree->selectRow(row);
        at = next;
    }
    return tree->Directory() == path;
}

}  // namespace

int main(int argc, char** argv)
{
    zorvane::app::TApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    int runs = 5;
    QStringList positional;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--runs") && i + 1 < arguments.size())
            runs = std::max(1, arguments[++i].toInt());
        else
            positional << arguments[i];
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "usage: zorvane-window-search-bench [--runs N] DIRECTORY MASK\n");
        return 2;
    }
    const std::string directory = positional[0].toStdString();
    const QString mask = positional[1];

    TMainForm form;
    form.show();
    QCoreApplication::processEvents();
    if (!chooseDirectory(form, directory)) {
        std::fprintf(stderr, "zorvane-window-search-bench: the tree cannot reach %s\n", directory.c_str());
        return 1;
    }
    form.edtFileMask->setText(mask);
    QCoreApplication::processEvents();

    std::vector<double> seconds;
    std::size_t heapBefore = 0;
    std::size_t heapAfter = 0;
    for (int run = 0; run < runs; ++run) {
        form.lbFiles->Clear();
        QCoreApplication::processEvents();
        heapBefore = heapInUse();
        const auto start = std::chrono::steady_clock::now();
        form.btnSearchForFiles->click();
        // The list learns of its lines in the event loop, then paints.
        QCoreApplication::processEvents();
        form.lbFiles->viewport()->repaint();
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        heapAfter = heapInUse();
    }

    const int lines = form.lbFiles->Count();
    if (form.lbFiles->model()->rowCount() != lines) {
        std::fprintf(stderr, "zorvane-window-search-bench: the list shows %d of %d lines\n",
                     form.lbFiles->model()->rowCount(), lines);
        return 1;
    }
    std::size_t bytes = 0;
    for (int i = 0; i < lines; ++i)
        bytes += form.lbFiles->Model()->Line(i).size();
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);

    const double perLine = lines > 0 ? double(heapAfter - heapBefore) / lines : 0.0;
    const double pathMean = lines > 0 ? double(bytes) / lines : 0.0;
    std::printf("window search: %d runs, median %.3f s, min %.3f s, max %.3f s\n", runs, sorted[sorted.size() / 2],
                sorted.front(), sorted.back());
    std::printf("lines: %d, path bytes %zu (mean %.1f per line)\n", lines, bytes, pathMean);
    std::printf("heap held by the search's lines: %.1f bytes per line (%.2fx the mean path)\n", perLine,
                pathMean > 0 ? perLine / pathMean : 0.0);
    std::printf("peak memory (max RSS) of the process: %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
