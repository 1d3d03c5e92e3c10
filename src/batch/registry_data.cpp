#include "registry_data.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "registry/owner_table_reader.h"

namespace hexalune {

namespace fs = std::filesystem;

namespace {

std::size_t number(Registry registry) { return static_cast<std::size_t>(registry); }

[[noreturn]] void fail(const fs::path& path, const std::string& reason) {
    throw std::runtime_error(path.u8string() + ": " + reason);
}

// The listing in the file at `path`. It is looked at before it is read
// whole: a device or a FIFO (an endless /dev/zero) is refused before it is
// opened, and a file without the listings' header after its first bytes.
std::string read_listing(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) fail(path, "is a directory");
    if (fs::exists(status) && !fs::is_regular_file(status)) fail(path, "not a regular file");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path, errno != 0 ? std::strerror(errno) : "cannot be opened");
    char chunk[1 << 16];
    const auto read = [&](std::size_t size) {
        return in.read(chunk, static_cast<std::streamsize>(size)) || in.gcount() > 0;
    };
    std::string text;
    if (read(4096)) text.assign(chunk, static_cast<std::size_t>(in.gcount()));
    if (!in.bad()) {
        try {
            check_listing_header(text);
        } catch (const std::runtime_error& e) {
            fail(path, e.what());
        }
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error) text.reserve(static_cast<std::size_t>(size));
    while (read(sizeof chunk)) text.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) fail(path, "cannot be read");
    return text;
}

// The day a file was last modified, YYYY-MM-DD in UTC.
std::string modification_date(const fs::path& path) {
    std::error_code error;
    const fs::file_time_type modified = fs::last_write_time(path, error);
    if (error) return "unknown";
    // The file clock's epoch is unspecified: go through the present.
    const auto system = std::chrono::system_clock::now() +
                        std::chrono::duration_cast<std::chrono::system_clock::duration>(
                            modified - fs::file_time_type::clock::now());
    const std::time_t time = std::chrono::system_clock::to_time_t(system);
    char date[16] = "unknown";
    if (const std::tm* utc = std::gmtime(&time)) std::strftime(date, sizeof date, "%Y-%m-%d", utc);
    return date;
}

}  // namespace

RegistryData load_embedded_registries(const std::string& date) {
    RegistryData data;
    data.table = embedded_owner_table();
    data.dates.fill(date);
    return data;
}

std::uintmax_t listing_bytes_in(const std::string& directory) {
    std::uintmax_t bytes = 0;
    for (Registry registry : kRegistries) {
        std::error_code error;
        const std::uintmax_t size =
            fs::file_size(fs::u8path(directory) / listing_file_name(registry), error);
        if (!error) bytes += size;
    }
    return bytes;
}

RegistryData load_registry_directory(const std::string& directory, std::ostream& report) {
    const fs::path root = fs::u8path(directory);
    std::error_code error;
    if (!fs::is_directory(root, error)) fail(root, error ? error.message() : "not a directory");
    RegistryData data;
    data.directory = directory;
    data.table = read_owner_table(
        [&](Registry registry) {
            const fs::path path = root / listing_file_name(registry);
            data.dates[number(registry)] = modification_date(path);
            return NamedListing{path.u8string(), read_listing(path)};
        },
        report);
    return data;
}

}  // namespace hexalune
