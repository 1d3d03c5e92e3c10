// program_arguments for Windows: from the UTF-16 command line, not from the
// narrow arguments that the ANSI code page has already mapped.

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include "platform/command_line.h"
#include "platform/utf16.h"

namespace hexalune {

std::vector<std::string> program_arguments(int argc, char* /*argv*/[]) {
    int count = 0;
    wchar_t** const arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        // Out of memory: an argument that was given must still not pass
        // as an address.
        const std::size_t given = argc > 1 ? static_cast<std::size_t>(argc - 1) : 0;
        return std::vector<std::string>(given, utf16_to_utf8(u"\xFFFD"));
    }
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i) {
        std::u16string text;
        for (const wchar_t* p = arguments[i]; *p != L'\0'; ++p) text += static_cast<char16_t>(*p);
        result.push_back(utf16_to_utf8(text));
    }
    LocalFree(arguments);
    return result;
}

}  // namespace hexalune
