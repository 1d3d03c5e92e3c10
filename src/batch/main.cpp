// hexalune-batch: converts many MAC addresses in one run, from its
// arguments or standard input, into JSON Lines or CSV records: every
// notation of hexalune's report, the address's flags, and its owner from the
// whole IEEE registry (MA-L, MA-M, MA-S and IAB; longest prefix first).

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "block_record.h"
#include "block_search.h"
#include "blocks.h"
#include "listings.h"
#include "names.h"
#include "names_file.h"
#include "options.h"
#include "peer_files.h"
#include "pipeline.h"
#include "platform/command_line.h"
#include "platform/huge_page_heap.h"
#include "platform/standard_input.h"
#include "registry/owner_table_fast.h"
#include "registry/owner_table_reader.h"
#include "registry_data.h"
#include "version.h"

namespace {

using namespace hexalune;

const int kExitInvalid = 1;
const int kExitFailure = 2;

const char kUsage[] =
    "Usage: hexalune-batch [--json | --csv] [--fields LIST] [--scan]\n"
    "                      [--registry DIR] [--names FILE]... [--] [ADDRESS...]\n"
    "       hexalune-batch --annotate [--registry DIR] [--names FILE]...\n"
    "       hexalune-batch --export json|csv|manuf|nmap|arp-scan\n"
    "                      [--registry DIR] [--names FILE]...\n"
    "       hexalune-batch --search TEXT [--json | --csv] [--registry DIR]\n"
    "                      [--names FILE]...\n"
    "Converts MAC addresses into records: every notation, the group and local\n"
    "bits, and the owner from the IEEE registry. Without an ADDRESS, reads them\n"
    "from standard input, one a line.\n"
    "\n"
    "  --json          one JSON object a line (the default)\n"
    "  --csv           a header row, then one CSV row an address\n"
    "  --fields LIST   only these fields, in this order: CSV column names or\n"
    "                  nested fields, joined by ',' (input,eui48,oui_organization)\n"
    "  --scan          a record for each address found in any text on standard\n"
    "                  input (ip neigh, arp -a, a switch's MAC table, a log)\n"
    "  --annotate      that text given back, with ' [NAME]' after each address\n"
    "  --export FORMAT json or csv: a block record for each assignment of the\n"
    "                  registry, by first address (see BLOCK RECORDS); manuf,\n"
    "                  nmap or arp-scan: the file Wireshark, nmap or arp-scan\n"
    "                  names vendors by (WIRESHARK_DATA_DIR, --datadir, --ouifile)\n"
    "  --search TEXT   the block records whose organization or short name holds\n"
    "                  TEXT, in any case, the user's names' too\n"
    "  --registry DIR  read oui.csv, mam.csv, oui36.csv and iab.csv from DIR (as\n"
    "                  /usr/share/ieee-data) instead of the embedded listings\n"
    "  --names FILE    the user's names for addresses (lines 'PREFIX NAME'), the\n"
    "                  record's label, after ~/.config/hexalune/names if any\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and the registry listings, and exit\n"
    "\n"
    "An address is six pairs of hexadecimal digits joined by ':' or '-', six\n"
    "groups of one or two joined by ':', three groups of four joined by '.' or\n"
    "'-', two of six joined by '-', or twelve bare digits: 00:80:10:A4:00:0C,\n"
    "0:80:10:a4:0:c, 0080.10a4.000c, 0080-10a4-000c, 008010-a4000c,\n"
    "008010A4000C. An EUI-64 (eight pairs, four groups or 16 digits), an IPv6\n"
    "address whose interface identifier holds one (fe80::280:10ff:fea4:c%eth0)\n"
    "and an OUI alone (00:80:10) are read too.\n"
    "\n"
    "Exit status: 0 if every address was valid, 1 if one was not (or a usage\n"
    "error), 2 if a listing or the input could not be read or the output not\n"
    "written. With --scan or --annotate: 0 if an address was found, 1 if none;\n"
    "with --search, if a block was.\n"
    "See hexalune-batch(1).\n";

// Writes `bytes` to `stream` at once; gives 0, or why it could not (errno).
int write_to(std::FILE* stream, std::string_view bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() &&
                         std::fflush(stream) == 0;
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
        out << "  " << name << data.dates[at] << "  " << assignment_count(data.table, registry)
            << " assignments\n";
    }
    return out.str();
}

// The most memory a run of block records of `table` holds at once: its
// assignments' keys, their blocks, and a piece of output.
std::size_t blocks_heap(const OwnerTable& table) {
    return record_count(table) * (sizeof(AssignmentKey) + sizeof(AddressBlock)) + (3 << 20);
}

// Writes the block records of --export json or csv, or of --search: every
// assignment of `table`, or those a search finds, with the user's names;
// gives the exit status.
int write_blocks(const Options& options, const OwnerTable& table, const Names& names) {
    const std::vector<UserName> named = options.search ? names.list() : std::vector<UserName>{};
    const std::vector<AddressBlock> blocks =
        options.search ? search_blocks(table, named, *options.search) : registry_blocks(table);
    const Format format = options.export_format == "csv"    ? Format::kCsv
                          : options.export_format == "json" ? Format::kJson
                                                            : options.format;
    const int error = write_block_records(
        blocks, format, [](std::string_view bytes) { return write_to(stdout, bytes); });
    if (error != 0) return output_failed(error);
    // Searching, as grep: whether a block was found.
    return options.search && blocks.empty() ? kExitInvalid : 0;
}

int run(const std::vector<std::string>& arguments) {
    const Options options = parse_options(arguments);
    if (!options.error.empty()) {
        std::fprintf(stderr, "hexalune-batch: %s; see 'hexalune-batch --help'\n",
                     options.error.c_str());
        return kExitInvalid;
    }
    std::shared_ptr<const RecordLayout> layout;
    try {
        layout = options.fields ? record_layout(options.format, *options.fields)
                                : record_layout(options.format);
    } catch (const FieldsError& e) {
        std::fprintf(stderr, "hexalune-batch: %s in --fields; see RECORDS in hexalune-batch(1)\n",
                     e.what());
        return kExitInvalid;
    }
    if (options.help) {
        const int error = write_to(stdout, kUsage);
        return error == 0 ? 0 : output_failed(error);
    }

    // Listings read at run time, and the table built of them, are nearly all
    // the memory such a run takes; the heap is made ready for them first.
    // So are the registry's blocks, which --export and --search hold (a
    // third of the time of such a run, the embedded registry's, is spared:
    // bench/paired_runs.py).
    const bool blocks =
        options.search || options.export_format == "json" || options.export_format == "csv";
    const std::unique_ptr<char[]> heap =
        options.registry_directory
            ? prepare_heap(read_owner_table_heap(listing_bytes_in(*options.registry_directory)))
        : blocks ? prepare_heap(blocks_heap(embedded_owner_table()))
                 : nullptr;
    std::ostringstream bad_lines;
    RegistryData data;
    Names names;  // the user's
    try {
        data = options.registry_directory
                   ? load_registry_directory(*options.registry_directory, bad_lines)
                   : load_embedded_registries(HEXALUNE_LISTING_DATE);
        if (!options.version) names = load_names(options.names_files, bad_lines);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hexalune-batch: %s\n", e.what());
        return kExitFailure;
    }
    const Writer write_messages = [](std::string_view bytes) { return write_to(stderr, bytes); };
    std::string reports;
    const std::string lines = bad_lines.str();
    for (std::size_t at = 0, end; (end = lines.find('\n', at)) != std::string::npos; at = end + 1) {
        reports += "hexalune-batch: " + lines.substr(at, end + 1 - at);
    }
    const bool reports_lost = !reports.empty() && write_messages(reports) != 0;
    if (options.version) {
        const int error = write_to(stdout, version_text(data));
        return error == 0 ? 0 : output_failed(error);
    }

    const std::optional<PeerFormat> peer =
        options.export_format ? peer_format(*options.export_format) : std::nullopt;
    if (peer) {
        std::string about = version_text(data);
        const std::vector<UserName> list = names.list();
        if (!list.empty()) {
            about += std::to_string(list.size()) +
                     " prefixes named by the user, each winning over the listings' same one\n";
        }
        Output output{[](std::string_view bytes) { return write_to(stdout, bytes); },
                      write_messages};
        write_peer_file(output, *peer, registry_blocks(data.table), list, about);
        if (output.error != 0) return output_failed(output.error);
        return reports_lost || output.messages_lost ? kExitFailure : 0;
    }
    if (blocks) {
        const int status = write_blocks(options, data.table, names);
        return reports_lost ? kExitFailure : status;
    }

    Pipeline pipeline{layout, &data.table,
                      [](std::string_view bytes) { return write_to(stdout, bytes); },
                      write_messages};
    pipeline.names = &names;
    const Outcome outcome = options.scan       ? scan_input(pipeline, read_input)
                            : options.annotate ? annotate_input(pipeline, read_input)
                            : options.addresses.empty()
                                ? convert_input(pipeline, read_input)
                                : convert_arguments(pipeline, options.addresses);
    if (outcome.output_error != 0) return output_failed(outcome.output_error);
    if (!outcome.read_error.empty()) {
        std::fprintf(stderr, "hexalune-batch: cannot read standard input: %s\n",
                     outcome.read_error.c_str());
        return kExitFailure;
    }
    if (reports_lost || outcome.messages_lost) return kExitFailure;
    // Scanning, as grep: whether an address was found.
    if (options.scan || options.annotate) return outcome.found ? 0 : kExitInvalid;
    return outcome.invalid ? kExitInvalid : 0;
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
