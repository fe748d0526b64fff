// The per-user settings, kept in a small text file (by default
// $XDG_CONFIG_HOME/quendelstrand/settings.ini, or ~/.config/... when that
// variable is not set).
//
// The file has one section per key path and section, and one line per
// value:
//
//     [Software\Q.X.\quendelstrand\Allgemein]
//     Delay=1
//
// Bytes below 32, '%', bytes above 126, and characters that would end a
// name early ('=' in a key, ']' in a section name, blanks at either end) are
// written as %XX (hex), so the file is plain ASCII and any string survives.
// Section and key names are found without regard to ASCII case, as the
// Windows registry does. Lines that cannot be understood are skipped; a file
// that cannot be read at all reads as empty and is never overwritten.
// Every write replaces the file atomically and changes only the lines of the
// value it stores: comments, blank lines and lines the reader skips stay.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace qs {

class FileSettingsStore : public SettingsStore {
public:
    explicit FileSettingsStore(std::string path);

    std::optional<std::string> Read(const std::string& keyPath, const std::string& section,
                                    const std::string& key) override;
    bool Write(const std::string& keyPath, const std::string& section, const std::string& key,
               const std::string& value) override;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The settings file of the current user (see above).
std::string DefaultSettingsPath();

}  // namespace qs
