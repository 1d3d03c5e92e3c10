// hexalune-batch as its users see it: the records of many addresses, held
// to the reference models, to hexalune's own report and to Python's json
// and csv readers.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "process.h"
#include "reference/record_reference.h"
#include "registry/csv_record_reader.h"

namespace hexalune_test {
namespace {

namespace reference = hexalune_reference;
using Row = std::vector<std::string>;

// Whether a run's peak memory is the program's own, not valgrind's or
// AddressSanitizer's.
bool memory_measured() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return !under_valgrind();
#endif
}

Outcome run_batch(const std::vector<std::string>& args, const std::string& input = "",
                  Stdout stdout_mode = Stdout::kPipe) {
    Invocation run;
    run.program = batch_executable();
    run.args = args;
    run.input = input;
    run.stdout_mode = stdout_mode;
    return run_hexalune(run);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The rows of RFC 4180 text.
std::vector<Row> csv_rows(const std::string& text) {
    std::vector<Row> rows;
    Row row(1);
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            row.back() += text[++i];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            row.emplace_back();
        } else if (!quoted && c == '\n') {
            rows.push_back(row);
            row.assign(1, "");
        } else {
            row.back() += c;
        }
    }
    return rows;
}

// The maps of the listings in `directory`, as the reference reads them.
const reference::Maps& maps_in(const std::string& directory) {
    static std::map<std::string, reference::Maps> maps;
    reference::Maps& found = maps[directory];
    const char* const files[] = {"oui36.csv", "iab.csv", "mam.csv", "oui.csv"};
    for (std::size_t i = 0; i < found.size() && found[3].empty(); ++i) {
        found[i] = reference::parse_records(read_file(directory + "/" + files[i]),
                                            hexalune::kListingRecordLimit)
                       .registry;
    }
    return found;
}

// The CSV row the reference models give for a trimmed line, with the
// listings in `directory`, and the user's name `label`.
Row expected_row(const std::string& input, std::size_t line,
                 const std::string& directory = HEXALUNE_DATA_DIR,
                 const std::optional<std::string>& label = {}) {
    return csv_rows(reference::record(input, false, maps_in(directory), false, line,
                                      label ? &*label : nullptr))
        .front();
}

// JSON Lines and CSV that Python's readers read as the same records.
void expect_same_records(const std::string& json, const std::string& csv) {
    // Named after the test: tests run in parallel.
    const std::string base = testing::TempDir() + "batch-records-" +
                             testing::UnitTest::GetInstance()->current_test_info()->name();
    std::ofstream(base + ".json", std::ios::binary) << json;
    std::ofstream(base + ".csv", std::ios::binary) << csv;
    const std::string cmd = "python3 " HEXALUNE_RECORDS_CHECK " " + base + ".json " + base + ".csv";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}

// The records of `lines` in both formats: the CSV rows as the reference
// models give them, and Python's readers agreeing. Gives the CSV run.
Outcome expect_records(const std::vector<std::string>& lines, const std::vector<Row>& expected,
                       std::vector<std::string> options = {}) {
    std::string input;
    for (const std::string& line : lines) input += line + "\n";
    const Outcome json = run_batch(options, input);
    options.push_back("--csv");
    const Outcome csv = run_batch(options, input);
    const std::vector<Row> rows = csv_rows(csv.out);
    EXPECT_EQ(rows.size(), expected.size() + 1);
    for (std::size_t i = 0; i + 1 < rows.size() && i < expected.size(); ++i) {
        EXPECT_EQ(rows[i + 1], expected[i]) << "line " << i + 1;
    }
    EXPECT_EQ(json.exit_status, csv.exit_status);
    EXPECT_EQ(json.err, csv.err);
    expect_same_records(json.out, csv.out);
    return csv;
}

// Every notation devices print, and what is not one, in one stream.
TEST(Batch, EveryNotation) {
    const struct {
        const char* line;
        const char* input;  // the trimmed text the record holds
    } cases[] = {
        {"00:80:10:A4:00:0C", "00:80:10:A4:00:0C"},
        {"00-80-10-a4-00-0c", "00-80-10-a4-00-0c"},
        {"0080.10A4.000c", "0080.10A4.000c"},
        {"008010a4000C", "008010a4000C"},
        {" \t70:B3:D5:F2:30:01 \r", "70:B3:D5:F2:30:01"},  // MA-S inside an MA-L block
        {"00-50-C2-00-0F-FF", "00-50-C2-00-0F-FF"},        // IAB
        {"1C8774000001", "1C8774000001"},                  // MA-M, no MA-L record
        {"02:00:00:00:00:00", "02:00:00:00:00:00"},        // local, unregistered, fe80::ff:fe00:0
        {"ff:ff:ff:ff:ff:ff", "ff:ff:ff:ff:ff:ff"},        // group
        {"ac:de:48:00:00:80", "ac:de:48:00:00:80"},        // a record without an address
        {"38:8A:21:00:00:01", "38:8A:21:00:00:01"},        // quotes in the name
        {"00:80:10-A4:00:0C", "00:80:10-A4:00:0C"},        // mixed separators
        {"0:80:10:a4:0:c", "0:80:10:a4:0:c"},              // macOS, BSD
        {"0080-10A4-000c", "0080-10A4-000c"},              // Huawei, H3C, Comware
        {"008010-a4000C", "008010-a4000C"},                // ProCurve, ArubaOS-Switch
        {"00:80:10:A4:00", "00:80:10:A4:00"},
        {"0080.10a4.000c.", "0080.10a4.000c."},
        {"00 80 10 a4 00 0c", "00 80 10 a4 00 0c"},
        {"0x008010a4000c", "0x008010a4000c"},
        // Formulas to a spreadsheet: the input, "+plugg srl", a name after a tab.
        {"=HYPERLINK(\"http://x\",\"y\")", "=HYPERLINK(\"http://x\",\"y\")"},
        {"30:F3:3A:00:00:01", "30:F3:3A:00:00:01"},
        {"84:11:C2:30:00:01", "84:11:C2:30:00:01"},
        // Random, registered with the local bit, virtual, VRRP; EUI-64s
        // holding an EUI-48 or not.
        {"3a:1b:2c:3d:4e:5f", "3a:1b:2c:3d:4e:5f"},
        {"02:60:8C:00:00:01", "02:60:8C:00:00:01"},
        {"52:54:00:12:34:56", "52:54:00:12:34:56"},
        {"00:00:5E:00:01:0A", "00:00:5E:00:01:0A"},
        {"00:80:10:FF:FE:A4:00:0C", "00:80:10:FF:FE:A4:00:0C"},
        {"00-11-22-33-44-55-66-77", "00-11-22-33-44-55-66-77"},
        {"ff:ff:ff:ff:fe:ff:ff:ff", "ff:ff:ff:ff:fe:ff:ff:ff"},  // the broadcast address's
        // IPv6: a MAC in the interface identifier, or none; then OUIs alone.
        {"fe80::280:10ff:fea4:c%eth0", "fe80::280:10ff:fea4:c%eth0"},
        {"2001:db8::1", "2001:db8::1"},
        {"00:80:10", "00:80:10"},
    };
    std::vector<std::string> lines = {""};  // a blank line gives no record
    std::vector<Row> expected;
    std::string errors;
    for (const auto& c : cases) {
        lines.push_back(c.line);
        expected.push_back(expected_row(c.input, lines.size()));
        if (!expected.back().back().empty()) {
            errors += "hexalune-batch: line " + std::to_string(lines.size()) + ": " +
                      expected.back().back() + "\n";
        }
    }
    const Outcome got = expect_records(lines, expected);
    EXPECT_EQ(got.exit_status, 1);
    EXPECT_EQ(got.err, errors);
}

// Input no address is made of: each line its record, the lines before it
// theirs, a message naming it, and memory bounded whatever the line.
TEST(Batch, BadLines) {
    const struct {
        std::string line, input;
    } cases[] = {
        {std::string(1 << 20, 'a'), std::string(1024, 'a')},  // a line of 1 MB, cut off
        {std::string("00:80:10:A4:00:0C\0", 18), std::string("00:80:10:A4:00:0C\0", 18)},
        {"\xff\xfe"
         "00:80:10:A4:00:0C",
         "\xef\xbf\xbd\xef\xbf\xbd"
         "00:80:10:A4:00:0C"},
        {"\xc0\xaf \"quoted\", comma", "\xef\xbf\xbd\xef\xbf\xbd \"quoted\", comma"},
        {"00:80:10:A4:00:0C\r\r", "00:80:10:A4:00:0C"},  // a CR ends a line, a blank one here
        // A line of 1024 bytes but for the CR of its CR LF.
        {std::string(1007, ' ') + "00:80:10:A4:00:0C\r", "00:80:10:A4:00:0C"},
    };
    std::vector<std::string> lines;
    std::vector<Row> expected;
    std::size_t number = 0;
    for (const auto& c : cases) {
        lines.insert(lines.end(), {"00:80:10:A4:00:0D", c.line});
        expected.push_back(expected_row("00:80:10:A4:00:0D", ++number));
        expected.push_back(expected_row(c.input, ++number));
        number += std::count(c.line.begin(), c.line.end(), '\r') / 2;  // "\r\r": one blank line
    }
    const Outcome got = expect_records(lines, expected);
    EXPECT_EQ(got.exit_status, 1);
    EXPECT_EQ(got.err,
              "hexalune-batch: line 2: invalid MAC address (longer than 1024 bytes, cut off)\n"
              "hexalune-batch: line 4: invalid MAC address\n"
              "hexalune-batch: line 6: invalid MAC address\n"
              "hexalune-batch: line 8: invalid MAC address\n");

    // A line without end (256 MB of NUL bytes): one record of its first
    // 1024 bytes, in memory that does not grow with it.
    const std::string endless = testing::TempDir() + "endless";
    std::ofstream{endless};
    ASSERT_EQ(truncate(endless.c_str(), 256 << 20), 0);
    Invocation run;
    run.program = batch_executable();
    run.stdin_path = endless;
    const Outcome big = run_hexalune(run);
    std::string nuls;
    for (int i = 0; i < 1024; ++i) nuls += "\\u0000";
    EXPECT_EQ(big.exit_status, 1);
    EXPECT_EQ(big.out,
              "{\"input\":\"" + nuls + "\",\"line\":1,\"error\":\"invalid MAC address\"}\n");
    if (memory_measured()) {
        EXPECT_LT(big.max_rss_kib, 128 << 10);
    }
    std::remove(endless.c_str());

    // Little memory, natively: 10,000 lines give their records, or the run
    // says that memory ran out (never, say, that no second thread started).
    if (!memory_measured() || std::getenv("HEXALUNE_LAUNCHER") != nullptr) return;
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "00:80:10:A4:00:0C\n";
    const Outcome low = run_hexalune(
        {"/bin/sh", {"-c", "ulimit -v 40000 && exec \"$0\"", batch_executable()}, many});
    EXPECT_TRUE(low.err == "hexalune-batch: out of memory\n" ||
                (low.err.empty() && std::count(low.out.begin(), low.out.end(), '\n') == 10000))
        << low.err;
}

// Each field that hexalune's report also shows is the report's, whatever
// the runs' platform (the report's link-local address in its full form).
TEST(Batch, AgreesWithTheReport) {
    const std::vector<std::string> addresses = {"00:80:10:A4:00:0C", "AC:DE:48:00:00:80",
                                                "70:B3:D5:F2:30:01", "80:00:00:00:00:00"};
    const Outcome batch = [&] {
        std::vector<std::string> args = {"--csv"};
        args.insert(args.end(), addresses.begin(), addresses.end());
        return run_batch(args);
    }();
    const std::vector<Row> records = csv_rows(batch.out);
    ASSERT_EQ(records.size(), addresses.size() + 1);
    // Report label and the column that holds the same value, in report order.
    const std::pair<const char*, const char*> shared[] = {
        {"Hexadecimal: ", "eui48"},
        {"Bit-reversed: ", "eui48_bit_reversed"},
        {"Dot Notation: ", "eui48_dot"},
        {"Integer: ", "eui48_integer"},
        {"Hexadecimal: ", "eui64"},
        {"Bit-reversed: ", "eui64_bit_reversed"},
        {"Dot Notation: ", "eui64_dot"},
        {"Integer: ", "eui64_integer"},
        {"Contained MAC-48: ", "contained_mac48"},
        {"Contained EUI-48: ", "contained_eui48"},
        {"Contained EUI-48 (U/L): ", "contained_eui48_ul"},
        {"IPv6 Link-Local: ", "ipv6_link_local"},
        {"Assignment: ", "oui_assignment"},
        {"Organization: ", "oui_organization"},
        {"Address: ", "oui_address"}};
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const Outcome report = run_with_argument(addresses[i]);
        std::size_t at = 0;
        for (const auto& [label, column] : shared) {
            const std::size_t found = report.out.find(std::string("\n") + label, at);
            const std::size_t index =
                std::find(records[0].begin(), records[0].end(), column) - records[0].begin();
            ASSERT_LT(index, records[0].size()) << column;
            if (found == std::string::npos) {  // no OUI record: the not-found line instead
                EXPECT_EQ(records[i + 1][index], "") << addresses[i] << ' ' << column;
                continue;
            }
            at = found + 1;
            const std::size_t start = found + 1 + std::string(label).size();
            std::string value = report.out.substr(start, report.out.find('\n', start) - start);
            if (std::string(column) == "ipv6_link_local") {
                value = reference::rfc5952("fe80:0000:0000:0000:" + value.substr(6));
            }
            EXPECT_EQ(records[i + 1][index], value) << addresses[i] << ' ' << column;
        }
    }
}

// Options, and outputs that cannot take the records.
TEST(Batch, CommandLine) {
    // An address's record and the end of an error record's, of an argument
    // (line null) or of input line n.
    const std::string record = run_batch({"00:80:10:A4:00:0C"}).out;
    const auto line = [&](int n) {
        return record.substr(0, record.size() - 19) + std::to_string(n) + ",\"label\":null}\n";
    };
    const auto invalid = [](const std::string& n) {
        return "\",\"line\":" + n + ",\"error\":\"invalid MAC address\"}\n";
    };
    const std::string header = run_batch({"--csv"}).out;
    const std::string full =
        "hexalune-batch: cannot write to standard output: No space left on device\n";
    // Standard input that cannot be read (wine: ERROR_INVALID_FUNCTION).
    const std::string unreadable = "hexalune-batch: cannot read standard input: ";
    const std::string is_dir =
        unreadable + (windows_build() ? "Invalid function\n" : "Is a directory\n");
    const std::string closed =
        unreadable + (windows_build() ? "Invalid function\n" : "Bad file descriptor\n");
    const auto usage = [](const std::string& error) {
        return "hexalune-batch: " + error + "; see 'hexalune-batch --help'\n";
    };
    const auto fields = [](const std::string& error) {
        return "hexalune-batch: " + error + " in --fields; see RECORDS in hexalune-batch(1)\n";
    };
    const std::string address = "00:80:10:A4:00:0C\r\n";
    const std::string emoji = line(1) + "{\"input\":\"\U0001F600" + invalid("2");
    // An address in UTF-16 with its byte-order mark, big-endian, and
    // little-endian with a surrogate pair in reads of three bytes.
    std::string big = "\xFE\xFF", little = "\xFF\xFE";
    for (char c : address) big += {'\0', c}, little += {c, '\0'};
    little += std::string("\x3D\xD8\x00\xDE\r\0\n\0", 8);  // U+1F600
    std::vector<std::string> reads;
    for (std::size_t at = 0; at < little.size(); at += 3) reads.push_back(little.substr(at, 3));
    const struct {
        std::vector<std::string> args;
        Stdout stdout_mode;
        int status;
        std::string out, err;
        std::vector<std::string> input = {};  // standard input, in these reads
        std::string stdin_path = {};          // or this file
        bool close_stdin = false;             // or none
    } cases[] = {
        {{"--bogus", "00:80:10:A4:00:0C"},
         Stdout::kPipe,
         1,
         "",
         "hexalune-batch: unknown option '--bogus'; see 'hexalune-batch --help'\n"},
        {{"--registry"},
         Stdout::kPipe,
         1,
         "",
         "hexalune-batch: option '--registry' needs a directory; see 'hexalune-batch --help'\n"},
        {{"--fields=input,,eui48"}, Stdout::kPipe, 1, "", fields("an empty field name")},
        {{"--fields", "input,eui49"}, Stdout::kPipe, 1, "", fields("unknown field 'eui49'")},
        {{"--fields", "oui,oui_address"},
         Stdout::kPipe,
         1,
         "",
         fields("field 'oui_address' named twice")},
        {{"--scan", "00:80:10:A4:00:0C"},
         Stdout::kPipe,
         1,
         "",
         usage("option '--scan' reads standard input, and takes no ADDRESS")},
        {{"--annotate", "--csv"},
         Stdout::kPipe,
         1,
         "",
         usage("option '--annotate' writes text, not records: no --json, --csv or --fields")},
        // Scanning: none found, as grep; an address across two reads of a
        // long line.
        {{"--annotate"}, Stdout::kPipe, 1, "no\r\n", "", {"no\r\n"}},
        {{"--scan", "--fields", "line,input"},
         Stdout::kPipe,
         0,
         "{\"line\":2,\"input\":\"0:80:10:a4:0:c\"}\n",
         "",
         {"\n" + std::string(40000, 'x') + " 0:80", ":10:a4:0:c"}},
        {{"--", "--json"},
         Stdout::kPipe,
         1,
         "{\"input\":\"--json" + invalid("null"),
         "hexalune-batch: argument 1: invalid MAC address\n"},
        {{"--csv", "--json", "00:80:10:A4:00:0C", "--csv", ""},
         Stdout::kPipe,
         1,
         record + "{\"input\":\"--csv" + invalid("null") + "{\"input\":\"" + invalid("null"),
         "hexalune-batch: argument 2: invalid MAC address\n"
         "hexalune-batch: argument 3: invalid MAC address\n"},
        {{"--export", "xml"},
         Stdout::kPipe,
         1,
         "",
         usage("option '--export' needs one of: json csv manuf nmap arp-scan")},
        {{"00:80:10:A4:00:0C"}, Stdout::kDevFull, 2, "", full},
        {{"--export", "csv"}, Stdout::kDevFull, 2, "", full},
        {{"--version"}, Stdout::kDevFull, 2, "", full},
        {{"--help"}, Stdout::kDevFull, 2, "", full},
        {{"00:80:10:A4:00:0C"},
         Stdout::kClosed,
         2,
         "",
         "hexalune-batch: cannot write to standard output: Bad file descriptor\n"},
        // Byte-order marks: UTF-8's skipped, even when split over two reads;
        // UTF-16 converted.
        {{}, Stdout::kPipe, 0, line(1), "", {"\xEF", "\xBB\xBF" + address}},
        {{}, Stdout::kPipe, 1, emoji, "hexalune-batch: line 2: invalid MAC address\n", reads},
        {{}, Stdout::kPipe, 0, line(1), "", {big}},
        // Lines that end in a CR alone, and a CR LF split between two reads.
        {{},
         Stdout::kPipe,
         1,
         line(2) + "{\"input\":\"bad" + invalid("3") + line(4),
         "hexalune-batch: line 3: invalid MAC address\n",
         {"\r00:80:10:A4:00:0C\r", "\nbad\r00:80:10:A4:00:0C\r"}},
        {{}, Stdout::kPipe, 2, "", is_dir, {}, "/"},
        {{}, Stdout::kPipe, 2, "", closed, {}, "", true},
    };
    for (const auto& c : cases) {
        const Invocation run{batch_executable(), c.args,       "",    c.input,
                             c.close_stdin,      c.stdin_path, false, c.stdout_mode};
        const Outcome got = run_hexalune(run);
        EXPECT_EQ(got.exit_status, c.status) << "case " << &c - cases;
        EXPECT_EQ(got.out, c.out) << "case " << &c - cases;
        EXPECT_EQ(got.err, c.err) << "case " << &c - cases;
    }
    EXPECT_EQ(header.substr(0, 25), "input,eui48,eui48_bit_rev");
    // The header is written before the program waits for its input: the
    // reader here reads it first, and only then writes any.
    EXPECT_EQ(run_batch({"--csv"}, "00:80:10:A4:00:0C\n", Stdout::kFirstLineOnly).out, header);
    const Outcome help = run_batch({"--help", "00:80:10:A4:00:0C"});
    EXPECT_EQ(help.exit_status, 0);
    EXPECT_EQ(help.out.substr(0, 22), "Usage: hexalune-batch ");
}

// Chosen fields, each list's records held to the full ones: owners and
// EUI-48s that are null, a well-known use, an OUI alone and error lines.
TEST(Batch, Fields) {
    const std::string input =
        "00:80:10:A4:00:0C\n02:00:00:00:00:01\n0080.10ff.fea4.000c\n01:80:C2:00:00:0E\n"
        "00:80:10\n12:34:56:78:9a:bc:de:f0\nbad\nfe80::1\n00:55:DA:50:00:01\n";
    const std::string base = testing::TempDir() + "batch-fields";
    std::ofstream(base + "-all.json", std::ios::binary) << run_batch({}, input).out;
    for (const std::string list :
         {"input", "block_organization,input,block_registry", "eui48_dot,oui,slap",
          "well_known_reference,error,well_known_name", "error,eui64_integer,block",
          "randomized,local,multicast,cast,input_type,well_known,ipv6_link_local,label"}) {
        for (const char* format : {"--json", "--csv"}) {
            std::ofstream(base + format, std::ios::binary)
                << run_batch({format, "--fields", list}, input).out;
        }
        EXPECT_EQ(std::system(("python3 " HEXALUNE_RECORDS_CHECK " " + base + "--json " + base +
                               "--csv " + list + " " + base + "-all.json")
                                  .c_str()),
                  0)
            << list;
    }
}

// Other tools' output (tests/data/scan; its README gives the sources):
// the lines and addresses found in each, as expected.txt lists them, in
// both formats, and the text given back with each one's name as its record
// gives it.
TEST(Batch, Scan) {
    std::map<std::string, std::vector<Row>> expected;  // of each file, its lines and addresses
    std::istringstream list(read_file(HEXALUNE_SCAN_DIR "/expected.txt"));
    std::string file;
    for (std::string entry; std::getline(list, entry);) {
        const std::size_t tab = entry.find('\t');
        if (tab == std::string::npos) file = entry;
        if (tab != std::string::npos)
            expected[file].push_back({entry.substr(0, tab), entry.substr(tab + 1)});
    }
    const std::vector<std::string> kinds = {"randomized", "locally administered", "multicast"};
    for (const auto& [name, found] : expected) {
        const std::string text = read_file(HEXALUNE_SCAN_DIR "/" + name);
        std::string json;
        for (const Row& row : found)
            json += "{\"line\":" + row[0] + ",\"input\":\"" + row[1] + "\"}\n";
        EXPECT_EQ(run_batch({"--scan", "--fields", "line,input"}, text).out, json) << name;
        std::vector<Row> rows = csv_rows(run_batch({"--scan", "--csv", "--fields",
                                                    "line,input,well_known_name,block_organization,"
                                                    "randomized,local,multicast"},
                                                   text)
                                             .out);
        ASSERT_EQ(rows.size(), found.size() + 1) << name;
        // Each name after its address, the first that applies.
        std::string annotated;
        std::size_t written = 0, line = 1, line_start = 0;
        for (std::size_t i = 0; i < found.size(); ++i) {
            const Row& row = rows[i + 1];
            for (; line < std::stoul(found[i][0]); ++line) {
                line_start = text.find('\n', line_start) + 1;
            }
            const std::size_t at = text.find(found[i][1], std::max(written, line_start));
            ASSERT_NE(at, std::string::npos) << name << ' ' << found[i][1];
            EXPECT_EQ(row[1], found[i][1]) << name;
            std::string label = !row[2].empty() ? row[2] : row[3];
            for (std::size_t k = 0; k < kinds.size() && label.empty(); ++k) {
                if (row[4 + k] == "true") label = kinds[k];
            }
            const std::size_t end = at + found[i][1].size();
            annotated += text.substr(written, end - written) + " [" +
                         (label.empty() ? "unassigned" : label) + "]";
            written = end;
        }
        EXPECT_EQ(run_batch({"--annotate"}, text).out, annotated + text.substr(written)) << name;
    }
}

// The registry as block records: each assignment of data/ as the
// reference reads it (of records for the same one, the last), sorted by
// first address, then bits; the blocks a search finds, as grep finds
// lines, ignoring case; and the peers' files, after their comments a line
// for each block.
TEST(Batch, BlockRecords) {
    const auto lower = [](std::string text) {
        for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        return text;
    };
    // The reference's JSON record of each block, in order, and the texts a search reads.
    std::map<std::pair<std::uint64_t, unsigned>, std::pair<std::string, std::string>> blocks;
    const std::string registries[] = {"MA-S", "IAB", "MA-M", "MA-L"};
    for (std::size_t r = 0; r < 4; ++r) {
        for (const auto& [key, info] : maps_in(HEXALUNE_DATA_DIR)[r]) {
            const auto bits = static_cast<unsigned>(4 * key.size());
            const std::uint64_t first = std::stoull(key, nullptr, 16) << (48 - bits);
            const std::string short_name = hexalune::short_name(info.organization, key);
            blocks[{first, bits}] = {
                reference::block_record(registries[r], bits, first, info.organization, info.address,
                                        short_name, true),
                lower(info.organization + '\n' + short_name)};
        }
    }
    const Outcome json = run_batch({"--export", "json"}), csv = run_batch({"--export=csv"});
    EXPECT_EQ(json.exit_status + csv.exit_status, 0);
    expect_same_records(json.out, csv.out);

    // CERN is 080030's last record of three, the Royal Melbourne Institute
    // of Technology its second.
    for (const std::string text : {"cErN", "royal melbourne", "+plugg", ""}) {
        std::string found;
        for (const auto& [key, block] : blocks) {
            if (block.second.find(lower(text)) != std::string::npos) found += block.first;
        }
        const Outcome json_found = run_batch({"--search", text});
        EXPECT_EQ(json_found.exit_status, found.empty() ? 1 : 0) << text;
        EXPECT_EQ(json_found.out, found) << text;
        EXPECT_TRUE(!text.empty() || json.out == found) << "--export: every block";
        expect_same_records(json_found.out, run_batch({"--csv", "--search=" + text}).out);
    }

    for (const char* format : {"manuf", "nmap", "arp-scan"}) {
        const Outcome got = run_batch({"--export", format});
        std::size_t lines = 0;
        std::istringstream in(got.out);
        for (std::string line; std::getline(in, line);) lines += line[0] != '#';
        EXPECT_EQ(got.exit_status, 0) << format;
        EXPECT_EQ(got.err, "") << format;
        EXPECT_EQ(lines, blocks.size()) << format;
    }
}

// The user's names: the default file, then each --names file, a later one
// winning; the longest prefix that holds an address, in both formats and
// first in --annotate; bad lines reported and skipped; files not read.
TEST(Batch, Names) {
    const std::string home = testing::TempDir() + "names-home/",
                      xdg = testing::TempDir() + "names-xdg/";
    std::filesystem::create_directories(home + ".config/hexalune");
    std::filesystem::create_directories(home + "hexalune/names");  // XDG_CONFIG_HOME=home
    std::filesystem::create_directories(xdg + "hexalune");
    std::ofstream(home + ".config/hexalune/names") << "0080 home\n00:80:10:A4:00:0C home box\n";
    std::ofstream(xdg + "hexalune/names") << "\uFEFF0080 xdg # a comment\r\n";
    const std::string first = home + "first", second = home + "second";
    std::ofstream(first) << "# mine\n008010\tfirst\n00:80:10:A4:00:0C/47  pa\x01ir \n"
                            "zz bad\n0080/49 x\n00801\n00:80:10:ff:fe:a4:00:0c x\n02/7 local\n";
    std::ofstream(second) << "\n00-80-10 second\n0:80:10:a4:0:c =box # beats the /47\n";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"00:80:10:A4:00:0C", "=box"},
        {"00-80-10-a4-00-0d", "pa\x01ir"},
        {"0080.10ff.fea4.000d", "pa\x01ir"},  // the EUI-64 of an EUI-48
        {"00:80:11:00:00:00", "home"},
        {"00:80:10", "second"},  // an OUI alone: prefixes of 24 bits or fewer
        {"00:81:00:00:00:00", {}},
        {"03:00:00:00:00:01", "local"},
        {"00-80-10-00-00-00-00-01", {}},  // an EUI-64 that holds no EUI-48
    };
    std::vector<std::string> lines;
    std::vector<Row> expected;
    for (const auto& [input, label] : cases) {
        lines.push_back(input);
        expected.push_back(expected_row(input, lines.size(), HEXALUNE_DATA_DIR, label));
    }
    // Windows reads the default file in %APPDATA%, which wine sets: it is the first --names.
    std::vector<std::string> names = {"--names", first, "--names", second};
    if (windows_build()) names.insert(names.begin(), {"--names", home + ".config/hexalune/names"});
    const std::string bad = "hexalune-batch: " + first + ":";
    EXPECT_EQ(expect_records(lines, expected, names).err,
              bad + "4: not an address prefix\n" + bad + "5: bits not from 1 to 48\n" + bad +
                  "6: no name\n" + bad + "7: a prefix of more than 12 digits\n");
    EXPECT_EQ(run_batch({"--annotate", "--names", first}, "at 00:80:10:a4:00:0d.\n").out,
              "at 00:80:10:a4:00:0d [pa?ir].\n");
    // A name that a search finds is a block record of its own.
    EXPECT_EQ(run_batch({"--names", second, "--search", "=BOX"}).out,
              reference::block_record("names", 48, 0x008010A4000C, "=box", {}, "=box", true));

    const struct {
        const char* xdg;                  // XDG_CONFIG_HOME
        std::string names, label, error;  // an error: exit status 2
    } files[] = {
        {xdg.c_str(), "", "xdg", ""},
        {"relative", "", "home", ""},
        {xdg.c_str(), home + "missing", "", home + "missing: No such file or directory"},
        {home.c_str(), "", "", home + "hexalune/names: is a directory"},
    };
    for (const auto& f : files) {
        if (windows_build() && f.names.empty()) continue;
        setenv("XDG_CONFIG_HOME", f.xdg, 1);
        std::vector<std::string> args = {"--fields", "label", "00:80:11:00:00:00"};
        if (!f.names.empty()) args.insert(args.begin(), {"--names", f.names});
        const Outcome got = run_batch(args);
        EXPECT_EQ(got.exit_status, f.error.empty() ? 0 : 2) << f.xdg << ' ' << f.names;
        EXPECT_EQ(got.out, f.error.empty() ? "{\"label\":\"" + f.label + "\"}\n" : "");
        EXPECT_EQ(got.err, f.error.empty() ? "" : "hexalune-batch: " + f.error + "\n");
    }
    setenv("XDG_CONFIG_HOME", "/nonexistent/hexalune-tests", 1);  // as the tests after expect
}

// Listings read from a directory at run time, the ieee-data package's too.
TEST(Batch, RegistryDirectory) {
    const std::string directory = testing::TempDir() + "registry/";
    mkdir(directory.c_str(), 0755);
    for (const char* file : {"oui.csv", "mam.csv", "oui36.csv", "iab.csv"}) {
        std::string text = read_file(std::string(HEXALUNE_DATA_DIR "/") + file);
        const std::size_t at = text.find("COMMODORE INTERNATIONAL");
        if (at != std::string::npos) text.replace(at, 9, "COMMODORE RENAMED");
        // An address of three lines, the middle one a record's look-alike.
        if (std::string(file) == "oui.csv") {
            text +=
                "MA-L,AABBCD,Org Two,\"Line one\r\nMA-L,DDEEFF,Spoofed Corp,Nowhere\r\nend \"\r\n";
        }
        std::ofstream(directory + file, std::ios::binary) << text;
    }
    const Outcome renamed =
        run_batch({"--registry", directory, "00:80:10:A4:00:0C", "AABBCD000000", "DDEEFF000000"});
    EXPECT_EQ(renamed.exit_status, 0);
    EXPECT_NE(renamed.out.find("\"COMMODORE RENAMED INTERNATIONAL\""), std::string::npos);
    const std::string three_lines = "Line one\\r\\nMA-L,DDEEFF,Spoofed Corp,Nowhere\\r\\nend ";
    EXPECT_NE(renamed.out.find("\"" + three_lines + "\",\"short\":\"OrgTwo\"}"), std::string::npos);
    EXPECT_NE(renamed.out.find("\"oui\":null,\"block\":null,"), std::string::npos);
    EXPECT_NE(run_batch({"--registry=" + directory, "--version"}).out.find(directory),
              std::string::npos);

    // An empty directory, one that lacks a listing, a file, and listings that
    // are no files (/dev/zero, a FIFO that no one writes; Windows sees files
    // without the header): the run ends before any record.
    const std::string empty = testing::TempDir() + "empty/";
    const std::string device = testing::TempDir() + "device/", fifo = testing::TempDir() + "fifo/";
    for (const std::string& made : {empty, device, fifo}) mkdir(made.c_str(), 0755);
    symlink("/dev/zero", (device + "oui.csv").c_str());
    for (const char* f : {"oui.csv", "mam.csv"})
        symlink((directory + f).c_str(), (fifo + f).c_str());
    mkfifo((fifo + "oui36.csv").c_str(), 0644);
    const std::string header = "Registry,Assignment,Organization Name,Organization Address";
    const std::string no_listing =
        "not an IEEE registry listing (its first line is not \"" + header + "\")";
    const std::string no_file = windows_build() ? no_listing : "not a regular file";
    std::remove((directory + "iab.csv").c_str());
    // The listings of data/ but for `file`, which holds `text`.
    const auto planted = [](const std::string& name, const char* file, const std::string& text) {
        const std::string made = testing::TempDir() + name + "/";
        std::filesystem::remove_all(made);  // and the links of a run in another checkout
        mkdir(made.c_str(), 0755);
        for (const char* f : {"oui.csv", "mam.csv", "oui36.csv", "iab.csv"})
            if (file != std::string_view(f))
                symlink((std::string(HEXALUNE_DATA_DIR "/") + f).c_str(), (made + f).c_str());
        std::ofstream(made + file, std::ios::binary) << text;
        return made;
    };
    const std::string reordered = planted(
        "reordered", "mam.csv", "Registry,Assignment,Organization Address,Organization Name\r\n");
    const std::string moved = planted("moved", "oui.csv", read_file(HEXALUNE_DATA_DIR "/mam.csv"));
    const std::string malformed =
        planted("malformed", "oui.csv",
                header +
                    "\r\nMA-L,008010,Good,\r\nMA-L, 008010,A,\r\nMA-L,0080100,B,\r\n"
                    "MA-L,00801G,C,\r\nMA-X,008011,D,\r\nMA-L,00801a,E,\r\n");
    std::string bad;  // every row but the good one, and only it counted
    for (int line = 3; line <= 7; ++line) {
        bad += "hexalune-batch: " + malformed + "oui.csv: Error parsing line " +
               std::to_string(line) + ": malformed assignment\n";
    }
    const struct {
        Row args;
        int status;
        std::string err;
    } cases[] = {
        {{"--registry", empty}, 2, empty + "oui.csv: No such file or directory"},
        {{"--registry", directory}, 2, directory + "iab.csv: No such file or directory"},
        {{"--registry", directory + "oui.csv"}, 2, directory + "oui.csv: not a directory"},
        {{"--registry", device}, 2, device + "oui.csv: " + no_file},
        {{"--registry", fifo}, 2, fifo + "oui36.csv: " + no_file},
        {{"--registry", reordered}, 2, reordered + "mam.csv: " + no_listing},
        {{"--registry", moved}, 2, moved + "oui.csv: line 2: an MA-M listing, not MA-L"},
        {{"--registry", malformed, "--version"}, 0, bad},
    };
    for (const auto& c : cases) {
        const Outcome got = run_batch(c.args, "00:80:10:A4:00:0C\n");
        EXPECT_EQ(got.exit_status, c.status) << c.args[1];
        EXPECT_EQ(got.out.find(" 1 assignments") != std::string::npos, c.status == 0) << c.args[1];
        EXPECT_EQ(got.err, c.status == 2 ? "hexalune-batch: " + c.err + "\n" : c.err) << c.args[1];
    }

    // A listing of 100 MB: its records, in memory in proportion to it (an
    // ordered map of 1.6 million records, each about 400 bytes; under wine
    // some more); and an iab.csv of one bad line more than are shown.
    std::ofstream(directory + "iab.csv", std::ios::binary)
        << header + "\r\n" + std::string(11, '\n');
    std::string large = header + "\r\n";
    for (std::size_t i = 0; large.size() < (100u << 20); ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "MA-L,%06zX,Synthetic %zu,%zu Example Road \r\n",
                      i * 0x9E3779u & 0xFFFFFFu, i, i);
        large += line;
    }
    std::ofstream(directory + "oui.csv", std::ios::binary) << large;
    large = std::string();
    const Outcome big = run_batch({"--registry", directory, "00:00:00:00:00:00"});
    EXPECT_EQ(big.exit_status, 0);
    EXPECT_NE(big.out.find("\"organization\":\"Synthetic 0\""), std::string::npos);
    EXPECT_NE(big.err.find("/iab.csv: 1 more bad line not shown\n"), std::string::npos);
    if (memory_measured()) {
        EXPECT_LT(big.max_rss_kib, 1 << 20);
    }

    // Debian's older listings (scripts/test installs them; a missing step
    // fails rather than skips), some addresses of two lines: every record
    // owns its block, and nothing is reported.
    const std::string debian = "/usr/share/ieee-data";
    ASSERT_EQ(access((debian + "/oui.csv").c_str(), R_OK), 0) << "no ieee-data: apt-get install it";
    std::vector<std::string> lines;
    std::vector<Row> expected;
    for (const hexalune::RegistryMap& map : maps_in(debian)) {
        for (const auto& record : map) {
            lines.push_back((record.first + "000000").substr(0, 12));
            expected.push_back(expected_row(lines.back(), lines.size(), debian));
        }
    }
    EXPECT_EQ(expect_records(lines, expected, {"--registry", debian}).err, "");
    const std::string ma_l = " " + std::to_string(maps_in(debian)[3].size()) + " assign";
    EXPECT_NE(run_batch({"--registry", debian, "--version"}).out.find(ma_l), std::string::npos);
}

}  // namespace
}  // namespace hexalune_test
