#pragma once

// Which quality-control database the program uses: the one named on the command line, else the
// environment's LUMETRA_DATABASE, else the settings' "质控数据库" (本机: the default SQLite file,
// or a PostgreSQL server), else the default file. The settings never hold a password: libpq
// reads it from ~/.pgpass or PGPASSWORD.

#include "calibration/message.h"
#include "records/url.h"

#include <optional>
#include <string>
#include <variant>

namespace records {

struct DatabaseSetting {
    bool postgresql = false; // false: this workstation's default SQLite file
    std::string host;        // a name or an address; a folder ("/run/postgresql") for a socket
    int port = 0;            // 0: libpq's default, 5432
    std::string database, user;

    friend bool operator==(const DatabaseSetting&, const DatabaseSetting&) = default;
};

// As kept in the settings (QSettings, "qcDatabase/..."); the default file when nothing is kept.
DatabaseSetting savedSetting();
void saveSetting(const DatabaseSetting& setting);

// The database a setting names; for PostgreSQL, why it cannot be used (no database name).
std::variant<DatabaseUrl, calibration::Message> urlOf(const DatabaseSetting& setting);

// The text of LUMETRA_DATABASE, when set and not empty.
std::optional<std::string> environmentDatabase();

// LUMETRA_DATABASE, else the settings, else the default file; a LUMETRA_DATABASE that is not a
// URL, or a setting that cannot be used, is an error naming where it came from.
std::variant<DatabaseUrl, calibration::Message> configuredDatabase();

} // namespace records
