#include "record.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "escape.h"
#include "registry/owner_table_fast.h"

namespace hexalune {

namespace {

// Text written before a value or after a record, copied whole. Why: 32
// bytes at once (the room holds them), and the record goes on from its end.
struct LeadIn {
    char text[32];
    std::size_t size;

    LeadIn& operator<<(std::string_view piece) {
        if (size + piece.size() >= sizeof text) throw std::logic_error("a lead-in too long");
        piece.copy(text + size, piece.size());
        size += piece.size();
        return *this;
    }
};

char* put(char* out, const LeadIn& lead_in) {
    std::memcpy(out, lead_in.text, sizeof lead_in.text);
    return out + lead_in.size;
}

char* put(char* out, std::string_view text) { return copy_text(out, text); }

// One value of a record in its place, as a format writes it, with what
// it needs of its field and part at hand. Why: a record is some thirty
// steps, each taken without a look elsewhere.
struct Step {
    const Field* field;
    const Part* part;
    LeadIn lead_in;
    char* (*write)(char* out, const Facts& facts);
    Text (*text)(const Facts& facts, char* scratch);
    Style style;
    unsigned requires;  // what a record must have (having), or the value is null
    bool closes;        // the last step of a JSON object
    // Either of: the step opens a field that may be null whole, or begins
    // a run of keyed steps (Run).
    bool special = false;
    bool opens = false;
    // Where it opens a field: the whole field as null, its lead-in
    // included, and the step after the field's last.
    bool (*present)(const Facts& facts) = nullptr;
    std::size_t after_field = 0;
    std::size_t run = std::size_t(-1);
    LeadIn null_field{};
};

// Steps whose values all follow from the input's type and kind_key, written
// together for each of kKindKeys. Why: copied whole, 32 bytes at a time,
// they cost a fifth of writing those values one by one.
struct Run {
    std::size_t end;    // the step after the run's last
    std::string texts;  // one after another, and 32 bytes more
    std::size_t begins[kKindKeys];
    std::size_t sizes[kKindKeys];
};

char* put(char* out, const Run& run, std::size_t key) {
    const char* text = run.texts.data() + run.begins[key];
    for (std::size_t at = 0; at < run.sizes[key]; at += 32) std::memcpy(out + at, text + at, 32);
    return out + run.sizes[key];
}

// What a record has, that a step may require. Why bits: a step tells
// whether its value is null with one test.
constexpr unsigned kEui48Form = 1, kEui64Form = 2, kAddress = 4;

unsigned having(const Facts& facts) {
    return (facts.eui48 != nullptr ? kEui48Form : 0) | (facts.eui64 != nullptr ? kEui64Form : 0) |
           (facts.source.address != nullptr ? kAddress : 0);
}

unsigned requires_of(const Field& field) {
    return (any_of(field.needs, Needs::kEui48) ? kEui48Form : 0) |
           (any_of(field.needs, Needs::kEui64) ? kEui64Form : 0) |
           (field.shown == Shown::kValid ? kAddress : 0);
}

bool plain(const Text& text) {
    return (text.flags & kPlain) != 0 && (text.text.empty() || !begins_formula(text.text[0]));
}

// JSON Lines: an object a record, a nested field an object in it, null for
// what a record does not have.
struct Json {
    static constexpr const char* kBegin = "{";
    static constexpr const char* kEnd = "}\n";
    static LeadIn lead_in(const Step& step, bool first) {
        LeadIn text{};
        text << (first ? "\"" : ",\"");
        if (step.part->name != nullptr && step.opens) text << step.field->name << "\":{\"";
        text << (step.part->name != nullptr ? step.part->name : step.field->name);
        return text << (step.part->style == Style::kWord ? "\":\"" : "\":");
    }
    static LeadIn null_field(const Step& step, bool first) {
        LeadIn text{};
        return text << (first ? "\"" : ",\"") << step.field->name << "\":null";
    }
    // A word's lead-in has opened its quote.
    static char* word(char* out, char* end) {
        if (end == nullptr) return null(out - 1);
        *end = '"';
        return end + 1;
    }
    static char* literal(char* out, char* end) { return end != nullptr ? end : null(out); }
    static char* text(char* out, const Text& text) {
        if (!plain(text)) return write_json_string(out, text.text);
        *out++ = '"';
        out = put(out, text.text);
        *out++ = '"';
        return out;
    }
    static char* null(char* out) { return put(out, "null"); }
    static char* null(char* out, Style style) {
        return null(style == Style::kWord ? out - 1 : out);
    }
    static char* close(char* out) {
        *out++ = '}';
        return out;
    }
};

// CSV: a column a value, empty for what a record does not have.
struct Csv {
    static constexpr const char* kBegin = "";
    static constexpr const char* kEnd = "\n";
    static LeadIn lead_in(const Step&, bool first) {
        LeadIn text{};
        return text << (first ? "" : ",");
    }
    static LeadIn null_field(const Step& step, bool first) { return lead_in(step, first); }
    static char* word(char* out, char* end) { return end != nullptr ? end : out; }
    static char* literal(char* out, char* end) { return word(out, end); }
    // A text needing no escaping is copied whole, quoted if it holds a comma.
    static char* text(char* out, const Text& text) {
        if (!plain(text)) return write_csv_field(out, text.text);
        const bool quoted = (text.flags & kNoComma) == 0;
        if (quoted) *out++ = '"';
        out = put(out, text.text);
        if (quoted) *out++ = '"';
        return out;
    }
    static char* null(char* out, Style) { return out; }
    static char* close(char* out) { return out; }
};

template <typename Format>
char* write_step(char* out, const Step& step, const Facts& facts, unsigned has, char* scratch) {
    out = put(out, step.lead_in);
    if ((step.requires & ~has) != 0) {
        out = Format::null(out, step.style);
    } else if (step.style == Style::kText) {
        const Text text = step.text(facts, scratch);
        out = text.text.data() != nullptr ? Format::text(out, text) : Format::null(out, step.style);
    } else {
        char* const end = step.write(out, facts);
        out = step.style == Style::kWord ? Format::word(out, end) : Format::literal(out, end);
    }
    return step.closes ? Format::close(out) : out;
}

}  // namespace

struct RecordLayout {
    Format format;
    std::vector<Step> steps;        // of an address's record
    std::vector<Step> error_steps;  // of an error record
    std::vector<Run> runs;
    LeadIn begin;
    LeadIn end;
    std::string header;
    Needs needs = Needs::kNothing;  // what its steps need
};

namespace {

// The parts of `fields` named in `list`, in its order, each once.
std::vector<std::pair<const Field*, const Part*>> chosen(std::optional<std::string_view> list) {
    std::vector<std::pair<const Field*, const Part*>> parts;
    parts.reserve(64);
    const auto add = [&](const Field& field, const Part& part, std::string_view name) {
        for (const auto& named : parts) {
            if (named.second == &part) {
                throw FieldsError("field '" + std::string(name) + "' named twice");
            }
        }
        parts.emplace_back(&field, &part);
    };
    if (!list) {
        for (const Field& field : record_fields()) {
            for (const Part& part : field.parts) add(field, part, field.name);
        }
        return parts;
    }
    for (std::size_t at = 0; at <= list->size();) {
        const std::size_t end = std::min(list->find(',', at), list->size());
        const std::string_view name = list->substr(at, end - at);
        if (name.empty()) throw FieldsError("an empty field name");
        bool found = false;
        for (const Field& field : record_fields()) {
            for (const Part& part : field.parts) {
                const std::string column =
                    part.name ? std::string(field.name) + '_' + part.name : field.name;
                if (name == field.name || name == column) {
                    add(field, part, name);
                    found = true;
                }
            }
        }
        if (!found) throw FieldsError("unknown field '" + std::string(name) + "'");
        at = end + 1;
    }
    return parts;
}

// The steps of `parts` in `Format`: in JSON a nested field's parts are
// written together, where the first of them stands.
template <typename Format>
std::vector<Step> steps_of(std::vector<std::pair<const Field*, const Part*>> parts, bool json) {
    if (json) {
        std::vector<std::pair<const Field*, const Part*>> grouped;
        for (const auto& part : parts) {
            if (std::any_of(grouped.begin(), grouped.end(),
                            [&](const auto& g) { return g.first == part.first; })) {
                continue;
            }
            for (const auto& same : parts) {
                if (same.first == part.first) grouped.push_back(same);
            }
        }
        parts = grouped;
    }
    std::vector<Step> steps;
    steps.reserve(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Field& field = *parts[i].first;
        const Part& part = *parts[i].second;
        Step step{&field, &part, {}, part.write, part.text, part.style, requires_of(field), false};
        step.opens = !json || i == 0 || parts[i - 1].first != step.field;
        if (step.opens) step.present = field.present;
        step.special = step.present != nullptr;
        step.closes = json && step.part->name != nullptr &&
                      (i + 1 == parts.size() || parts[i + 1].first != step.field);
        step.lead_in = Format::lead_in(step, i == 0);
        step.null_field = Format::null_field(step, i == 0);
        std::size_t after = i + 1;
        while (json && after < parts.size() && parts[after].first == step.field) ++after;
        step.after_field = after;
        steps.push_back(step);
    }
    return steps;
}

template <typename Format>
char* write_steps(char* out, const RecordLayout& layout, const std::vector<Step>& steps,
                  std::size_t begin, std::size_t end, const Facts& facts, std::size_t key) {
    char scratch[kWellKnownNameRoom];
    const unsigned has = having(facts);
    for (std::size_t i = begin; i < end;) {
        const Step& step = steps[i];
        if (step.special) {
            if (step.run < layout.runs.size() && key < kKindKeys) {
                const Run& run = layout.runs[step.run];
                out = put(out, run, key);
                i = run.end;
                continue;
            }
            if (step.present != nullptr &&
                (facts.source.address == nullptr || !step.present(facts))) {
                out = put(out, step.null_field);
                i = step.after_field;
                continue;
            }
        }
        out = write_step<Format>(out, step, facts, has, scratch);
        ++i;
    }
    return out;
}

// The runs of keyed steps of `layout`, and their texts.
template <typename Format>
void prepare_runs(RecordLayout& layout) {
    std::vector<Step>& steps = layout.steps;
    const Bytes address(8);
    for (std::size_t begin = 0; begin < steps.size(); ++begin) {
        if (!steps[begin].field->keyed) continue;
        std::size_t end = begin;
        while (end < steps.size() && steps[end].field->keyed) ++end;
        Run run{end, {}, {}, {}};
        std::string scratch(record_room(RecordSource{}), '\0');
        for_each_kind([&](InputType type, const Kind& kind) {
            RecordSource source;
            source.type = type;
            source.address = &address;
            Facts facts{source};
            facts.kind = kind;
            const char* const text_end =
                write_steps<Format>(scratch.data(), layout, steps, begin, end, facts, kKindKeys);
            const std::size_t key = kind_key(type, kind);
            run.begins[key] = run.texts.size();
            run.sizes[key] = static_cast<std::size_t>(text_end - scratch.data());
            run.texts.append(scratch.data(), run.sizes[key]);
        });
        run.texts.append(32, '\0');
        steps[begin].run = layout.runs.size();
        steps[begin].special = true;
        layout.runs.push_back(std::move(run));
        begin = end - 1;
    }
}

template <typename Format>
std::shared_ptr<RecordLayout> layout_of(std::optional<std::string_view> list, bool json) {
    auto layout = std::make_shared<RecordLayout>();
    const auto parts = chosen(list);
    // In JSON an address's record has no error, and an error record the
    // input and the error alone.
    std::vector<std::pair<const Field*, const Part*>> valid_parts, error_parts;
    for (const auto& part : parts) {
        if (!json || part.first->shown != Shown::kError) valid_parts.push_back(part);
    }
    for (const auto& part : json ? chosen(std::nullopt) : parts) {
        if (!json || part.first->shown != Shown::kValid) error_parts.push_back(part);
    }
    layout->steps = steps_of<Format>(valid_parts, json);
    // Keyed steps are written by the kind's key.
    for (const auto& part : valid_parts) {
        layout->needs =
            layout->needs | part.first->needs | (part.first->keyed ? Needs::kKind : Needs::kNothing);
    }
    layout->error_steps = steps_of<Format>(error_parts, json);
    layout->begin << Format::kBegin;
    layout->end << Format::kEnd;
    for (const auto& [field, part] : parts) {
        (layout->header += ',') +=
            part->name ? std::string(field->name) + '_' + part->name : field->name;
    }
    layout->header = json ? "" : layout->header.substr(1) + '\n';
    prepare_runs<Format>(*layout);
    return layout;
}

template <typename Format>
char* write(char* out, const RecordLayout& layout, const RecordSource& source) {
    // The forms the input does not give itself, in buffers kept from record
    // to record.
    thread_local Bytes eui48, eui64;
    const Facts facts = facts_of(source, layout.needs, eui48, eui64);
    const bool valid = source.address != nullptr;
    const std::vector<Step>& steps = valid ? layout.steps : layout.error_steps;
    const std::size_t key =
        valid && facts.kind.well_known == nullptr ? kind_key(source.type, facts.kind) : kKindKeys;
    out = write_steps<Format>(put(out, layout.begin), layout, steps, 0, steps.size(), facts, key);
    return put(out, layout.end);
}

// Room for everything of a record but its input, owner texts and error.
std::size_t fixed_room() {
    std::size_t room = 2 * sizeof(LeadIn::text);
    for (const Field& field : record_fields()) {
        for (const Part& part : field.parts) room += 2 * sizeof(LeadIn::text) + part.room + 2;
    }
    return room;
}

}  // namespace

std::shared_ptr<const RecordLayout> record_layout(Format format,
                                                  std::optional<std::string_view> list) {
    std::shared_ptr<RecordLayout> layout =
        format == Format::kJson ? layout_of<Json>(list, true) : layout_of<Csv>(list, false);
    layout->format = format;
    return layout;
}

std::string header_row(const RecordLayout& layout) { return layout.header; }

Needs record_needs(const RecordLayout& layout) { return layout.needs; }

std::size_t record_room(const RecordSource& source) {
    static const std::size_t kFixedRoom = fixed_room();
    std::size_t room = kFixedRoom + escaped_room(source.input);
    if (source.address == nullptr) {
        return room + escaped_room(source.error != nullptr ? source.error : kInvalidMac);
    }
    for (const FlaggedAssignee* owner : {&source.oui, &source.block}) {
        room += escaped_room(owner->organization) + escaped_room(owner->address) +
                escaped_room(owner->short_name);
    }
    return source.label.name.empty() ? room : room + escaped_room(source.label.name);
}

char* write_record(char* out, const RecordLayout& layout, const RecordSource& source) {
    return layout.format == Format::kJson ? write<Json>(out, layout, source)
                                          : write<Csv>(out, layout, source);
}

}  // namespace hexalune
