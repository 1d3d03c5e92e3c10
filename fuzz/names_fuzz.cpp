// The user's names against the reference model: of files split at each
// form feed, the same bad lines, the same prefixes and names, and for each
// prefix's first and last address, and its OUI alone, the same name.

#include <algorithm>
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
    static const std::regex kReason(": .*");
    const std::string text(reinterpret_cast<const char*>(data), size);
    hexalune::Names names;
    hexalune_reference::Names model;
    for (std::size_t at = 0, file = 1; at <= text.size(); ++file) {
        const std::size_t end = std::min(text.find('\f', at), text.size());
        const std::string name = "f" + std::to_string(file);
        std::ostringstream report;
        names.add_file(std::string_view(text).substr(at, end - at), name, report);
        const auto bad = hexalune_reference::read_names(text.substr(at, end - at), model);
        at = end + 1;
        // Each bad line's "FILE:LINE:", up to kShownBadLines, then "FILE:" (how many more).
        std::string expected;
        for (std::size_t i = 0; i < bad.size() && i <= hexalune::kShownBadLines; ++i) {
            expected +=
                name + ':' + (i < hexalune::kShownBadLines ? std::to_string(bad[i]) + ":\n" : "\n");
        }
        FUZZ_CHECK(std::regex_replace(report.str(), kReason, ":") == expected);
    }
    const std::vector<hexalune::UserName> list = names.list();
    FUZZ_CHECK(list.size() == model.size() && names.empty() == model.empty());
    auto want = model.begin();
    for (std::size_t i = 0; i < list.size() && want != model.end(); ++i, ++want) {
        FUZZ_CHECK(std::make_pair(list[i].first, list[i].bits) == want->first &&
                   list[i].name == want->second);
    }
    for (const auto& [prefix, name] : model) {
        const std::uint64_t last = prefix.first | ((std::uint64_t{1} << (48 - prefix.second)) - 1);
        for (const std::uint64_t address : {prefix.first, last, (last + 1) & 0xFFFFFFFFFFFF}) {
            for (const unsigned bits : {48u, 24u}) {
                hexalune::Bytes mac;
                for (unsigned i = 0; i < bits / 8; ++i) {
                    mac.push_back(static_cast<std::uint8_t>(address >> (40 - 8 * i)));
                }
                const std::string_view got = names.label(mac);
                const std::string* expected = hexalune_reference::name_of(model, address, bits);
                FUZZ_CHECK(got.data() == nullptr ? !expected : expected && got == *expected);
            }
        }
    }
    return 0;
}
