// The per-user settings of the trainer: string values under the key path
// "Software\Q.X.\" + program file name (+ "\" + a sub-key), grouped in
// sections.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/Platform.h"

namespace qs {

// A setting could not be stored.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Software\Q.X.\<programFileName>", followed by "\<subKey>" unless subKey
// is empty.
std::string SettingsKeyPath(const std::string& programFileName, const std::string& subKey);

// value := the string stored under key in section, or defaultValue when
// there is none.
void ReadSetting(SettingsStore& store, const std::string& programFileName,
                 const std::string& subKey, const std::string& section, const std::string& key,
                 std::string& value, const std::string& defaultValue);

// Stores the string. Raises SettingsError when the store refuses it.
void WriteSetting(SettingsStore& store, const std::string& programFileName,
                  const std::string& subKey, const std::string& section, const std::string& key,
                  const std::string& value);

}  // namespace qs
