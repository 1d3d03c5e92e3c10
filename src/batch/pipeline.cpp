#include "pipeline.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include "input_text.h"
#include "notation/parse.h"
#include "notation/well_known.h"
#include "registry/owner_table_fast.h"
#include "scan.h"

namespace hexalune {

namespace {

// What is kept of a line that goes on in the next read: the limit, and a
// byte more that tells a longer line.
const std::size_t kKept = kLineLimit + 1;

// Why: input is read, and records written, in blocks of this many bytes of
// input, not line by line; half a block's records (under a megabyte) wait
// on the second thread, and stay in the processor's caches: blocks of 64 KiB
// take 6% longer, of 256 KiB 17% (paired runs, 1,000,000 lines, --json).
const std::size_t kChunk = 1 << 15;

// A block of at least this many bytes is shared between two threads.
const std::size_t kShareAt = 1 << 14;

// Records are written once this many bytes of them wait, where nothing
// must go before them.
const std::size_t kFlushAt = 1 << 16;

// Why: the registry lookups of this many addresses are started together, so
// that their waits for memory overlap rather than follow one another.
const std::size_t kGroup = 16;

struct Run {
    const RecordLayout& layout;
    const OwnerTable& table;
    Output output;
    bool flushes;  // whether its records may be written as they come
    bool invalid = false;
    const Names* names = nullptr;  // the user's names; null for none
};

// A line or argument waiting in a group to be converted.
struct Item {
    std::string_view text;  // trimmed
    const char* where;      // "line" or "argument"
    std::size_t number;
    std::size_t line;   // as RecordSource's
    bool cut;           // longer than kLineLimit: the text is its start
    bool read = false;  // `type` and `address` are set already: it was found in text
    bool valid;         // it names an address: `type`, `address` and `owner` say what
    const char* error;  // why it does not, where it reads as something else
    InputType type;
    Bytes address;  // as RecordSource's
    Bytes padded;   // an OUI alone, padded to six bytes for the lookup
    Owner owner;
    Label label;  // as RecordSource's

    const Bytes& key() const { return type == InputType::kOui ? padded : address; }
};

const char kNoMacInIpv6[] = "IPv6 interface identifier holds no MAC address";

// The user's name for an address: of an EUI-64, that of the EUI-48 it
// holds; of an OUI alone, that of its whole block.
Label label_of(const Names& names, InputType type, const Bytes& address) {
    if (type != InputType::kEui64) return names.flagged_label(address);
    RecordSource source;
    source.type = type;
    source.address = &address;
    thread_local Bytes eui48, eui64;
    const Facts facts = facts_of(source, Needs::kEui48, eui48, eui64);
    return facts.eui48 != nullptr ? names.flagged_label(*facts.eui48) : Label{};
}

// Reads an item's text as an identifier, into the item.
void identify(Item& item) {
    item.error = nullptr;
    item.valid = !item.cut && parse_identifier(item.text, item.type, item.address);
    if (!item.valid) return;
    Bytes& a = item.address;
    if (item.type == InputType::kIpv6) {
        // A modified EUI-64 that holds an EUI-48 (FF:FE in its middle),
        // its universal/local bit inverted back.
        if (a[11] != 0xff || a[12] != 0xfe) {
            item.valid = false;
            item.error = kNoMacInIpv6;
            return;
        }
        a = {static_cast<std::uint8_t>(a[8] ^ 0x02), a[9], a[10], a[13], a[14], a[15]};
    }
    if (item.type == InputType::kOui) item.padded = {a[0], a[1], a[2], 0, 0, 0};
}

// A group's items, kept for the next group with their buffers.
struct Group {
    std::vector<Item> items = std::vector<Item>(kGroup);
    std::size_t size = 0;
};

// The records of the group's items, in order, and for each that is no
// address a message naming where it stood; the group is then empty.
void convert(Run& run, Group& group) {
    static const std::string kCutOff =
        " (longer than " + std::to_string(kLineLimit) + " bytes, cut off)\n";
    Item* const end = group.items.data() + group.size;
    // The assignees whose texts the records show, and only those, read.
    const Needs needs = record_needs(run.layout);
    const auto shown = [&](std::uint32_t record, Needs assignee) {
        return any_of(needs, assignee) ? record : kNoRecord;
    };
    const Names* const names = any_of(needs, Needs::kLabel) ? run.names : nullptr;
    for (Item* item = group.items.data(); item != end; ++item) {
        if (!item->read) identify(*item);
        item->read = false;
        if (item->valid) prefetch_owner(item->key(), run.table);
    }
    // The labels, while the owners load.
    for (Item* item = group.items.data(); item != end; ++item) {
        item->label =
            item->valid && names != nullptr ? label_of(*names, item->type, item->address) : Label{};
    }
    for (Item* item = group.items.data(); item != end; ++item) {
        if (!item->valid) continue;
        item->owner = lookup_owner(item->key(), run.table);
        // Of an OUI alone nothing longer than its MA-L block can be known.
        if (item->type == InputType::kOui) item->owner.block = {Registry::kMaL, item->owner.oui};
        prefetch_assignee(run.table, shown(item->owner.oui, Needs::kOuiAssignee), false);
        prefetch_assignee(run.table, shown(item->owner.block.record, Needs::kBlockAssignee), false);
    }
    for (Item* item = group.items.data(); item != end; ++item) {
        if (!item->valid) continue;
        prefetch_assignee(run.table, shown(item->owner.oui, Needs::kOuiAssignee), true);
        prefetch_assignee(run.table, shown(item->owner.block.record, Needs::kBlockAssignee), true);
    }
    for (Item* item = group.items.data(); item != end; ++item) {
        RecordSource source{item->text,  item->type, item->valid ? &item->address : nullptr,
                            item->error, item->line, item->owner,
                            {},          {},         item->label};
        const std::uint32_t oui = shown(item->owner.oui, Needs::kOuiAssignee);
        const std::uint32_t block = shown(item->owner.block.record, Needs::kBlockAssignee);
        if (item->valid && oui != kNoRecord) source.oui = flagged_assignee(run.table, oui);
        if (item->valid && block != kNoRecord) source.block = flagged_assignee(run.table, block);
        append_records(run.output, record_room(source),
                       [&](char* out) { return write_record(out, run.layout, source); });
        if (item->valid) continue;
        run.output.messages += std::string("hexalune-batch: ") + item->where + ' ' +
                               std::to_string(item->number) + ": " +
                               (item->error != nullptr ? item->error : kInvalidMac) +
                               (item->cut ? kCutOff : "\n");
        run.invalid = true;
    }
    group.size = 0;
    if (run.flushes && run.output.size >= kFlushAt) flush_output(run.output);
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Adds a line (`is_line`), unless it is blank, or an argument to the group;
// converts the group once it is full.
void add(Run& run, Group& group, std::string_view text, const char* where, std::size_t number,
         bool is_line) {
    const bool cut = text.size() > kLineLimit;
    if (cut) text = text.substr(0, kLineLimit);
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
    if (text.empty() && !cut && is_line) return;
    Item& item = group.items[group.size++];
    item.text = text;
    item.where = where;
    item.number = number;
    item.line = is_line ? number : 0;
    item.cut = cut;
    if (group.size == group.items.size()) convert(run, group);
}

// Converts the lines of `lines`, each ending in a line feed, which follow
// line `number`; gives the number of lines.
std::size_t convert_lines(Run& run, std::string_view lines, std::size_t number) {
    Group group;
    const std::size_t first = number;
    for (std::size_t end; (end = lines.find('\n')) != std::string_view::npos;) {
        add(run, group, lines.substr(0, end), "line", ++number, true);
        lines.remove_prefix(end + 1);
    }
    convert(run, group);
    return number - first;
}

// A second thread for the whole run, which converts one task at a time
// while this one converts the rest. Why one for the whole run: a thread
// started for each block of input would add a fifth to a run's time on two
// processors.
class Worker {
public:
    // False when no thread can be had (little memory, a limit on
    // processes): then this one converts everything.
    bool start() {
        try {
            thread_ = std::thread([this] { work(); });
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    ~Worker() {
        if (!thread_.joinable()) return;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        stopping_.store(true, std::memory_order_release);
        changed_.notify_all();
        thread_.join();
    }

    void give(std::function<void()> task) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            task_ = std::move(task);
        }
        busy_.store(true, std::memory_order_release);
        changed_.notify_all();
    }

    // Waits for the task given to be done; throws what it threw.
    void wait() {
        spin_while([&] { return busy_.load(std::memory_order_acquire); });
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return !task_; });
        if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    }

private:
    // Returns once `waiting` is false, or after 100,000 looks at it (some
    // tens of microseconds). Why: a thread woken from its sleep starts
    // late, a thread that waits awake at once: a run takes a tenth less
    // time (paired runs, 1,000,000 lines, --json).
    template <typename Waiting>
    static void spin_while(Waiting waiting) {
        for (int i = 0; i < 100000 && waiting(); ++i) {
        }
    }

    void work() {
        for (;;) {
            spin_while([&] {
                return !busy_.load(std::memory_order_acquire) &&
                       !stopping_.load(std::memory_order_acquire);
            });
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || task_; });
            if (stop_) return;
            lock.unlock();
            std::exception_ptr failure;
            try {
                task_();
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            task_ = nullptr;
            failure_ = failure;
            busy_.store(false, std::memory_order_release);
            changed_.notify_all();
        }
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_;
    std::exception_ptr failure_;
    bool stop_ = false;
    std::atomic<bool> busy_{false};  // a task is given and not yet done
    std::atomic<bool> stopping_{false};
};

// Writes what `other`, the worker's run, made of a block's second half
// after what `run` made of its first.
void follow(Run& run, Run& other) {
    flush_output(run.output);
    flush_output(other.output);
    if (run.output.error == 0) run.output.error = other.output.error;
    run.output.messages_lost = run.output.messages_lost || other.output.messages_lost;
    run.invalid = run.invalid || other.invalid;
    other.invalid = false;
}

// The user's names of `pipeline`; null for none. Why: with none, a record
// takes no look at them.
const Names* names_of(const Pipeline& pipeline) {
    return pipeline.names != nullptr && !pipeline.names->empty() ? pipeline.names : nullptr;
}

// The worker's run: its records wait for this thread's.
Run worker_run(const Pipeline& pipeline) {
    Run run{*pipeline.layout, *pipeline.table, Output{pipeline.records, pipeline.messages}, false};
    run.names = names_of(pipeline);
    return run;
}

// As convert_lines, the second half of the lines on `worker` (null: none)
// when there are enough of them, into `other`, the worker's run, kept
// from block to block with its buffers. Why: on two processors a large
// input converts in little more than half the time.
std::size_t convert_lines_shared(Run& run, Run& other, Worker* worker, std::string_view lines,
                                 std::size_t number) {
    if (worker == nullptr || lines.size() < kShareAt) return convert_lines(run, lines, number);
    const std::size_t half = lines.find('\n', lines.size() / 2) + 1;
    const std::string_view first = lines.substr(0, half), second = lines.substr(half);
    const auto count = static_cast<std::size_t>(std::count(first.begin(), first.end(), '\n'));
    std::size_t second_count = 0;
    worker->give([&] { second_count = convert_lines(other, second, number + count); });
    convert_lines(run, first, number);
    worker->wait();
    const std::size_t total = count + second_count;

    follow(run, other);
    return total;
}

Run start(const Pipeline& pipeline) {
    Run run{*pipeline.layout, *pipeline.table, Output{pipeline.records, pipeline.messages}, true};
    run.names = names_of(pipeline);
    const std::string header = header_row(*pipeline.layout);
    append_records(run.output, header.size(),
                   [&](char* out) { return std::copy(header.begin(), header.end(), out); });
    return run;
}

Outcome finish(Run& run) {
    flush_output(run.output);
    return {run.invalid, run.output.error, run.output.messages_lost, {}};
}

}  // namespace

Outcome convert_input(const Pipeline& pipeline, const Reader& read) {
    Run run = start(pipeline);
    Run other = worker_run(pipeline);
    Worker worker;
    const bool threads =
        pipeline.threads && std::thread::hardware_concurrency() > 1 && worker.start();
    std::vector<char> chunk(kChunk);
    InputText input;
    std::string line;  // the start of a line that goes on in the next read
    std::size_t number = 0;
    std::string error;
    for (bool more = true; more && flush_output(run.output);) {
        const std::size_t got = read(chunk.data(), chunk.size(), error);
        more = got != 0;
        std::string_view data = input_text(input, std::string_view(chunk.data(), got));
        const std::size_t first_end = data.find('\n');
        if (first_end == std::string_view::npos) {
            // The rest of the line, as much of it as can matter.
            line.append(data, 0, kKept - std::min(line.size(), kKept));
            continue;
        }
        if (!line.empty()) {
            // A line begun in an earlier read.
            line.append(data, 0, std::min(first_end, kKept));
            line += '\n';
            number += convert_lines(run, line, number);
            line.clear();
            data.remove_prefix(first_end + 1);
        }
        const std::size_t last_end = data.rfind('\n');
        if (last_end != std::string_view::npos) {
            number += convert_lines_shared(run, other, threads ? &worker : nullptr,
                                           data.substr(0, last_end + 1), number);
            data.remove_prefix(last_end + 1);
        }
        line.append(data, 0, std::min(data.size(), kKept));
    }
    if (!line.empty()) convert_lines(run, line + '\n', number);
    Outcome outcome = finish(run);
    outcome.read_error = error;
    return outcome;
}

namespace {

// `name` appended to `out` as a terminal may be given it: each control
// character (C0, DEL, C1) and each byte that begins no valid UTF-8
// sequence as '?'.
void append_printable(std::string& out, std::string_view name) {
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = [&](std::size_t i) {
            return at + i < name.size() ? static_cast<unsigned char>(name[at + i]) : 0u;
        };
        const unsigned lead = byte(0);
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
        for (std::size_t i = 1; i < length; ++i) {
            if ((byte(i) & 0xC0) != 0x80) length = 0;
        }
        const bool control = lead < 0x20 || lead == 0x7F || (lead == 0xC2 && byte(1) < 0xA0);
        if (length == 0 || control) {
            out += '?';
            at += length == 0 ? 1 : length;
        } else {
            out.append(name, at, length);
            at += length;
        }
    }
}

// Appends " [NAME]" to `out` for an address found: the first that
// applies of its label, its well-known use's name, its block's
// organisation and what kind it is.
void append_annotation(std::string& out, InputType type, const Bytes& address, const Owner& owner,
                       const OwnerTable& table, const Names* names) {
    RecordSource source;
    thread_local Bytes eui48, eui64;
    source.type = type;
    source.address = &address;
    source.owner = owner;
    const Facts facts = facts_of(source, Needs::kKind, eui48, eui64);
    char name[kWellKnownNameRoom];
    std::string_view shown = facts.kind.randomized  ? "randomized"
                             : facts.kind.slap != 0 ? "locally administered"
                             : facts.kind.cast != 0 ? "multicast"
                                                    : "unassigned";
    const std::string_view label = names != nullptr ? label_of(*names, type, address).name : "";
    if (!label.empty()) {
        shown = label;
    } else if (facts.kind.well_known != nullptr) {
        const Bytes& mac = facts.eui48 != nullptr ? *facts.eui48 : address;
        shown = {name, static_cast<std::size_t>(
                           write_well_known_name(name, *facts.kind.well_known, mac) - name)};
    } else if (source.owner.block.record != kNoRecord) {
        const FlaggedAssignee block = flagged_assignee(table, source.owner.block.record);
        // Why: nearly every organisation is printable ASCII, which the
        // table says, and is copied whole.
        if ((block.organization_flags & kPlain) != 0) {
            ((out += " [") += block.organization) += ']';
            return;
        }
        shown = block.organization;
    }
    out += " [";
    append_printable(out, shown);
    out += ']';
}

// What one thread scanning text keeps from piece to piece: where its scan
// stands, and what it makes: records of the addresses found, or the text
// with their names.
struct Scanning {
    Run run;
    bool annotate;
    Scanner scanner{};
    bool found = false;
    // Records: the group's addresses, which its items view.
    Group group{};
    std::vector<std::string> texts = std::vector<std::string>(kGroup);
    // Annotation: the addresses found in a piece, where their names go in
    // `echo`. Why: their owners' loads are started together, and overlap.
    struct Mark {
        std::size_t at;
        InputType type;
        Bytes address;
        Owner owner;
    };
    std::vector<Mark> marks{};
    std::size_t count = 0;
    std::string echo{}, annotated{};
};

// Scans `text`, the next piece (the end too if `end`), into its records or
// its annotated text.
void scan_piece(Scanning& job, std::string_view text, bool end) {
    const FoundAddress found = [&](std::string_view address, InputType type, const Bytes& bytes,
                                   std::size_t line, std::string* echo) {
        job.found = true;
        if (echo != nullptr) {
            if (job.count == job.marks.size()) job.marks.emplace_back();
            job.marks[job.count++] = {echo->size(), type, bytes, {}};
            return;
        }
        std::string& kept = job.texts[job.group.size];
        kept.assign(address);
        Item& item = job.group.items[job.group.size];
        item.type = type;
        item.address = bytes;
        item.valid = true;
        item.error = nullptr;
        item.read = true;
        add(job.run, job.group, kept, "line", line, true);
    };
    std::string* const echo = job.annotate ? &job.echo : nullptr;
    job.echo.clear();
    job.count = 0;
    if (!text.empty()) scan_text(job.scanner, text, echo, found);
    if (end) scan_text(job.scanner, {}, echo, found);
    if (!job.annotate) return convert(job.run, job.group);
    job.annotated.clear();
    std::size_t copied = 0;
    const OwnerTable& table = job.run.table;
    for (std::size_t first = 0; first < job.count; first += kGroup) {
        const std::size_t last = std::min(first + kGroup, job.count);
        for (std::size_t i = first; i < last; ++i) prefetch_owner(job.marks[i].address, table);
        for (std::size_t i = first; i < last; ++i) {
            job.marks[i].owner = lookup_owner(job.marks[i].address, table);
            prefetch_assignee(table, job.marks[i].owner.block.record, false);
        }
        for (std::size_t i = first; i < last; ++i) {
            prefetch_assignee(table, job.marks[i].owner.block.record, true);
        }
        for (std::size_t i = first; i < last; ++i) {
            const Scanning::Mark& mark = job.marks[i];
            job.annotated.append(job.echo, copied, mark.at - copied);
            append_annotation(job.annotated, mark.type, mark.address, mark.owner, table,
                              job.run.names);
            copied = mark.at;
        }
    }
    job.annotated.append(job.echo, copied, std::string::npos);
    append_records(job.run.output, job.annotated.size(), [&](char* out) {
        return std::copy(job.annotated.begin(), job.annotated.end(), out);
    });
}

// Scans the text of `read` to its end, a block's second half from a line's
// start on the worker (none: on this thread alone), writing what has been
// made before each read.
Outcome scan_all(const Pipeline& pipeline, const Reader& read, bool annotate) {
    Scanning job{start(pipeline), annotate};
    Scanning other{worker_run(pipeline), annotate};
    Worker worker;
    const bool threads =
        pipeline.threads && std::thread::hardware_concurrency() > 1 && worker.start();
    std::vector<char> chunk(kChunk);
    InputText input;
    input.as_read = annotate;
    std::string error;
    for (bool more = true; more && flush_output(job.run.output);) {
        const std::size_t got = read(chunk.data(), chunk.size(), error);
        more = got != 0;
        const std::string_view text = input_text(input, std::string_view(chunk.data(), got));
        const std::size_t half =
            threads && text.size() >= kShareAt ? text.find('\n', text.size() / 2) : text.npos;
        if (half == text.npos) {
            scan_piece(job, text, !more);
            continue;
        }
        const std::string_view first = text.substr(0, half + 1), second = text.substr(half + 1);
        other.scanner = Scanner{};
        other.scanner.line = job.scanner.line +
                             static_cast<std::size_t>(std::count(first.begin(), first.end(), '\n'));
        worker.give([&] { scan_piece(other, second, false); });
        scan_piece(job, first, false);
        worker.wait();
        job.scanner = other.scanner;
        job.found = job.found || other.found;
        follow(job.run, other.run);
        if (!more) scan_piece(job, {}, true);
    }
    Outcome outcome = finish(job.run);
    outcome.read_error = error;
    outcome.found = job.found;
    return outcome;
}

}  // namespace

Outcome scan_input(const Pipeline& pipeline, const Reader& read) {
    return scan_all(pipeline, read, false);
}

Outcome annotate_input(const Pipeline& pipeline, const Reader& read) {
    return scan_all(pipeline, read, true);
}

Outcome convert_arguments(const Pipeline& pipeline, const std::vector<std::string>& arguments) {
    Run run = start(pipeline);
    Group group;
    for (std::size_t i = 0; i < arguments.size() && run.output.error == 0; ++i) {
        add(run, group, arguments[i], "argument", i + 1, false);
    }
    convert(run, group);
    return finish(run);
}

}  // namespace hexalune
