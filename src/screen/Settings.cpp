#include "screen/Settings.h"

namespace qs {

std::string SettingsKeyPath(const std::string& programFileName, const std::string& subKey) {
    std::string path = "Software\\Q.X.\\" + programFileName;
    if (!subKey.empty()) path += "\\" + subKey;
    return path;
}

void ReadSetting(SettingsStore& store, const std::string& programFileName,
                 const std::string& subKey, const std::string& section, const std::string& key,
                 std::string& value, const std::string& defaultValue) {
    auto stored = store.Read(SettingsKeyPath(programFileName, subKey), section, key);
    value = stored ? *stored : defaultValue;
}

void WriteSetting(SettingsStore& store, const std::string& programFileName,
                  const std::string& subKey, const std::string& section, const std::string& key,
                  const std::string& value) {
    if (!store.Write(SettingsKeyPath(programFileName, subKey), section, key, value))
        throw SettingsError("setting " + section + "/" + key + " could not be stored");
}

}  // namespace qs
