// first_argument for Windows: from the UTF-16 command line, not from the
// narrow arguments that the ANSI code page has already mapped.

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include "arguments.h"
#include "platform/utf16.h"

namespace hexalune {

std::optional<std::string> first_argument(int argc, const char* const /*argv*/[]) {
    int count = 0;
    wchar_t** const arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        // Out of memory: an argument that was given must still not pass
        // as an address.
        if (argc < 2) return std::nullopt;
        return utf16_to_utf8(u"\xFFFD");
    }
    std::optional<std::string> first;
    if (count >= 2) {
        const wchar_t* const wide = arguments[1];
        std::u16string text;
        for (const wchar_t* p = wide; *p != L'\0'; ++p) text += static_cast<char16_t>(*p);
        first = utf16_to_utf8(text);
    }
    LocalFree(arguments);
    return first;
}

}  // namespace hexalune
