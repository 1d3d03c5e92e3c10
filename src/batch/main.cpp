// hexalune-batch: converts many MAC addresses in one run, from its
// arguments or standard input, into JSON Lines or CSV records: every
// notation of hexalune's report, the address's flags, and its owner from the
// whole IEEE registry (MA-L, MA-M, MA-S and IAB; longest prefix first).

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <future>
#include <memory>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "console.h"
#include "huge_page_heap.h"
#include "input_text.h"
#include "listings.h"
#include "notation/parse.h"
#include "options.h"
#include "output.h"
#include "record.h"
#include "registry/registries.h"
#include "registry_data.h"
#include "version.h"

namespace {

using namespace hexalune;

const int kExitInvalid = 1;
const int kExitFailure = 2;

// A line is cut off after this many bytes (its CR LF aside): no address is
// that long, and an endless line cannot exhaust memory.
const std::size_t kLineLimit = 1024;

// What is kept of a line that goes on in the next read: the limit, a CR
// before the line feed, and a byte more that tells a longer line.
const std::size_t kKept = kLineLimit + 2;

// Why: input is read, and records written, in blocks of this many bytes of
// input (some megabytes of records), not line by line.
const std::size_t kChunk = 1 << 16;

// A block of at least this many bytes is shared between two threads.
const std::size_t kShareAt = 1 << 14;

// Arguments' records are written in blocks of this many bytes.
const std::size_t kFlushAt = 1 << 20;

const char kUsage[] =
    "Usage: hexalune-batch [--json | --csv] [--registry DIR] [--] [ADDRESS...]\n"
    "Converts MAC addresses into records: every notation, the group and local\n"
    "bits, and the owner from the IEEE registry. Without an ADDRESS, reads them\n"
    "from standard input, one a line.\n"
    "\n"
    "  --json          one JSON object a line (the default)\n"
    "  --csv           a header row, then one CSV row an address\n"
    "  --registry DIR  read oui.csv, mam.csv, oui36.csv and iab.csv from DIR (as\n"
    "                  /usr/share/ieee-data) instead of the embedded listings\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and the registry listings, and exit\n"
    "\n"
    "An address is six pairs of hexadecimal digits joined by ':' or '-', three\n"
    "groups of four joined by '.', or twelve bare digits: 00:80:10:A4:00:0C,\n"
    "00-80-10-a4-00-0c, 0080.10a4.000c, 008010A4000C.\n"
    "\n"
    "Exit status: 0 if every address was valid, 1 if one was not (or a usage\n"
    "error), 2 if a listing or the input could not be read or the output not\n"
    "written.\n"
    "See hexalune-batch(1).\n";

// Writes `text` to standard output (help, version); gives 0, or why it
// could not (errno).
int write_text(const std::string& text) {
    errno = 0;
    const bool written =
        std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    return written ? 0 : errno != 0 ? errno : EIO;
}

// Says that standard output could not be written, for reason `error`
// (errno), and gives the exit status.
int output_failed(int error) {
    std::fprintf(stderr, "hexalune-batch: cannot write to standard output: %s\n",
                 std::strerror(error));
    return kExitFailure;
}

std::string version_text(const RegistryData& data) {
    std::ostringstream out;
    out << "hexalune-batch " HEXALUNE_VERSION "\n";
    if (data.directory.empty()) {
        out << "Registry listings embedded in the program: the IEEE Registration Authority's\n"
               "of " HEXALUNE_LISTING_DATE " (" HEXALUNE_LISTING_PACKAGE "):\n";
    } else {
        out << "Registry listings read from " << data.directory
            << ", each dated by its file's modification time:\n";
    }
    for (Registry registry : {Registry::kMaL, Registry::kMaM, Registry::kMaS, Registry::kIab}) {
        const auto at = static_cast<std::size_t>(registry);
        std::string name = registry_name(registry);
        name.resize(6, ' ');
        out << "  " << name << data.dates[at] << "  " << data.registries[at].size()
            << " assignments\n";
    }
    return out.str();
}

struct Run {
    Format format;
    const OwnerIndex& index;
    Output output;
    bool invalid = false;
    // Large blocks are converted on two threads, where there are processors
    // and a thread can be had.
    bool shared = std::thread::hardware_concurrency() > 1;
};

// A line or argument waiting in a group to be converted.
struct Item {
    std::string_view text;  // trimmed
    const char* where;      // "line" or "argument"
    std::size_t number;
    bool cut;    // longer than kLineLimit: the text is its start
    bool valid;  // an address: `mac` and `owner` hold its bytes and owner
    Bytes mac;
    Owner owner;
};

// A group's items, kept for the next group with their buffers.
struct Group {
    std::vector<Item> items;
    std::size_t size = 0;
};

// Why: the registry lookups of this many addresses are started together, so
// that their waits for memory overlap rather than follow one another.
const std::size_t kGroup = 16;

// Asks for what writing an owner's record will read, ahead of its use.
void prefetch([[maybe_unused]] const OUIInfo* record, [[maybe_unused]] bool text) {
#if defined(__GNUC__)
    if (record == nullptr) return;
    if (text) {
        __builtin_prefetch(record->organization.data());
        __builtin_prefetch(record->address.data());
    } else {
        __builtin_prefetch(record);
        __builtin_prefetch(&record->address);
    }
#endif
}

// The records of the group's items, in order, and for each that is no
// address a message naming where it stood; the group is then empty.
void convert(Run& run, Group& group) {
    static const std::string kCutOff =
        " (longer than " + std::to_string(kLineLimit) + " bytes, cut off)\n";
    for (Item* item = group.items.data(); item != group.items.data() + group.size; ++item) {
        item->valid = !item->cut && parse_device_notation(item->text, item->mac);
        if (item->valid) prefetch_owner(item->mac, run.index);
    }
    for (Item* item = group.items.data(); item != group.items.data() + group.size; ++item) {
        if (!item->valid) continue;
        item->owner = lookup_owner(item->mac, run.index);
        prefetch(item->owner.oui, false);
        prefetch(item->owner.block.record, false);
    }
    for (Item* item = group.items.data(); item != group.items.data() + group.size; ++item) {
        if (!item->valid) continue;
        prefetch(item->owner.oui, true);
        prefetch(item->owner.block.record, true);
    }
    for (Item* item = group.items.data(); item != group.items.data() + group.size; ++item) {
        char* const room =
            record_room(run.output, record_room(item->text, item->valid ? &item->owner : nullptr));
        if (item->valid) {
            records_written(run.output,
                            write_record(room, run.format, item->text, item->mac, item->owner));
            continue;
        }
        records_written(run.output, write_invalid_record(room, run.format, item->text));
        run.output.messages += std::string("hexalune-batch: ") + item->where + ' ' +
                               std::to_string(item->number) + ": invalid MAC address" +
                               (item->cut ? kCutOff : "\n");
        run.invalid = true;
    }
    group.size = 0;
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Adds a line or argument to the group, unless it is blank and `skip_blank`;
// converts the group once it is full.
void add(Run& run, Group& group, std::string_view text, const char* where, std::size_t number,
         bool skip_blank) {
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);  // of a CR LF
    const bool cut = text.size() > kLineLimit;
    if (cut) text = text.substr(0, kLineLimit);
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
    if (text.empty() && !cut && skip_blank) return;
    Item& item = group.items[group.size++];
    item.text = text;
    item.where = where;
    item.number = number;
    item.cut = cut;
    if (group.size == group.items.size()) convert(run, group);
}

// Converts the lines of `lines`, each ending in a line feed, which follow
// line `number`; gives the number of lines.
std::size_t convert_lines(Run& run, std::string_view lines, std::size_t number) {
    Group group{std::vector<Item>(kGroup)};
    const std::size_t first = number;
    for (std::size_t end; (end = lines.find('\n')) != std::string_view::npos;) {
        add(run, group, lines.substr(0, end), "line", ++number, true);
        lines.remove_prefix(end + 1);
    }
    convert(run, group);
    return number - first;
}

// As convert_lines, the second half of the lines on a thread of its own
// when there are enough of them and processors to share them. Why: on two
// processors a large input converts in little more than half the time.
// `other` is the second thread's run, kept from block to block with its
// buffers.
std::size_t convert_lines_shared(Run& run, Run& other, std::string_view lines, std::size_t number) {
    if (!run.shared || lines.size() < kShareAt) return convert_lines(run, lines, number);
    const std::size_t half = lines.find('\n', lines.size() / 2) + 1;
    const std::string_view first = lines.substr(0, half), second = lines.substr(half);
    const auto count = static_cast<std::size_t>(std::count(first.begin(), first.end(), '\n'));
    std::future<std::size_t> done;
    try {
        done = std::async(std::launch::async,
                          [&] { return convert_lines(other, second, number + count); });
    } catch (const std::exception&) {
        // No thread to be had (little memory, a limit on processes): this
        // one converts everything, from now on.
        run.shared = false;
        return convert_lines(run, lines, number);
    }
    convert_lines(run, first, number);
    const std::size_t total = count + done.get();
    // The other half's records and messages follow this half's.
    flush_output(run.output);
    flush_output(other.output);
    if (run.output.error == 0) run.output.error = other.output.error;
    run.output.messages_lost = run.output.messages_lost || other.output.messages_lost;
    run.invalid = run.invalid || other.invalid;
    other.invalid = false;
    return total;
}

// Every line of standard input, in order; blank ones give no record. What
// has been converted is written before each wait for more input. Gives why
// standard input could not be read to its end, or nothing.
std::string convert_input(Run& run) {
    std::vector<char> chunk(kChunk);
    InputText input;
    std::string line;  // the start of a line that goes on in the next read
    std::size_t number = 0;
    std::string error;
    Run other{run.format, run.index, Output{}};
    for (bool more = true; more && flush_output(run.output);) {
        const std::size_t got = read_input(chunk.data(), chunk.size(), error);
        more = got != 0;
        std::string_view data = input_text(input, std::string_view(chunk.data(), got));
        const std::size_t first_end = data.find('\n');
        if (first_end == std::string_view::npos) {
            // The rest of the line, as much of it as can matter.
            line.append(data, 0, kKept - std::min(line.size(), kKept));
            continue;
        }
        if (!line.empty()) {
            // A line begun in an earlier read.
            line.append(data, 0, std::min(first_end, kKept));
            line += '\n';
            number += convert_lines(run, line, number);
            line.clear();
            data.remove_prefix(first_end + 1);
        }
        const std::size_t last_end = data.rfind('\n');
        if (last_end != std::string_view::npos) {
            number += convert_lines_shared(run, other, data.substr(0, last_end + 1), number);
            data.remove_prefix(last_end + 1);
        }
        line.append(data, 0, std::min(data.size(), kKept));
    }
    if (!line.empty()) convert_lines(run, line + '\n', number);
    return error;
}

int run(const std::vector<std::string>& arguments) {
    const Options options = parse_options(arguments);
    if (!options.error.empty()) {
        std::fprintf(stderr, "hexalune-batch: %s; see 'hexalune-batch --help'\n",
                     options.error.c_str());
        return kExitInvalid;
    }
    if (options.help) {
        const int error = write_text(kUsage);
        return error == 0 ? 0 : output_failed(error);
    }

    // The listings and their maps are nearly all the memory a run takes;
    // the heap is made ready for them first.
    const std::unique_ptr<char[]> heap =
        prepare_heap(options.registry_directory ? listing_bytes_in(*options.registry_directory)
                                                : HEXALUNE_ALL_LISTINGS_BYTES);
    std::ostringstream bad_lines;
    RegistryData data;
    try {
        data = options.registry_directory
                   ? load_registry_directory(*options.registry_directory, bad_lines)
                   : load_embedded_registries(HEXALUNE_LISTING_DATE, bad_lines);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hexalune-batch: %s\n", e.what());
        return kExitFailure;
    }
    Output output;
    const std::string reports = bad_lines.str();
    for (std::size_t at = 0, end; (end = reports.find('\n', at)) != std::string::npos;
         at = end + 1) {
        output.messages += "hexalune-batch: " + reports.substr(at, end + 1 - at);
    }
    if (options.version) {
        flush_output(output);  // the bad lines' reports
        const int error = write_text(version_text(data));
        return error == 0 ? 0 : output_failed(error);
    }

    const OwnerIndex index = index_owners(data.registries);
    Run run{options.format, index, std::move(output)};
    if (options.format == Format::kCsv) {
        const std::string header = csv_header();
        records_written(run.output, std::copy(header.begin(), header.end(),
                                              record_room(run.output, header.size())));
    }
    std::string read_error;
    if (options.addresses.empty()) {
        read_error = convert_input(run);
    } else {
        Group group{std::vector<Item>(kGroup)};
        for (std::size_t i = 0; i < options.addresses.size(); ++i) {
            add(run, group, options.addresses[i], "argument", i + 1, false);
            if (run.output.size >= kFlushAt && !flush_output(run.output)) break;
        }
        convert(run, group);
    }
    if (!flush_output(run.output)) return output_failed(run.output.error);
    if (!read_error.empty()) {
        std::fprintf(stderr, "hexalune-batch: cannot read standard input: %s\n",
                     read_error.c_str());
        return kExitFailure;
    }
    if (run.output.messages_lost) return kExitFailure;
    return run.invalid ? kExitInvalid : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return run(program_arguments(argc, argv));
    } catch (const std::bad_alloc&) {
        std::fputs("hexalune-batch: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hexalune-batch: %s\n", e.what());
    }
    return kExitFailure;
}
