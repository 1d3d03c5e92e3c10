// Standard input on Windows: a console is read as UTF-16; pipes and files
// are read as bytes.

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/standard_input.h"
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

bool input_is_console() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    return input != nullptr && input != INVALID_HANDLE_VALUE && GetConsoleMode(input, &mode) != 0;
}

std::u16string read_console(std::size_t most, std::string& error) {
    wchar_t chunk[4096];
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(most, sizeof chunk / sizeof chunk[0]));
    if (ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), chunk, wanted, &got, nullptr) == 0) {
        error = system_message(GetLastError());
        return {};
    }
    return std::u16string(chunk, chunk + got);
}

std::size_t read_input(char* buffer, std::size_t size, std::string& error) {
    static std::string pending;  // console text converted but not yet handed out
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) {
        error = system_message(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!input_is_console()) {
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
        const std::u16string chunk = read_console(4096, error);
        const std::u16string text = chunk.substr(0, chunk.find(kConsoleEnd));  // Ctrl+Z ends input
        if (text.empty()) return 0;
        pending = utf16_to_utf8(text);
    }
    const std::size_t n = std::min(size, pending.size());
    std::memcpy(buffer, pending.data(), n);
    pending.erase(0, n);
    return n;
}

}  // namespace hexalune
