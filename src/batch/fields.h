#ifndef HEXALUNE_BATCH_FIELDS_H_
#define HEXALUNE_BATCH_FIELDS_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "names.h"
#include "notation/bytes.h"
#include "notation/parse.h"
#include "notation/well_known.h"
#include "registry/owner_table_fast.h"
#include "registry/registries.h"

namespace hexalune {

/// The reason an error record gives for text that names no address.
constexpr char kInvalidMac[] = "invalid MAC address";

/// What a record is written from: an input line or argument, and what it
/// names.
struct RecordSource {
    std::string_view input;
    /// What the input is, and its bytes: an EUI-48's six, an EUI-64's
    /// eight, an OUI's three; for an IPv6 address, the six of the EUI-48
    /// its interface identifier holds. Null: the input names no address,
    /// and the record is an error record.
    InputType type = InputType::kEui48;
    const Bytes* address = nullptr;
    /// An error record's reason; null for kInvalidMac.
    const char* error = nullptr;
    /// The input line it came from, from 1; 0 for an argument.
    std::size_t line = 0;
    /// What the registries say of the address's leading bits; of an OUI
    /// alone, its MA-L record as the block too. Its records' assignees,
    /// where it has them.
    Owner owner;
    FlaggedAssignee oui;
    FlaggedAssignee block;
    /// The user's name for the address (Names::label); data() null for none.
    Label label;
};

/// What kind of address it is, from its bytes and what the tables say.
struct Kind {
    std::size_t cast = 0;  // unicast, multicast, broadcast
    std::size_t slap = 0;  // 0 for a universal address, else 1 + its IEEE 802c quadrant
    const WellKnownEntry* well_known = nullptr;
    bool randomized = false;
};

/// The kinds of an address of no well-known use, numbered with its input's
/// type from 0 to kKindKeys - 1.
constexpr std::size_t kKindKeys = 4 * 3 * 5 * 2;
std::size_t kind_key(InputType type, const Kind& kind);

/// Calls `visit(type, kind)` for each type and kind of no well-known use.
template <typename Visit>
void for_each_kind(Visit visit) {
    for (InputType type :
         {InputType::kEui48, InputType::kEui64, InputType::kIpv6, InputType::kOui}) {
        for (std::size_t cast = 0; cast < 3; ++cast) {
            for (std::size_t slap = 0; slap < 5; ++slap) {
                for (bool randomized : {false, true})
                    visit(type, Kind{cast, slap, nullptr, randomized});
            }
        }
    }
}

/// What a record's values are written from: its source, the address's
/// EUI-48 and EUI-64 where the input gives them, and its kind.
struct Facts {
    const RecordSource& source;
    const Bytes* eui48 = nullptr;
    const Bytes* eui64 = nullptr;
    Kind kind{};
};

/// What values are made from, beyond their source, as a set: the
/// address's EUI-48 or EUI-64 (without it the value is null: an EUI-64
/// that holds no EUI-48, an OUI alone); its kind, which takes both; the
/// texts of its MA-L record's or its block's assignee; the user's name.
enum class Needs : unsigned {
    kNothing = 0,
    kEui48 = 1,
    kEui64 = 2,
    kKind = 4,
    kOuiAssignee = 8,
    kBlockAssignee = 16,
    kLabel = 32,
};
constexpr Needs operator|(Needs a, Needs b) {
    return static_cast<Needs>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
/// Whether `set` holds any of `what`.
constexpr bool any_of(Needs set, Needs what) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(what)) != 0;
}

/// The facts of `source` that `needs` asks for (either form: both), the
/// forms it does not give itself made in `eui48` and `eui64`.
Facts facts_of(const RecordSource& source, Needs needs, Bytes& eui48, Bytes& eui64);

/// How a value is written. A word is ASCII that needs no escaping, a
/// string in JSON; a literal is a JSON number, true or false; a text may
/// hold anything, and is escaped.
enum class Style { kWord, kLiteral, kText };

/// A text value, and what the owner table says it holds (TextFlags); 0 for
/// a text that must be checked as it is written.
struct Text {
    std::string_view text;
    unsigned flags = 0;
};

/// One value of a record: a plain field's, or a part of a nested one.
struct Part {
    const char* name;  // a nested field's part; null for a plain field
    Style style;
    /// The most a word or literal takes; the most a text of fixed room
    /// takes escaped, or 0 for one whose room record_room works out.
    std::size_t room;
    /// A word or literal, written at `out`; gives its end, or null where it
    /// has none.
    char* (*write)(char* out, const Facts& facts) = nullptr;
    /// A text; data() null where it has none. `scratch` holds
    /// kWellKnownNameRoom bytes for a text made on the way.
    Text (*text)(const Facts& facts, char* scratch) = nullptr;
};

/// Which records hold a field: all, an address's, or an error record's.
enum class Shown { kAlways, kValid, kError };

/// A field of the address record: its name (the JSON key, the CSV column
/// and the --fields name; a nested field's columns are its name, "_" and
/// the part's), and its parts.
struct Field {
    const char* name;
    std::vector<Part> parts;
    Shown shown = Shown::kValid;
    Needs needs = Needs::kNothing;
    /// Whether its value follows from the input's type and its kind, and,
    /// of an address of no well-known use, from the type and kind_key alone.
    bool keyed = false;
    /// A nested field: whether it is there; where not, it is null whole.
    bool (*present)(const Facts& facts) = nullptr;
};

/// `value` in decimal digits, at `out`; gives the end.
char* put_decimal(char* out, std::uint64_t value);

/// The address record's fields, in order.
const std::vector<Field>& record_fields();

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_FIELDS_H_
