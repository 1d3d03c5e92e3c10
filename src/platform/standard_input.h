#ifndef HEXALUNE_PLATFORM_STANDARD_INPUT_H_
#define HEXALUNE_PLATFORM_STANDARD_INPUT_H_

#include <cstddef>
#include <string>

namespace hexalune {

/// Reads the next bytes of standard input into `buffer`, at most `size`,
/// as soon as there are any: never waits to fill the buffer. 0 at the end
/// of input, and when it cannot be read (a directory, a closed standard
/// input, an I/O error): then `error` holds the system's reason. A Windows
/// console is read as UTF-16 and given as UTF-8.
std::size_t read_input(char* buffer, std::size_t size, std::string& error);

/// The next byte of standard input, or -1 at its end or when it cannot be
/// read. One byte a read: whatever follows stays for the next reader.
inline int read_input_byte() {
    char byte = 0;
    std::string error;
    return read_input(&byte, 1, error) == 1 ? static_cast<unsigned char>(byte) : -1;
}

#ifdef _WIN32
/// Ctrl+Z, which ends console input.
inline constexpr char16_t kConsoleEnd = 0x1A;

/// Whether standard input is a console, which read_console reads.
bool input_is_console();

/// The next text typed at the console that is standard input, as UTF-16:
/// at most `most` units (4096 at most), as soon as there are any. A Ctrl+Z
/// (kConsoleEnd) stays in it, for the caller to end input at. Empty at the
/// end of input, and when it cannot be read: then `error` holds the
/// system's reason.
std::u16string read_console(std::size_t most, std::string& error);
#endif

}  // namespace hexalune

#endif  // HEXALUNE_PLATFORM_STANDARD_INPUT_H_
