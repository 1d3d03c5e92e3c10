#include "block_search.h"

#include <algorithm>
#include <iterator>

namespace hexalune {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool holds(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

}  // namespace

AddressBlock name_block(const UserName& name) {
    AddressBlock block;
    block.registry = "names";
    for (unsigned digit = 0; digit < (name.bits + 3) / 4; ++digit) {
        block.assignment += "0123456789ABCDEF"[(name.first >> (44 - 4 * digit)) & 0xF];
    }
    block.bits = name.bits;
    block.first = name.first;
    block.last = name.first | ((std::uint64_t{1} << (48 - name.bits)) - 1);
    block.organization = name.name;
    block.short_name = name.name;
    return block;
}

std::vector<AddressBlock> search_blocks(const std::vector<AddressBlock>& blocks,
                                        const std::vector<UserName>& names, std::string_view text) {
    std::vector<AddressBlock> found, named;
    for (const AddressBlock& block : blocks) {
        if (holds(block.organization, text) || holds(block.short_name, text)) {
            found.push_back(block);
        }
    }
    for (const UserName& name : names) {
        if (holds(name.name, text)) named.push_back(name_block(name));
    }
    if (named.empty()) return found;
    std::vector<AddressBlock> merged;
    merged.reserve(found.size() + named.size());
    std::merge(found.begin(), found.end(), named.begin(), named.end(), std::back_inserter(merged),
               comes_before);
    return merged;
}

}  // namespace hexalune
