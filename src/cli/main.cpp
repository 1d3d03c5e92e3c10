// hexalune: prints one MAC address in every notation a network engineer
// needs and looks its OUI up in the IEEE registry carried in the executable.

#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "address_report.h"
#include "listings.h"
#include "notation/parse.h"
#include "platform/command_line.h"
#include "platform/huge_page_heap.h"
#include "prompt_input.h"
#include "registry/csv_line_reader.h"
#include "registry/lookup.h"
#include "registry/resource.h"
#include "token_limit.h"
#include "version.h"

namespace {

const int kExitInvalidAddress = 1;
const int kExitFailure = 2;

// No valid address is longer than 17 characters; a token read at the
// prompt is cut off well past that.
const std::size_t kTokenLimit = HEXALUNE_TOKEN_LIMIT;

int run(int argc, char* argv[]) {
    std::cout << "Hexalune " HEXALUNE_VERSION " - MAC address converter, OUI lookup" << std::endl;
    std::cout << std::string(52, '=') << std::endl;

    std::string text;
    const std::vector<std::string> arguments = hexalune::program_arguments(argc, argv);
    if (!arguments.empty()) {
        text = arguments.front();
    } else {
        std::cout << "Enter a MAC address (format: 00:80:10:A4:00:0C): " << std::flush;
        text = hexalune::read_prompt_token(kTokenLimit);
    }

    try {
        if (!hexalune::is_valid_mac(text)) {
            std::cerr << "Error: Invalid MAC address format. Please enter a MAC address in the "
                         "format 00:80:10:A4:00:0C."
                      << std::endl;
            return kExitInvalidAddress;
        }
        const hexalune::Bytes mac = hexalune::parse_mac(text);
        hexalune::write_address_report(std::cout, mac);

        // The listing's copy and the map are nearly all the memory a run
        // takes; the heap is made ready for them first.
        const std::unique_ptr<char[]> heap =
            hexalune::prepare_heap(hexalune::parse_oui_database_heap(HEXALUNE_MA_L_BYTES));
        const std::string listing = hexalune::load_resource_data();
        const hexalune::RegistryMap registry = hexalune::parse_oui_database(listing);
        // The lookup works on the text as given, not on the parsed bytes.
        hexalune::write_oui_section(std::cout, std::cerr,
                                    hexalune::lookup_oui_info(text, registry));
        return 0;
    } catch (const std::bad_alloc&) {
        // Its what() ("std::bad_alloc") would tell a user nothing.
        std::cerr << "Error: out of memory" << std::endl;
        return kExitFailure;
    } catch (const std::exception& e) {
        std::cerr << "Error: " << e.what() << std::endl;
        return kExitFailure;
    } catch (...) {
        // Nothing here throws anything else; should it, fail the same way
        // rather than abort.
        std::cerr << "Error: unexpected failure" << std::endl;
        return kExitFailure;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const int status = run(argc, argv);
    // A report that could not be written is a failure, whatever came before.
    if (!std::cout.flush()) {
        std::cerr << "Error: cannot write to standard output" << std::endl;
        return kExitFailure;
    }
    // So is a message lost on standard error (the not-found line, above
    // all); there is nowhere left to say so.
    if (!std::cerr.flush()) return kExitFailure;
    return status;
}
