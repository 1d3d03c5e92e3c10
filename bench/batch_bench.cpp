// hexalune-batch's work on each address, phase by phase, over the address
// list that bench/address_list.py writes (bench/batch_peers makes one):
//   HEXALUNE_ADDRESSES=addresses.txt build/.../bench/hexalune_batch_bench
// Every figure is per line of the list: items_per_second is addresses a
// second, and the phases' times add up to about a run's.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "notation/parse.h"
#include "pipeline.h"
#include "record.h"

namespace {

using namespace hexalune;

const char* list_path() {
    const char* path = std::getenv("HEXALUNE_ADDRESSES");
    return path != nullptr ? path : "addresses.txt";
}

// The list's lines, trimmed, and the addresses among them.
struct List {
    std::vector<std::string> lines;
    std::vector<Bytes> macs;
    std::vector<std::size_t> of_line;  // the line of each address
};

const List& list() {
    static const List kList = [] {
        List list;
        std::ifstream in(list_path(), std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            const std::size_t first = line.find_first_not_of(" \t\r");
            const std::size_t last = line.find_last_not_of(" \t\r");
            list.lines.push_back(first == std::string::npos ? ""
                                                            : line.substr(first, last - first + 1));
            Bytes mac;
            if (parse_device_notation(list.lines.back(), mac)) {
                list.macs.push_back(mac);
                list.of_line.push_back(list.lines.size() - 1);
            }
        }
        return list;
    }();
    return kList;
}

const OwnerTable& table() { return embedded_owner_table(); }

void per_line(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(list().lines.size()));
}

// Read: the list in blocks of 64 KiB, each line found.
void BM_Read(benchmark::State& state) {
    std::vector<char> chunk(1 << 16);
    for (auto _ : state) {
        const int fd = open(list_path(), O_RDONLY);
        std::size_t lines = 0;
        for (ssize_t got; (got = read(fd, chunk.data(), chunk.size())) > 0;) {
            for (const char* p = chunk.data();
                 (p = static_cast<const char*>(std::memchr(p, '\n', chunk.data() + got - p))) !=
                 nullptr;
                 ++p) {
                ++lines;
            }
        }
        close(fd);
        benchmark::DoNotOptimize(lines);
    }
    per_line(state);
}
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);

void BM_Parse(benchmark::State& state) {
    Bytes mac;
    for (auto _ : state) {
        for (const std::string& line : list().lines) {
            benchmark::DoNotOptimize(parse_device_notation(line, mac));
        }
    }
    per_line(state);
}
BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond);

// Look up: one address after another, nothing prefetched.
void BM_LookUp(benchmark::State& state) {
    for (auto _ : state) {
        for (const Bytes& mac : list().macs) benchmark::DoNotOptimize(lookup_owner(mac, table()));
    }
    per_line(state);
}
BENCHMARK(BM_LookUp)->Unit(benchmark::kMillisecond);

// Format: the records, one format or the other, into one buffer.
void BM_Format(benchmark::State& state) {
    const auto layout = record_layout(state.range(0) == 0 ? Format::kJson : Format::kCsv);
    const List& addresses = list();
    std::vector<RecordSource> sources;
    for (std::size_t line = 0, address = 0; line < addresses.lines.size(); ++line) {
        const bool valid = address < addresses.of_line.size() && addresses.of_line[address] == line;
        const Bytes* mac = valid ? &addresses.macs[address++] : nullptr;
        RecordSource source{addresses.lines[line], InputType::kEui48, mac, nullptr, line + 1,
                            mac ? lookup_owner(*mac, table()) : Owner{}, {}, {}, {}};
        if (source.owner.oui != kNoRecord) source.oui = flagged_assignee(table(), source.owner.oui);
        if (source.owner.block.record != kNoRecord) {
            source.block = flagged_assignee(table(), source.owner.block.record);
        }
        sources.push_back(source);
    }
    std::vector<char> out(1 << 16);
    for (auto _ : state) {
        for (const RecordSource& source : sources) {
            if (out.size() < record_room(source)) out.resize(record_room(source));
            benchmark::DoNotOptimize(write_record(out.data(), *layout, source));
        }
    }
    per_line(state);
}
BENCHMARK(BM_Format)->Arg(0)->Arg(1)->ArgName("csv")->Unit(benchmark::kMillisecond);

// The whole run, as the program makes it, from the list in memory to
// records thrown away: on one thread, and on two where there are two.
void BM_Pipeline(benchmark::State& state) {
    std::ifstream in(list_path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    Pipeline pipeline{record_layout(state.range(0) == 0 ? Format::kJson : Format::kCsv), &table(),
                      [](std::string_view bytes) { return benchmark::DoNotOptimize(bytes), 0; },
                      [](std::string_view) { return 0; }, state.range(1) == 2};
    for (auto _ : state) {
        std::size_t at = 0;
        convert_input(pipeline, [&](char* buffer, std::size_t size, std::string&) {
            const std::size_t n = std::min(size, text.size() - at);
            std::memcpy(buffer, text.data() + at, n);
            at += n;
            return n;
        });
    }
    per_line(state);
}
BENCHMARK(BM_Pipeline)
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->ArgNames({"csv", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
