// config_home for Windows: %APPDATA%, from the UTF-16 environment, not
// through the ANSI code page.

#include <windows.h>

#include "platform/config_home.h"
#include "platform/utf16.h"

namespace hexalune {

std::string config_home() {
    const DWORD size = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (size <= 1) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", value.data(), size);
    if (length == 0 || length >= size) return {};
    return utf16_to_utf8(std::u16string(value.begin(), value.begin() + length));
}

}  // namespace hexalune
