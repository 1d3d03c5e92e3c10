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
#include <sstream>
#include <string>
#include <vector>

#include "notation/parse.h"
#include "record.h"
#include "registry_data.h"

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

const OwnerIndex& index() {
    static const RegistryData kData = [] {
        std::ostringstream reports;
        return load_embedded_registries("", reports);
    }();
    static const OwnerIndex kIndex = index_owners(kData.registries);
    return kIndex;
}

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

// Look up: in groups of 16 with the index prefetched, as the program does.
void BM_LookUp(benchmark::State& state) {
    const List& addresses = list();
    std::vector<Owner> owners(16);
    for (auto _ : state) {
        for (std::size_t group = 0; group < addresses.macs.size(); group += 16) {
            const std::size_t end = std::min(group + 16, addresses.macs.size());
            for (std::size_t i = group; i < end; ++i) prefetch_owner(addresses.macs[i], index());
            for (std::size_t i = group; i < end; ++i) {
                owners[i - group] = lookup_owner(addresses.macs[i], index());
            }
            benchmark::DoNotOptimize(owners.data());
        }
    }
    per_line(state);
}
BENCHMARK(BM_LookUp)->Unit(benchmark::kMillisecond);

// Format: the records, one format or the other, into one buffer.
void BM_Format(benchmark::State& state) {
    const Format format = state.range(0) == 0 ? Format::kJson : Format::kCsv;
    const List& addresses = list();
    std::vector<Owner> owners;
    for (const Bytes& mac : addresses.macs) owners.push_back(lookup_owner(mac, index()));
    std::vector<char> out(1 << 16);
    for (auto _ : state) {
        std::size_t address = 0;
        for (std::size_t line = 0; line < addresses.lines.size(); ++line) {
            const std::string& text = addresses.lines[line];
            const bool valid =
                address < addresses.of_line.size() && addresses.of_line[address] == line;
            const std::size_t room = record_room(text, valid ? &owners[address] : nullptr);
            if (out.size() < room) out.resize(room);
            benchmark::DoNotOptimize(valid ? write_record(out.data(), format, text,
                                                          addresses.macs[address], owners[address])
                                           : write_invalid_record(out.data(), format, text));
            if (valid) ++address;
        }
    }
    per_line(state);
}
BENCHMARK(BM_Format)->Arg(0)->Arg(1)->ArgName("csv")->Unit(benchmark::kMillisecond);

// Write: records of the list's size, a megabyte at a time, to /dev/null.
void BM_Write(benchmark::State& state) {
    const Format format = state.range(0) == 0 ? Format::kJson : Format::kCsv;
    std::string records;
    std::vector<char> out(1 << 16);
    const List& addresses = list();
    for (std::size_t i = 0; i < addresses.macs.size(); ++i) {
        const Owner owner = lookup_owner(addresses.macs[i], index());
        records.append(out.data(),
                       write_record(out.data(), format, addresses.lines[addresses.of_line[i]],
                                    addresses.macs[i], owner));
    }
    std::FILE* null = std::fopen("/dev/null", "wb");
    for (auto _ : state) {
        for (std::size_t at = 0; at < records.size(); at += 1 << 20) {
            std::fwrite(records.data() + at, 1, std::min<std::size_t>(1 << 20, records.size() - at),
                        null);
            std::fflush(null);
        }
    }
    std::fclose(null);
    per_line(state);
}
BENCHMARK(BM_Write)->Arg(0)->Arg(1)->ArgName("csv")->Unit(benchmark::kMillisecond);

}  // namespace
