#ifndef HEXALUNE_BATCH_OPTIONS_H_
#define HEXALUNE_BATCH_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

#include "record.h"

namespace hexalune {

/// What the command line asks for.
struct Options {
    Format format = Format::kJson;
    bool format_given = false;                      // --json or --csv
    bool scan = false;                              // --scan
    bool annotate = false;                          // --annotate
    std::optional<std::string> fields;              // --fields LIST
    std::optional<std::string> registry_directory;  // --registry DIR
    std::vector<std::string> names_files;           // --names FILE, each in order
    std::optional<std::string> export_format;       // --export FORMAT: one of kExportFormats
    std::optional<std::string> search;              // --search TEXT
    bool help = false;
    bool version = false;
    std::vector<std::string> addresses;  // none: read standard input
    std::string error;                   // a usage error, to report; empty if none
};

/// What --export writes: block records, or a peer's file.
constexpr const char* kExportFormats[] = {"json", "csv", "manuf", "nmap", "arp-scan"};

/// Reads the arguments after the program name: options (--json, --csv,
/// --fields LIST, --registry DIR, --names FILE, --export FORMAT, --search
/// TEXT, each of these five also as --name=VALUE, --help, --version) up to
/// the first other argument or "--", then addresses. Of --json and --csv
/// the last counts. An unknown option, or one of the five without its value
/// (--search's may be empty), is a usage error, and so are addresses with
/// --scan or --annotate (they read standard input), both of them, and
/// --annotate with --json, --csv or --fields. --export and --search go
/// alone, with no address, --scan, --annotate or --fields; --export names
/// its format, so takes no --json or --csv.
Options parse_options(const std::vector<std::string>& arguments);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_OPTIONS_H_
