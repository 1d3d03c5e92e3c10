#include "input_text.h"

#include "platform/utf16.h"

namespace hexalune {

namespace {

using Encoding = InputText::Encoding;

struct Mark {
    std::string_view bytes;
    Encoding encoding;
};
const Mark kMarks[] = {{"\xEF\xBB\xBF", Encoding::kUtf8},
                       {"\xFF\xFE", Encoding::kUtf16Le},
                       {"\xFE\xFF", Encoding::kUtf16Be}};

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The UTF-16 code units of `bytes`, as UTF-8; unless `end`, an odd last
// byte, and a high surrogate whose partner may follow, are held.
std::string from_utf16(std::string_view bytes, bool big_endian, bool end, std::string& held) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
    }
    std::size_t used = 2 * units.size();
    if (!end && !units.empty() && is_high_surrogate(units.back())) {
        units.pop_back();
        used -= 2;
    }
    if (end && used < bytes.size()) units += u'\xFFFD';  // half a code unit
    held.assign(end ? std::string_view() : bytes.substr(used));
    return utf16_to_utf8(units);
}

// `text` with each line end one LF. Why: the pipeline then splits lines at
// LF alone; input without a CR (Unix text) is not copied, and CR LF text
// costs a copy of each read (200,000 lines: 2.5% more instructions, callgrind).
std::string_view one_line_feed(InputText& input, std::string_view text) {
    if (text.empty()) return text;
    if (input.after_cr && text.front() == '\n') text.remove_prefix(1);
    input.after_cr = false;
    std::size_t cr = text.find('\r');
    if (cr == std::string_view::npos) return text;
    input.lines.clear();
    input.lines.reserve(text.size());
    std::size_t at = 0;
    for (; cr != std::string_view::npos; cr = text.find('\r', at)) {
        input.lines.append(text, at, cr - at) += '\n';
        at = cr + 1;
        if (at < text.size() && text[at] == '\n') ++at;
    }
    input.lines.append(text, at);
    input.after_cr = text.back() == '\r';
    return input.lines;
}

// The text of `bytes`, its line ends as they come.
std::string_view decoded(InputText& input, std::string_view bytes) {
    const bool end = bytes.empty();
    if (input.encoding == Encoding::kUnknown) {
        input.held.append(bytes);
        const std::string_view start = input.held;
        std::size_t skip = 0;
        input.encoding = Encoding::kUtf8;
        for (const Mark& mark : kMarks) {
            if (!end && start.size() < mark.bytes.size() &&
                mark.bytes.substr(0, start.size()) == start) {
                input.encoding = Encoding::kUnknown;  // too few bytes yet to tell
                return {};
            }
            if (start.substr(0, mark.bytes.size()) == mark.bytes) {
                input.encoding = mark.encoding;
                skip = input.as_read && mark.encoding == Encoding::kUtf8 ? 0 : mark.bytes.size();
                break;
            }
        }
        input.text = input.held.substr(skip);
        input.held.clear();
        if (input.encoding == Encoding::kUtf8) return input.text;
        const std::string first = std::move(input.text);
        input.text = from_utf16(first, input.encoding == Encoding::kUtf16Be, end, input.held);
        return input.text;
    }
    if (input.encoding == Encoding::kUtf8) return bytes;
    const std::string units = input.held + std::string(bytes);
    input.text = from_utf16(units, input.encoding == Encoding::kUtf16Be, end, input.held);
    return input.text;
}

}  // namespace

std::string_view input_text(InputText& input, std::string_view bytes) {
    const std::string_view text = decoded(input, bytes);
    return input.as_read ? text : one_line_feed(input, text);
}

}  // namespace hexalune
