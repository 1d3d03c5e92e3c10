#ifndef HEXALUNE_BATCH_PIPELINE_H_
#define HEXALUNE_BATCH_PIPELINE_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "names.h"
#include "output.h"
#include "record.h"
#include "registry/registries.h"

namespace hexalune {

/// Gives the next bytes of input into `buffer`, at most `size`, as soon as
/// there are any; 0 at the end of input, and when it cannot be read (then
/// with the reason in `error`).
using Reader = std::function<std::size_t(char* buffer, std::size_t size, std::string& error)>;

/// A conversion: what its records are, and where they and the messages on
/// lines that are no address go.
struct Pipeline {
    std::shared_ptr<const RecordLayout> layout = record_layout(Format::kJson);
    const OwnerTable* table = nullptr;
    Writer records;
    Writer messages;
    // Large blocks of input are converted on two threads; off, or where no
    // thread can be had, on one.
    bool threads = true;
    // The user's names for the records' labels and the annotations; null
    // for none.
    const Names* names = nullptr;
};

/// How a conversion went.
struct Outcome {
    bool invalid = false;      // a line or argument was no address
    int output_error = 0;      // why the records could not be written (errno); 0 if they were
    bool messages_lost = false;
    std::string read_error;    // why the input could not be read to its end; empty if it was
    bool found = false;        // scanning: an address was found
};

/// A line is cut off after this many bytes (its end aside): no address is
/// that long, and an endless line cannot exhaust memory.
constexpr std::size_t kLineLimit = 1024;

/// Reads text (input_text.h) from `read` to its end and writes a record for
/// each of its lines that is not blank, in order: the CSV header first. What
/// has been converted is written before each read. It stops early only
/// when the records cannot be written.
Outcome convert_input(const Pipeline& pipeline, const Reader& read);

/// Reads any text (input_text.h) from `read` to its end and writes a
/// record for each address found in it (scan.h), in order, the CSV header
/// first. What has been converted is written before each read.
Outcome scan_input(const Pipeline& pipeline, const Reader& read);

/// Reads any text from `read` to its end and writes it back byte for byte,
/// its line ends and a UTF-8 mark as they came, with " [NAME]" after each
/// address found: its label, its well-known use's name, its block's
/// organisation, "randomized", "locally administered", "multicast" or
/// "unassigned", the first that applies, control characters as '?'. What has been read is
/// written before each read, but for the few bytes after a possible address.
Outcome annotate_input(const Pipeline& pipeline, const Reader& read);

/// As convert_input, one record for each of `arguments`, blank ones too.
Outcome convert_arguments(const Pipeline& pipeline, const std::vector<std::string>& arguments);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_PIPELINE_H_
