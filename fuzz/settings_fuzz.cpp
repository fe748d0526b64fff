// libFuzzer target for the settings file: whatever a hand-edited file holds,
// storing a value and reading it back gives that value, and a value of
// another key reads the same before and after.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzFolder.h"
#include "platform/host/FileSettingsStore.h"

namespace {

const std::string kKeyPath = "Software\\Q.X.\\quendelstrand";

// Stores value under section and key, and checks it and a neighbour.
void StoreAndReadBack(qs::FileSettingsStore& store, const std::string& section,
                      const std::string& key, const std::string& value) {
    const std::string other = key == "Fenster" ? "Delay" : "Fenster";
    const std::optional<std::string> before = store.Read(kKeyPath, section, other);
    if (!store.Write(kKeyPath, section, key, value)) std::abort();
    if (store.Read(kKeyPath, section, key) != value) std::abort();
    if (store.Read(kKeyPath, section, other) != before) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qs::fuzz::PutFile("settings.ini", data, size);
    qs::FileSettingsStore store(qs::fuzz::FuzzFolder() + "/settings.ini");
    const std::string input(reinterpret_cast<const char*>(data), size);
    StoreAndReadBack(store, "Allgemein", "Delay", input.substr(size - std::min<size_t>(size, 24)));
    // Names out of the input as well: any bytes must survive as names.
    const std::string name = input.substr(0, std::min<size_t>(size, 12));
    if (!name.empty()) StoreAndReadBack(store, name, name, "1");
    return 0;
}
