#ifndef HEXALUNE_BATCH_INPUT_TEXT_H_
#define HEXALUNE_BATCH_INPUT_TEXT_H_

#include <string>
#include <string_view>

namespace hexalune {

/// Standard input as UTF-8 text, read after read. Its byte-order mark tells
/// its encoding: a UTF-8 one (Excel's "CSV UTF-8", Notepad) is skipped, and
/// UTF-16 (Windows PowerShell 5.1's `>`) is converted; without one it is
/// taken for UTF-8. Its lines end in LF, CR LF or a CR alone (classic Mac
/// text, some spreadsheets' exports): each end is given as one LF.
struct InputText {
    enum class Encoding { kUnknown, kUtf8, kUtf16Le, kUtf16Be };
    Encoding encoding = Encoding::kUnknown;  // until enough bytes have come to tell
    std::string held;  // bytes that wait for the next read: a mark's start, part of a character
    std::string text;  // the last text converted
    std::string lines;  // the last text whose line ends were rewritten
    bool after_cr = false;  // the last text ended in a CR: an LF first is its CR LF's
    bool as_read = false;   // line ends and a UTF-8 mark kept as they come
};

/// The text of `bytes`, the next ones read from standard input, each line
/// end an LF (but `as_read`); an empty `bytes` is its end, which gives
/// whatever was held.
/// The view lasts until the next call.
std::string_view input_text(InputText& input, std::string_view bytes);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_INPUT_TEXT_H_
