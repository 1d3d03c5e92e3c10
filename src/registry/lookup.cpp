#include "lookup.h"

namespace hexalune {

std::string stripSubstring(const std::string& text, const std::string& substring) {
    if (substring.empty()) return text;
    // Characters are kept one by one; whenever the kept text ends in the
    // substring, that occurrence is dropped. This removes exactly what
    // erasing the first occurrence and searching again from the start
    // would, in one pass.
    std::string kept;
    kept.reserve(text.size());
    const std::size_t n = substring.size();
    for (char c : text) {
        kept += c;
        if (kept.size() >= n && kept.compare(kept.size() - n, n, substring) == 0) {
            kept.resize(kept.size() - n);
        }
    }
    return kept;
}

OUIInfo lookup_oui_info(const Bytes& mac, const RegistryMap& registry) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string key;
    for (std::size_t i = 0; i < 3 && i < mac.size(); ++i) {
        key += kDigits[mac[i] >> 4];
        key += kDigits[mac[i] & 0x0f];
    }
    const auto found = registry.find(key);
    return found == registry.end() ? OUIInfo{} : found->second;
}

OUIInfo lookup_oui_info(const std::string& mac_text, const RegistryMap& registry) {
    std::string key = stripSubstring(mac_text, ":").substr(0, 6);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    const auto found = registry.find(key);
    return found == registry.end() ? OUIInfo{} : found->second;
}

}  // namespace hexalune
