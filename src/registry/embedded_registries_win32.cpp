// load_embedded_listing for Windows, and so load_resource_data: the
// listings are resources CSVFILE 1 to 4 of the running executable, compiled
// in from its resource script.

#include <windows.h>

#include <stdexcept>

#include "registries.h"

namespace hexalune {

std::string load_embedded_listing(Registry registry) {
    int number = 1;
    switch (registry) {
        case Registry::kMaL:
            break;
        case Registry::kMaM:
            number = 2;
            break;
        case Registry::kMaS:
            number = 3;
            break;
        case Registry::kIab:
            number = 4;
            break;
    }
    const HMODULE image = GetModuleHandleA(nullptr);
    if (image == nullptr) throw std::runtime_error("Failed to get module handle.");
    const HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(number), "CSVFILE");
    if (found == nullptr) throw std::runtime_error("Failed to find resource.");
    const HGLOBAL loaded = LoadResource(image, found);
    if (loaded == nullptr) throw std::runtime_error("Failed to load resource.");
    // The pointer comes before the size; both stay valid while the image is
    // mapped, and nothing needs releasing.
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr) throw std::runtime_error("Failed to lock resource.");
    const DWORD size = SizeofResource(image, found);
    if (size == 0) throw std::runtime_error("Failed to get resource size.");
    return std::string(static_cast<const char*>(bytes), size);
}

}  // namespace hexalune
