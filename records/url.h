#pragma once

// Where the quality-control records are kept: an SQLite file on this workstation, or a PostgreSQL
// database shared by a laboratory's workstations. Written as a URL on the command line and in
// LUMETRA_DATABASE:
//   sqlite:PATH                                 sqlite:/home/lab/qc.sqlite, sqlite:qc.sqlite
//   postgresql://user@host:port/dbname          postgresql://lab@db.lab.local:5432/qc
//   postgresql://user@/dbname?host=/socket/dir  a server on a Unix socket in /socket/dir
// The user, the host and the port may be left out (libpq's defaults: the login name, the local
// socket, 5432); %XX in the user and the database name stands for that byte. A password is never
// part of the URL: libpq reads it from ~/.pgpass or PGPASSWORD, so that it is stored nowhere by
// this program.

#include "calibration/message.h"

#include <string>
#include <string_view>
#include <variant>

namespace records {

struct DatabaseUrl {
    enum class Engine { Sqlite, Postgresql };
    Engine engine = Engine::Sqlite;
    std::string path; // SQLite: the file, as written
    // PostgreSQL; empty or 0 for libpq's default.
    std::string user, host, database;
    int port = 0;
    std::string socketDirectory; // ?host=/socket/dir

    friend bool operator==(const DatabaseUrl&, const DatabaseUrl&) = default;
};

// The URL read, or why it cannot be: "质控数据库地址 \"x\" 无效：应为 sqlite:文件 或
// postgresql://用户@主机:端口/数据库", "…不得包含密码（请使用 ~/.pgpass 或 PGPASSWORD）".
std::variant<DatabaseUrl, calibration::Message> parseDatabaseUrl(std::string_view text);

// The URL again, as messages show it: "sqlite:/home/lab/qc.sqlite",
// "postgresql://lab@/qc?host=/run/pg".
std::string databaseText(const DatabaseUrl& url);

// The database used when none is named: qc.sqlite in the program's data folder, beside
// last.lumetra (~/.local/share/lumetra/qc.sqlite).
DatabaseUrl defaultDatabase();

} // namespace records
