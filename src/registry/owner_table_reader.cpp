#include "owner_table_reader.h"

#include <stdexcept>
#include <streambuf>
#include <utility>

namespace hexalune {

namespace {

// Passes a reader's reports on to `out`, each line after `prefix`; of a
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

}  // namespace

OwnerTable read_owner_table(const std::function<NamedListing(Registry)>& listing,
                            std::ostream& report) {
    // The texts, which the records view, kept until the table is built.
    std::string texts[4];
    ListingRecords read[4];
    Listings listings;
    for (Registry registry : {Registry::kMaL, Registry::kMaM, Registry::kMaS, Registry::kIab}) {
        const auto at = static_cast<std::size_t>(registry);
        NamedListing named = listing(registry);
        texts[at] = std::move(named.text);
        Reports reports(report, named.name + ": ");
        std::ostream stream(&reports);
        try {
            read[at] = read_listing_records(registry, texts[at], stream);
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(named.name + ": " + e.what());
        }
        if (reports.lines() > kShownBadLines) {
            const std::size_t more = reports.lines() - kShownBadLines;
            report << named.name << ": " << more << " more bad " << (more == 1 ? "line" : "lines")
                   << " not shown\n";
        }
        listings[at] = std::move(read[at].records);
    }
    return build_owner_table(listings);
}

}  // namespace hexalune
