#include "registry_data.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <streambuf>
#include <system_error>

namespace hexalune {

namespace fs = std::filesystem;

namespace {

std::size_t number(Registry registry) { return static_cast<std::size_t>(registry); }

// The listings in the order they are read, and named in --version.
const Registry kListingOrder[] = {Registry::kMaL, Registry::kMaM, Registry::kMaS, Registry::kIab};

// Bad lines reported beyond these are only counted.
const std::size_t kShownBadLines = 10;

// Passes the reader's reports on to `out`, each line after `prefix`; of a
// flood of bad lines (some other file called oui.csv) only the first few.
class Reports : public std::streambuf {
public:
    Reports(std::ostream& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}
    std::size_t lines() const { return lines_; }

protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        if (line_start_) ++lines_;
        if (lines_ <= kShownBadLines) {
            if (line_start_) out_ << prefix_;
            out_.put(static_cast<char>(c));
        }
        line_start_ = c == '\n';
        return c;
    }

private:
    std::ostream& out_;
    std::string prefix_;
    std::size_t lines_ = 0;
    bool line_start_ = true;
};

[[noreturn]] void fail(const fs::path& path, const std::string& reason) {
    throw std::runtime_error(path.u8string() + ": " + reason);
}

// Reads the records of `registry`'s listing at `path`, which view
// `listing`, reporting bad lines after its name.
ListingRecords parse(Registry registry, const std::string& listing, const fs::path& path,
                     std::ostream& report) {
    const std::string name = path.u8string();
    Reports reports(report, name + ": ");
    std::ostream stream(&reports);
    ListingRecords records;
    try {
        records = read_listing_records(registry, listing, stream);
    } catch (const std::runtime_error& e) {
        fail(path, e.what());
    }
    if (reports.lines() > kShownBadLines) {
        const std::size_t more = reports.lines() - kShownBadLines;
        report << name << ": " << more << " more bad " << (more == 1 ? "line" : "lines")
               << " not shown\n";
    }
    return records;
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
    for (Registry registry : kListingOrder) {
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
    {
        std::string texts[4];
        ListingRecords read[4];
        Listings listings;
        for (Registry registry : kListingOrder) {
            const std::size_t at = number(registry);
            const fs::path path = root / listing_file_name(registry);
            texts[at] = read_listing(path);
            read[at] = parse(registry, texts[at], path, report);
            listings[at] = std::move(read[at].records);
            data.dates[at] = modification_date(path);
        }
        data.table = build_owner_table(listings);
    }
    return data;
}

}  // namespace hexalune
