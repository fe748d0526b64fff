// A settings store that lives only as long as the program (tests, headless runs).
#pragma once

#include <map>

#include "platform/Platform.h"

namespace qs {

class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> Read(const std::string& keyPath, const std::string& section,
                                    const std::string& key) override {
        auto it = values_.find(keyPath + "\n" + section + "\n" + key);
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }
    bool Write(const std::string& keyPath, const std::string& section, const std::string& key,
               const std::string& value) override {
        values_[keyPath + "\n" + section + "\n" + key] = value;
        return true;
    }

private:
    std::map<std::string, std::string> values_;
};

}  // namespace qs
