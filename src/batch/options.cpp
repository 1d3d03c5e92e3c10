#include "options.h"

namespace hexalune {

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
        if (argument == "--json") {
            options.format = Format::kJson;
        } else if (argument == "--csv") {
            options.format = Format::kCsv;
        } else if (argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--registry" || argument.rfind("--registry=", 0) == 0) {
            if (argument.size() > 11) {
                options.registry_directory = argument.substr(11);
            } else if (argument.size() == 10 && i + 1 < arguments.size()) {
                options.registry_directory = arguments[++i];
            }
            if (!options.registry_directory || options.registry_directory->empty()) {
                options.error = "option '--registry' needs a directory";
                return options;
            }
        } else {
            options.error = "unknown option '" + argument + "'";
            return options;
        }
    }
    options.addresses.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
    return options;
}

}  // namespace hexalune
