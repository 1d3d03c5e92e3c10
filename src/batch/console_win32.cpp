// Standard input on Windows: a console is read as UTF-16; pipes and files
// are read as bytes.

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "console.h"
#include "platform/utf16.h"

namespace hexalune {

namespace {

// The system's words for error `code`, without the line break and full
// stop that end them.
std::string system_message(DWORD code) {
    char text[512];
    DWORD size =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                       MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    while (size > 0 &&
           (text[size - 1] == '\n' || text[size - 1] == '\r' || text[size - 1] == '.')) {
        --size;
    }
    return size > 0 ? std::string(text, size) : "error " + std::to_string(code);
}

}  // namespace

std::size_t read_input(char* buffer, std::size_t size, std::string& error) {
    static std::string pending;  // console text converted but not yet handed out
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == nullptr || input == INVALID_HANDLE_VALUE) {
        error = system_message(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (GetConsoleMode(input, &mode) == 0) {
        DWORD got = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
        if (ReadFile(input, buffer, wanted, &got, nullptr) == 0) {
            // A pipe whose writer has gone has simply ended.
            const DWORD code = GetLastError();
            if (code != ERROR_BROKEN_PIPE && code != ERROR_HANDLE_EOF) error = system_message(code);
            return 0;
        }
        return got;
    }
    while (pending.empty()) {
        wchar_t chunk[4096];
        DWORD got = 0;
        if (ReadConsoleW(input, chunk, 4096, &got, nullptr) == 0) {
            error = system_message(GetLastError());
            return 0;
        }
        if (got == 0) return 0;
        std::u16string text;
        for (DWORD i = 0; i < got; ++i) {
            if (chunk[i] == 0x1A) break;  // Ctrl+Z ends console input
            text += static_cast<char16_t>(chunk[i]);
        }
        if (text.empty()) return 0;
        pending = utf16_to_utf8(text);
    }
    const std::size_t n = std::min(size, pending.size());
    std::memcpy(buffer, pending.data(), n);
    pending.erase(0, n);
    return n;
}

}  // namespace hexalune
