#include "options.h"

#include <algorithm>
#include <iterator>

namespace hexalune {

namespace {

// Whether arguments[i] is option `name`; if so, its value (after "=", or
// the next argument, which `i` then moves to) into `value`, or none.
bool option(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name,
            std::optional<std::string>& value) {
    const std::string& argument = arguments[i];
    if (argument.compare(0, name.size(), name) != 0) return false;
    if (argument.size() > name.size() && argument[name.size()] != '=') return false;
    value.reset();
    if (argument.size() > name.size()) {
        value = argument.substr(name.size() + 1);
    } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
    }
    return true;
}

}  // namespace

Options parse_options(const std::vector<std::string>& arguments) {
    Options options;
    std::size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            ++i;
            break;
        }
        if (argument.size() < 2 || argument[0] != '-') break;  // the first address
        if (argument == "--json" || argument == "--csv") {
            options.format = argument == "--json" ? Format::kJson : Format::kCsv;
            options.format_given = true;
        } else if (argument == "--scan") {
            options.scan = true;
        } else if (argument == "--annotate") {
            options.annotate = true;
        } else if (argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (option(arguments, i, "--fields", options.fields)) {
            if (!options.fields) {
                options.error = "option '--fields' needs a list of fields";
                return options;
            }
        } else if (option(arguments, i, "--registry", options.registry_directory)) {
            if (!options.registry_directory || options.registry_directory->empty()) {
                options.error = "option '--registry' needs a directory";
                return options;
            }
        } else if (std::optional<std::string> file; option(arguments, i, "--names", file)) {
            if (!file || file->empty()) {
                options.error = "option '--names' needs a file";
                return options;
            }
            options.names_files.push_back(*file);
        } else if (option(arguments, i, "--export", options.export_format)) {
            const auto& formats = kExportFormats;
            if (!options.export_format ||
                std::find(std::begin(formats), std::end(formats), *options.export_format) ==
                    std::end(formats)) {
                options.error = "option '--export' needs one of:";
                for (const char* format : formats) (options.error += ' ') += format;
                return options;
            }
        } else if (option(arguments, i, "--search", options.search)) {
            if (!options.search) {
                options.error = "option '--search' needs a text";
                return options;
            }
        } else {
            options.error = "unknown option '" + argument + "'";
            return options;
        }
    }
    options.addresses.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
    const bool blocks = options.export_format || options.search;
    if (options.export_format && options.search) {
        options.error = "options '--export' and '--search' go alone";
    } else if (blocks && (!options.addresses.empty() || options.scan || options.annotate ||
                          options.fields)) {
        options.error = std::string("option '") + (options.search ? "--search" : "--export") +
                        "' writes block records: no ADDRESS, --scan, --annotate or --fields";
    } else if (options.export_format && options.format_given) {
        options.error = "option '--export' names its format: no --json or --csv";
    } else if (options.scan && options.annotate) {
        options.error = "options '--scan' and '--annotate' go alone";
    } else if ((options.scan || options.annotate) && !options.addresses.empty()) {
        options.error = std::string("option '") + (options.scan ? "--scan" : "--annotate") +
                        "' reads standard input, and takes no ADDRESS";
    } else if (options.annotate && (options.format_given || options.fields)) {
        options.error =
            "option '--annotate' writes text, not records: no --json, --csv or --fields";
    }
    return options;
}

}  // namespace hexalune
