// The user's names against the reference model, of files split at form feeds: the same bad
// lines and names, and the same label of each prefix's ends, the address after, and their OUIs.

#include <cstddef>
#include <cstdint>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "check.h"
#include "names.h"
#include "reference/names_reference.h"
#include "registry/owner_table_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream files(std::string(reinterpret_cast<const char*>(data), size));
    hexalune::Names names;
    hexalune_reference::Names model;
    for (std::string file; std::getline(files, file, '\f');) {
        std::ostringstream report;
        names.add_file(file, "f", report);
        const auto bad = hexalune_reference::read_names(file, model);
        // Each bad line's "f:LINE:", up to kShownBadLines, then "f:" (how many more).
        std::string expected;
        for (std::size_t i = 0; i < bad.size() && i <= hexalune::kShownBadLines; ++i) {
            expected +=
                "f:" + (i < hexalune::kShownBadLines ? std::to_string(bad[i]) + ":\n" : "\n");
        }
        FUZZ_CHECK(std::regex_replace(report.str(), std::regex(": .*"), ":") == expected);
    }
    std::vector<hexalune_reference::Names::value_type> list;
    for (const hexalune::UserName& n : names.list()) list.push_back({{n.first, n.bits}, n.name});
    FUZZ_CHECK(list == std::vector(model.begin(), model.end()) && names.empty() == model.empty());
    for (const auto& [prefix, name] : model) {
        const std::uint64_t last = prefix.first | ((std::uint64_t{1} << (48 - prefix.second)) - 1);
        for (const std::uint64_t address : {prefix.first, last, (last + 1) & 0xFFFFFFFFFFFF}) {
            hexalune::Bytes mac;
            for (int shift = 40; shift >= 0; shift -= 8) mac.push_back(address >> shift & 0xFF);
            for (const unsigned bits : {48u, 24u}) {
                mac.resize(bits / 8);
                const std::string_view want = hexalune_reference::name_of(model, address, bits);
                FUZZ_CHECK(names.label(mac) == want && !names.label(mac).data() == !want.data());
            }
        }
    }
    return 0;
}
