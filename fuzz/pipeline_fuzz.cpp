// hexalune-batch's conversion of its input, on one thread, against the
// reference records. The first input byte chooses the format (bit 0),
// whether the input ends in a read error (bit 1), and the sizes of the
// reads that give the rest (the other bits: from one byte each to all at
// once, varied by the bytes read). CSV records have some of their columns,
// in an order of their own, which the input's size chooses. Of UTF-16
// input (after its byte-order mark) only the exit facts are checked.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "pipeline.h"
#include "reference/record_reference.h"

namespace {

namespace reference = hexalune_reference;

// The maps of the listings in data/, by the reference reader.
const reference::Maps& maps() {
    static const reference::Maps kMaps = [] {
        reference::Maps maps;
        const char* const files[] = {"oui36.csv", "iab.csv", "mam.csv", "oui.csv"};
        for (std::size_t i = 0; i < maps.size(); ++i) {
            std::ifstream in(std::string(HEXALUNE_DATA_DIR "/") + files[i], std::ios::binary);
            maps[i] = reference::parse({std::istreambuf_iterator<char>(in), {}}).registry;
        }
        return maps;
    }();
    return kMaps;
}

// The rows of CSV text, each a list of its fields as they are written.
std::vector<std::vector<std::string>> raw_rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (const char c : text) {
        quoted = quoted != (c == '"');
        if (!quoted && c == ',') {
            rows.back().emplace_back();
        } else if (!quoted && c == '\n') {
            rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    rows.pop_back();
    return rows;
}

// The rows with the fields `chosen` of each, in that order.
std::string chosen_fields(const std::string& text, const std::vector<std::size_t>& chosen) {
    std::string out;
    for (const std::vector<std::string>& row : raw_rows(text)) {
        for (std::size_t i = 0; i < chosen.size(); ++i) (out += i ? "," : "") += row[chosen[i]];
        out += '\n';
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool csv = (data[0] & 1) != 0, fails = (data[0] & 2) != 0;
    const std::size_t kModuli[] = {1, 2, 3, 7, 16, 64, 1100, std::size_t{1} << 20};
    const std::size_t modulus = kModuli[(data[0] >> 2) & 7], factor = (data[0] >> 5) | 1;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    // Columns a step apart from one on, as many as the size says, the step
    // prime to their count so that none comes twice.
    const std::vector<std::string> names = raw_rows(reference::csv_header()).front();
    std::size_t step = 2;
    while (std::gcd(step, names.size()) != 1) ++step;
    std::vector<std::size_t> chosen;
    std::string list;
    for (std::size_t i = 0; i <= size % names.size(); ++i) {
        chosen.push_back((size + step * i) % names.size());
        (list += i ? "," : "") += names[chosen.back()];
    }
    std::string records, messages;
    hexalune::Pipeline pipeline;
    pipeline.layout = csv ? hexalune::record_layout(hexalune::Format::kCsv, list)
                          : hexalune::record_layout(hexalune::Format::kJson);
    pipeline.table = &hexalune::embedded_owner_table();
    pipeline.records = [&](std::string_view bytes) { return records.append(bytes), 0; };
    pipeline.messages = [&](std::string_view bytes) { return messages.append(bytes), 0; };
    pipeline.threads = false;
    std::size_t at = 0, reads = 0;
    const hexalune::Outcome outcome =
        hexalune::convert_input(pipeline, [&](char* buffer, std::size_t room, std::string& error) {
            if (at == input.size()) {
                if (fails) error = "gone";
                return std::size_t{0};
            }
            const std::size_t want =
                1 + (static_cast<unsigned char>(input[at]) * factor + reads++) % modulus;
            const std::size_t got = input.copy(buffer, std::min(want, room), at);
            at += got;
            return got;
        });

    FUZZ_CHECK(outcome.invalid == !messages.empty());
    FUZZ_CHECK(outcome.output_error == 0 && !outcome.messages_lost);
    FUZZ_CHECK(outcome.read_error == (fails ? "gone" : ""));
    if (input.substr(0, 2) == "\xFF\xFE" || input.substr(0, 2) == "\xFE\xFF") return 0;

    // Lines end at LF, CR LF, a CR alone or the end, are cut off after 1024
    // bytes and trimmed; blank ones are skipped.
    std::string expected = csv ? reference::csv_header() : "", warnings;
    const std::string text(input.substr(input.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0)),
        kSpace = " \t\n\v\f\r";
    std::size_t number = 0;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find_first_of("\r\n", start), text.size());
        std::string line = text.substr(start, end - start);
        ++number;
        if (text.compare(end, 2, "\r\n") == 0) ++end;
        const bool cut = line.size() > 1024;
        line.resize(std::min<std::size_t>(line.size(), 1024));
        line.erase(line.find_last_not_of(kSpace) + 1);
        line.erase(0, line.find_first_not_of(kSpace));
        if (line.empty() && !cut) continue;
        expected += reference::record(line, cut, maps(), !csv, number);
        const std::optional<reference::Bytes> id =
            cut ? std::nullopt : reference::parse_identifier(line);
        const bool no_mac = id && id->size() == 16 && ((*id)[11] != 0xff || (*id)[12] != 0xfe);
        if (id && !no_mac) continue;
        warnings +=
            "hexalune-batch: line " + std::to_string(number) + ": " +
            (no_mac ? "IPv6 interface identifier holds no MAC address" : "invalid MAC address") +
            (cut ? " (longer than 1024 bytes, cut off)\n" : "\n");
    }
    FUZZ_CHECK(records == (csv ? chosen_fields(expected, chosen) : expected));
    FUZZ_CHECK(messages == warnings);
    return 0;
}
