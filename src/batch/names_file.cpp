#include "names_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "platform/config_home.h"

namespace hexalune {

namespace fs = std::filesystem;

namespace {

// The bytes of the file at `path`. A device or a FIFO (an endless
// /dev/zero) is refused before it is opened.
std::string read_names(const fs::path& path) {
    const auto fail = [&](const std::string& reason) {
        return std::runtime_error(path.u8string() + ": " + reason);
    };
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) throw fail("is a directory");
    if (fs::exists(status) && !fs::is_regular_file(status)) throw fail("not a regular file");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw fail(errno != 0 ? std::strerror(errno) : "cannot be opened");
    std::string text;
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error) text.reserve(static_cast<std::size_t>(size));
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) throw fail("cannot be read");
    return text;
}

void add(Names& names, const fs::path& path, std::ostream& report) {
    names.add_file(read_names(path), path.u8string(), report);
}

}  // namespace

Names load_names(const std::vector<std::string>& files, std::ostream& report) {
    Names names;
    const std::string home = config_home();
    if (!home.empty()) {
        const fs::path path = fs::u8path(home) / "hexalune" / "names";
        std::error_code error;
        if (fs::symlink_status(path, error).type() != fs::file_type::not_found) {
            add(names, path, report);
        }
    }
    for (const std::string& file : files) add(names, fs::u8path(file), report);
    return names;
}

}  // namespace hexalune
