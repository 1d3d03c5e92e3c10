// The peers' files of any blocks and names, read back as the peers read them: every prefix the
// reader takes held once, in its order, named by the start of its name (the user's over a
// block's) cleaned, cut where no UTF-8 sequence goes on; each one left out named in a message.
// Input: records of a byte of kind and bits, six of address, two lengths, a name, a short name.

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "check.h"
#include "peer_files.h"

namespace {

using hexalune::PeerFormat;
using Key = std::pair<std::uint64_t, unsigned>;  // first address, bits

// Each format as its reader takes it.
const struct Format {
    PeerFormat format;
    std::size_t longest;  // line, LF not counted
    int order;            // of the bits: ascending 1, descending -1, any 0
    bool (*reads)(unsigned bits);
} kFormats[] = {
    {PeerFormat::kManuf, 1022, 0, [](unsigned) { return true; }},
    {PeerFormat::kNmap, 126, 1, [](unsigned b) { return b == 24 || b == 28 || b == 36; }},
    {PeerFormat::kArpScan, 253, -1, [](unsigned b) { return b % 4 == 0 && b >= 8; }},
};

std::string cleaned(std::string text) {
    for (char& c : text) c = static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? ' ' : c;
    text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    return text.erase(text.find_last_not_of(' ') + 1);
}

void check(const Format& f, const std::vector<hexalune::AddressBlock>& blocks,
           const std::vector<hexalune::UserName>& names, const std::string& about) {
    std::map<Key, std::string> expected;  // each prefix's name, cleaned
    for (const auto& b : blocks) expected[{b.first, b.bits}] = cleaned(std::string(b.organization));
    for (const auto& n : names) expected[{n.first, n.bits}] = cleaned(n.name);
    const bool manuf = f.format == PeerFormat::kManuf;
    std::string file, messages;
    hexalune::Output output{[&](std::string_view bytes) { return file += bytes, 0; },
                            [&](std::string_view bytes) { return messages += bytes, 0; }};
    FUZZ_CHECK(hexalune::write_peer_file(output, f.format, blocks, names, about) &&
               (file.empty() || file.back() == '\n'));
    std::istringstream lines(file);
    std::vector<int> held;  // each line's bits, times the order
    auto comments = std::count(about.begin(), about.end(), '\n');  // the '#' lines first
    for (std::string line; std::getline(lines, line);) {
        FUZZ_CHECK(line.size() <= f.longest);
        if (held.empty() && line[0] == '#' && comments--) continue;
        std::string prefix = line.substr(0, line.find(f.format == PeerFormat::kNmap ? ' ' : '\t'));
        const std::string rest = line.substr(prefix.size() + 1);
        prefix.erase(std::remove(prefix.begin(), prefix.end(), ':'), prefix.end());
        std::size_t end = 0;  // of the digits
        const std::uint64_t digits = std::stoull(prefix, &end, 16);
        const std::uint64_t first = digits << (48 - 4 * end);  // once `end` is known
        const unsigned bits = end < prefix.size() ? std::stoul(prefix.substr(end + 1)) : 4 * end;
        const std::string name = manuf ? rest.substr(rest.find('\t') + 1) : rest;
        const std::string short_name = rest.substr(0, rest.find('\t'));
        const std::string& whole = expected.at({first, bits});  // throws for a prefix held twice
        const std::size_t room = manuf ? 63 : f.longest - (line.size() - rest.size());
        FUZZ_CHECK(f.reads(bits) && !name.empty() && cleaned(name) == name &&
                   whole.compare(0, name.size(), name) == 0);
        FUZZ_CHECK(name.size() == whole.size() ||
                   (whole.size() > room && name.size() <= room &&
                    ((whole[name.size()] & 0xc0) != 0x80 || name.size() + 3 == room)));
        FUZZ_CHECK(!manuf ||
                   (std::count(line.begin(), line.end(), '\t') == 2 &&
                    line.find('#') == line.npos && !short_name.empty() && short_name.size() <= 63 &&
                    cleaned(short_name) == short_name && short_name.find(' ') == short_name.npos));
        held.push_back(f.order * int(bits));
        expected.erase({first, bits});
    }
    FUZZ_CHECK(std::is_sorted(held.begin(), held.end()) && comments == 0 &&
               std::size_t(std::count(messages.begin(), messages.end(), '\n')) == expected.size());
    for (const auto& [key, name] : expected)
        FUZZ_CHECK(manuf || !f.reads(key.second) || name.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Distinct and sorted, as registry_blocks and Names::list give them.
    std::map<Key, hexalune::AddressBlock> blocks;
    std::map<Key, hexalune::UserName> names;
    for (std::size_t at = 0; at + 9 <= size; at += 9 + data[at + 7] + data[at + 8]) {
        const bool user = data[at] & 0x80;
        const unsigned bits =
            user ? 1 + data[at] % 48 : 24 + 4 * (data[at] % 3 == 2 ? 3 : data[at] % 3);
        std::uint64_t first = 0;
        for (int i = 1; i <= 6; ++i) first = first << 8 | data[at + i];
        first &= ~std::uint64_t{0} << (48 - bits) & 0xffffffffffff;
        const std::string_view name = input.substr(at + 9, data[at + 7]);
        const std::string_view short_name = input.substr(at + 9 + name.size(), data[at + 8]);
        if (user) names.insert({{first, bits}, {first, bits, std::string(name)}});
        if (!user) blocks.insert({{first, bits}, {{}, bits, first, 0, name, {}, short_name}});
    }
    std::vector<hexalune::AddressBlock> block_list;
    std::vector<hexalune::UserName> name_list;
    for (const auto& block : blocks) block_list.push_back(block.second);
    for (const auto& name : names) name_list.push_back(name.second);
    const std::string about = "about\n" + std::string(input.substr(0, 300)) + "\n";
    for (const Format& format : kFormats) check(format, block_list, name_list, about);
    return 0;
}
