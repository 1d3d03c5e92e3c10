// load_resource_data for Windows: the listing is resource CSVFILE/1 of the
// running executable, compiled in from its resource script.

#include <windows.h>

#include <stdexcept>

#include "resource.h"

namespace hexalune {

std::string load_resource_data() {
    const HMODULE image = GetModuleHandleA(nullptr);
    if (image == nullptr) throw std::runtime_error("Failed to get module handle.");
    const HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), "CSVFILE");
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
