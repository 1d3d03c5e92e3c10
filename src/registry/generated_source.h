#ifndef HEXALUNE_REGISTRY_GENERATED_SOURCE_H_
#define HEXALUNE_REGISTRY_GENERATED_SOURCE_H_

// What the build tools listing_to_source and owner_table_source share: the
// bytes they embed as rows of string literals, and the writing of the
// C++ source that holds them.

#include <cstddef>
#include <string>
#include <string_view>

namespace hexalune {

/// How the rows of string_rows make up a char array.
enum class RowLayout {
    kJoined,      // adjacent literals, which the compiler joins into one array
    kTerminated,  // the elements of a char[][row] array: the last byte of each
                  // full row, which must be zero, is its literal's null
};

/// `bytes` as string literals of `row` bytes each (the last may be shorter),
/// one a line, at least one; every byte outside printable ASCII is a
/// three-digit octal escape, so that a compiler reads the rows quickly and
/// no escape runs into the next byte. Throws std::invalid_argument for a
/// kTerminated row whose last byte is not zero.
std::string string_rows(std::string_view bytes, std::size_t row, RowLayout layout);

/// Writes `source` to the file `path` and returns 0; a file it cannot write
/// is reported as `tool`'s, removed, and 1 returned (the tool's exit status).
int write_generated_source(const char* tool, const char* path, const std::string& source);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_GENERATED_SOURCE_H_
