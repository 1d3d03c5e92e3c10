// The user's names against the reference model: of files split at each
// form feed, the same reports, the same prefixes and names, and for each
// prefix's first and last address, and its OUI alone, the same name.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "check.h"
#include "names.h"
#include "reference/names_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace reference = hexalune_reference;
    const std::string text(reinterpret_cast<const char*>(data), size);
    hexalune::Names names;
    std::ostringstream report;
    std::vector<reference::Name> entries;
    std::string expected_report;
    for (std::size_t at = 0, file = 1; at <= text.size(); ++file) {
        const std::size_t end = std::min(text.find('\f', at), text.size());
        const std::string name = "f" + std::to_string(file);
        names.add_file(std::string_view(text).substr(at, end - at), name, report);
        for (reference::Name& entry :
             reference::names_file(text.substr(at, end - at), name, expected_report)) {
            entries.push_back(std::move(entry));
        }
        at = end + 1;
    }
    FUZZ_CHECK(report.str() == expected_report);

    std::vector<hexalune::UserName> expected_list;
    for (const reference::Name& entry : entries) {
        std::size_t i = 0;
        while (i < expected_list.size() &&
               (expected_list[i].first != entry.first || expected_list[i].bits != entry.bits)) {
            ++i;
        }
        if (i == expected_list.size()) expected_list.emplace_back();
        expected_list[i] = {entry.first, entry.bits, entry.name};
    }
    std::sort(expected_list.begin(), expected_list.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.bits < b.bits;
    });
    const std::vector<hexalune::UserName> list = names.list();
    FUZZ_CHECK(list.size() == expected_list.size());
    for (std::size_t i = 0; i < list.size() && i < expected_list.size(); ++i) {
        FUZZ_CHECK(list[i].first == expected_list[i].first &&
                   list[i].bits == expected_list[i].bits && list[i].name == expected_list[i].name);
    }
    FUZZ_CHECK(names.empty() == entries.empty());

    for (const reference::Name& entry : entries) {
        const std::uint64_t last = entry.first | ((std::uint64_t{1} << (48 - entry.bits)) - 1);
        for (std::uint64_t address : {entry.first, last, last + 1}) {
            address &= 0xFFFFFFFFFFFF;
            hexalune::Bytes mac;
            for (int shift = 40; shift >= 0; shift -= 8) {
                mac.push_back(static_cast<std::uint8_t>(address >> shift));
            }
            const std::string_view got = names.label(mac);
            const auto want = reference::name_of(entries, address, false);
            FUZZ_CHECK(got.data() == nullptr ? !want : want && got == *want);
            mac.resize(3);
            const std::string_view oui = names.label(mac);
            const auto want_oui = reference::name_of(entries, address >> 24 << 24, true);
            FUZZ_CHECK(oui.data() == nullptr ? !want_oui : want_oui && oui == *want_oui);
        }
    }
    return 0;
}
