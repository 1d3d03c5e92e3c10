// The peers' files of any blocks and names: read back line by line as the
// peers read them, each holds every prefix it can, once, the user's name
// over a block's, named by the start of the name trimmed and its control
// characters spaces, cut where no UTF-8 sequence goes on; the prefixes it
// cannot hold are each named on a line of messages. Input: records of a
// byte of kind and bits, six of address, the lengths of a name and of a
// short name, then their bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "check.h"
#include "peer_files.h"

namespace {

using hexalune::PeerFormat;
using Key = std::pair<std::uint64_t, unsigned>;  // first address, bits

std::string cleaned(std::string text) {
    for (char& c : text) c = static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? ' ' : c;
    text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The prefix a line's first field gives.
Key prefix(const std::string& field, PeerFormat format) {
    std::string digits;
    for (char c : field.substr(0, field.find('/'))) digits += c == ':' ? "" : std::string(1, c);
    const unsigned bits = field.find('/') != field.npos ? std::stoul(field.substr(18))
                          : format == PeerFormat::kManuf && digits.size() == 6 ? 24
                                                                               : 4 * digits.size();
    const std::uint64_t value = std::stoull(digits, nullptr, 16);
    return {value << (48 - 4 * digits.size()), bits};
}

void check(PeerFormat format, const std::string& about, std::vector<hexalune::AddressBlock> blocks,
           std::vector<hexalune::UserName> names) {
    std::map<Key, std::string> expected;
    for (const auto& block : blocks) expected[{block.first, block.bits}] = block.organization;
    for (const auto& name : names) expected[{name.first, name.bits}] = name.name;
    std::string file, messages;
    hexalune::Output output{[&](std::string_view bytes) { return file += bytes, 0; },
                            [&](std::string_view bytes) { return messages += bytes, 0; }};
    FUZZ_CHECK(hexalune::write_peer_file(output, format, blocks, names, about));
    const std::size_t longest = format == PeerFormat::kManuf  ? 1022
                                : format == PeerFormat::kNmap ? 126
                                                              : 253;
    const char separator = format == PeerFormat::kNmap ? ' ' : '\t';
    std::size_t comments = 0, held = 0;
    int last = 0;
    for (std::size_t at = 0, end; at < file.size(); at = end + 1) {
        end = file.find('\n', at);
        FUZZ_CHECK(end != file.npos && end > at && end - at <= longest);
        const std::string line = file.substr(at, end - at);
        if (held == 0 && line[0] == '#') {
            ++comments;
            continue;
        }
        const std::string first = line.substr(0, line.find(separator));
        const Key key = prefix(first, format);
        const std::string rest = line.substr(first.size() + 1);
        const bool manuf = format == PeerFormat::kManuf;
        const std::string name = manuf ? rest.substr(rest.find('\t') + 1) : rest;
        const std::string whole = cleaned(expected.at(key));
        const std::size_t room = manuf ? 63 : longest - first.size() - 1;
        FUZZ_CHECK(!name.empty() && cleaned(name) == name &&
                   whole.compare(0, name.size(), name) == 0);
        FUZZ_CHECK(name.size() == whole.size() ||
                   (whole.size() > room && name.size() <= room &&
                    ((whole[name.size()] & 0xc0) != 0x80 || name.size() + 3 == room)));
        if (manuf) {
            const std::string short_name = rest.substr(0, rest.find('\t'));
            FUZZ_CHECK(line.find('#') == line.npos && !short_name.empty() &&
                       short_name.size() <= 63);
            FUZZ_CHECK(cleaned(short_name) == short_name &&
                       short_name.find(' ') == short_name.npos);
        }
        const int order = format == PeerFormat::kNmap ? int(key.second) : -int(key.second);
        FUZZ_CHECK(format == PeerFormat::kManuf || held == 0 || order >= last);
        last = order;
        expected.erase(key);  // held once
        ++held;
    }
    FUZZ_CHECK(comments == static_cast<std::size_t>(std::count(about.begin(), about.end(), '\n')));
    FUZZ_CHECK(std::count(messages.begin(), messages.end(), '\n') ==
               static_cast<std::ptrdiff_t>(expected.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<hexalune::AddressBlock> blocks;
    std::vector<hexalune::UserName> names;
    std::vector<std::string> texts;
    texts.reserve(size);  // the blocks' views stay put
    const auto at_most = [&](std::size_t at, std::size_t count) {
        return std::string(reinterpret_cast<const char*>(data) + std::min(at, size),
                           std::min(count, size - std::min(at, size)));
    };
    for (std::size_t at = 0; at + 9 <= size;) {
        const bool user = data[at] & 0x80;
        const unsigned bits =
            user ? 1 + data[at] % 48 : 24 + 4 * (data[at] % 3 == 2 ? 3 : data[at] % 3);
        std::uint64_t first = 0;
        for (int i = 1; i <= 6; ++i) first = first << 8 | data[at + i];
        first &= ~std::uint64_t{0} << (48 - bits) & 0xffffffffffff;
        texts.push_back(at_most(at + 9, data[at + 7]));
        texts.push_back(at_most(at + 9 + data[at + 7], data[at + 8]));
        at += 9 + data[at + 7] + data[at + 8];
        if (user) {
            names.push_back({first, bits, texts[texts.size() - 2]});
        } else {
            hexalune::AddressBlock block;
            block.first = first;
            block.bits = bits;
            block.organization = texts[texts.size() - 2];
            block.short_name = texts.back();
            blocks.push_back(block);
        }
    }
    // Distinct and sorted, as registry_blocks and Names::list give them.
    const auto sort = [](auto& items) {
        const auto less = [](const auto& a, const auto& b) {
            return std::make_pair(a.first, a.bits) < std::make_pair(b.first, b.bits);
        };
        std::stable_sort(items.begin(), items.end(), less);
        items.erase(std::unique(items.begin(), items.end(),
                                [&](const auto& a, const auto& b) { return !less(a, b); }),
                    items.end());
    };
    sort(blocks);
    sort(names);
    const std::string about = "about\n" + at_most(0, 300) + "\n";
    for (PeerFormat format : {PeerFormat::kManuf, PeerFormat::kNmap, PeerFormat::kArpScan}) {
        check(format, about, blocks, names);
    }
    return 0;
}
