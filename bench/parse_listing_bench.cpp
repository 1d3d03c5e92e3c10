// Times parse_oui_database on the listing the build embeds and on synthetic
// listings of growing size, and reports the peak memory of each.
//
//   hexalune_listing_bench [REPEATS]
//
// Each size runs in a child process of its own, so that its peak resident
// memory is its own.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "registry/csv_line_reader.h"
#include "synthetic_listing.h"

namespace {

std::string read_file(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Parses `text` `repeats` times and prints the fastest run.
void measure(const char* label, const std::string& text, int repeats) {
    double best = 1e9;
    std::size_t records = 0;
    for (int r = 0; r < repeats; ++r) {
        std::ostringstream report;
        const auto start = std::chrono::steady_clock::now();
        const hexalune::RegistryMap registry = hexalune::parse_oui_database(text, report);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        records = registry.size();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double mb = static_cast<double>(text.size()) / 1e6;
    std::printf("%-22s %9.1f MB %9zu records %8.3f s %7.1f MB/s  peak RSS %7.1f MiB (%.1fx text)\n",
                label, mb, records, best, mb / best, usage.ru_maxrss / 1024.0,
                usage.ru_maxrss * 1024.0 / static_cast<double>(text.size()));
    std::fflush(stdout);
}

template <typename Run>
void in_child(Run run) {
    const pid_t pid = fork();
    if (pid == 0) {
        run();
        std::exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "measurement failed\n");
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    in_child([&] { measure("embedded listing", read_file(HEXALUNE_LISTING_FILE), repeats); });
    for (std::size_t mb : {5, 10, 25, 50, 100}) {
        in_child([&] {
            const std::string label = "synthetic " + std::to_string(mb) + " MB";
            measure(label.c_str(), hexalune_test::synthetic_listing(mb * 1000 * 1000), repeats);
        });
    }
    return 0;
}
