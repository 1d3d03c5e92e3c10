// Build tool: compiles the four registry listings into a C++ source that
// defines embedded_owner_table() over constant arrays, so that a program
// parses nothing at run time. Usage:
//   owner_table_source OUTPUT MA-S IAB MA-M MA-L
// (oui36.csv, iab.csv, mam.csv, oui.csv). A listing with a bad line, or
// that is not the registry's (read_owner_table), fails.
//
// The source holds no pointer but the table's own few, and nothing beyond
// any compiler's limits: numbers in arrays, and the text in rows of
// kOwnerTextRow bytes, one string literal each (string_rows).

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "registry/generated_source.h"
#include "registry/owner_table_data.h"
#include "registry/owner_table_reader.h"

namespace {

using namespace hexalune;

template <typename Numbers>
void write_numbers(std::ostream& out, const char* type, const char* name, const Numbers& numbers) {
    out << "const " << type << ' ' << name << "[] = {";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        out << (i % 8 == 0 ? "\n    " : " ");
        if (numbers[i] == 0) {
            out << "0,";
        } else {
            out << "0x" << std::hex << numbers[i] << std::dec << "u,";
        }
    }
    out << "\n};\n\n";
}

std::string table_source(const OwnerTableData& data) {
    std::ostringstream out;
    out << "// Generated from the registry listings by owner_table_source: do not edit.\n\n"
           "#include <cstdint>\n\n#include \"registry/owner_table_data.h\"\n\n"
           "namespace hexalune {\n\nnamespace {\n\n";
    write_numbers(out, "std::uint64_t", "kSlots", data.slots);
    write_numbers(out, "std::uint32_t", "kRecords", data.records);
    out << "const char kText[][" << kOwnerTextRow << "] = {"
        << string_rows({data.text.data(), data.text.size()}, kOwnerTextRow, RowLayout::kTerminated);
    out << "\n};\n\n}  // namespace\n\nconst OwnerTable& embedded_owner_table() {\n"
        << "    static const OwnerTable::Arrays kArrays = {kSlots, " << data.slots.size()
        << ", kRecords, " << data.records.size() / kRecordTexts
        << ",\n        reinterpret_cast<const char*>(kText), " << data.text.size()
        << ",\n        {";
    for (std::size_t count : data.assignments) out << count << "u, ";
    out << "}};\n    static const OwnerTable kTable = constant_owner_table(kArrays);\n"
        << "    return kTable;\n}\n\n}  // namespace hexalune\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: owner_table_source OUTPUT MA-S IAB MA-M MA-L\n";
        return 2;
    }
    std::ostringstream report;
    std::string source;
    try {
        const OwnerTable table = read_owner_table(
            [&](Registry registry) {
                const char* path = argv[2 + static_cast<std::size_t>(registry)];
                std::ifstream in(path, std::ios::binary);
                std::string text(std::istreambuf_iterator<char>(in), {});
                if (!in.is_open() || in.bad())
                    throw std::runtime_error(path + std::string(": cannot be read"));
                return NamedListing{path, std::move(text)};
            },
            report);
        if (!report.str().empty()) throw std::runtime_error("bad lines in the listings");
        source = table_source(owner_table_data(table));
    } catch (const std::runtime_error& e) {
        std::cerr << "owner_table_source: " << e.what() << '\n' << report.str();
        return 1;
    }
    return write_generated_source("owner_table_source", argv[1], source);
}
