#pragma once

// The quality-control database: the one place that speaks SQL (database.cpp), through Qt SQL with
// its SQLite and PostgreSQL drivers. Nothing here shows Qt: the window, the command line and a
// module loaded on demand see only these functions and the values of record.h.
//
// Records are append-only: the program inserts and selects, never updates or deletes. Filing
// writes a batch, its curve and every QC row with its verdicts in one transaction, so that a
// process killed while filing leaves the whole batch or none of it. Filings are taken one at a
// time (SQLite's write lock; a PostgreSQL advisory lock, which needs no privilege), so that two
// workstations filing at once neither lose nor duplicate a batch and a chain of supersedings
// never forks.
//
// A PostgreSQL role needs SELECT and INSERT on the tables to file, chart and freeze; creating or
// upgrading the schema (the first use by a new version of the program) needs CREATE on the
// database's schema once, by its owner.

#include "calibration/message.h"
#include "records/record.h"
#include "records/url.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace records {

struct Fault {
    enum class Kind {
        NoDriver,     // Qt's driver for the engine is not installed
        Unreachable,  // the file cannot be opened, the server not reached, the connection lost
        Locked,       // another program held the SQLite file longer than the wait
        DiskFull,     // no room to write
        NotPermitted, // a read-only file, or a role without the privilege
        NewerSchema,  // written by a newer program
        BadRecord,    // what was given cannot be filed (an identity that is not a SHA-256, ...)
        Failed,       // anything else the engine refused
    };
    Kind kind = Kind::Failed;
    calibration::Message message; // names the database and says what to do

    friend bool operator==(const Fault&, const Fault&) = default;
};

// A value, or the fault that kept it from being given.
template <typename T> class Outcome {
public:
    Outcome(T value) : state_(std::move(value)) {}
    Outcome(Fault fault) : state_(std::move(fault)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const T* operator->() const { return &std::get<0>(state_); }
    const Fault& fault() const { return std::get<1>(state_); }

private:
    std::variant<T, Fault> state_;
};

struct OpenOptions {
    int lockWaitMs = 5000;   // how long to wait for a locked SQLite file
    int connectTimeoutS = 5; // how long to try to reach a PostgreSQL server
};

class Database {
public:
    // Opens (an SQLite file is created, its folder too when it is the default one) and brings
    // the schema up to this program's version.
    static Outcome<Database> open(const DatabaseUrl& url, const OpenOptions& options = {});

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();

    const DatabaseUrl& url() const;
    static int currentSchemaVersion();

    // Files a batch. The same identity again files nothing and gives the existing id with
    // duplicate = true. A batch with a batch number supersedes the latest earlier record of the
    // same batch number and method (without a method: and analyte).
    Outcome<Filed> file(const BatchRecord& batch);

    // The id of the batch filed with this identity.
    Outcome<std::optional<std::int64_t>> findBatch(const std::string& identity);
    // A batch as filed, or nullopt.
    Outcome<std::optional<BatchRecord>> readBatch(std::int64_t id);

    // The points of one series of a group, in chart order, only the latest record of each chain
    // and only rows with a value. `series` is a key as seriesKey gives it.
    Outcome<std::vector<SeriesPoint>> series(const ChartGroup& group, const std::string& series);
    // The last `count` of them, in chart order: what a new point's rules look back on.
    Outcome<std::vector<SeriesPoint>> lastPoints(const ChartGroup& group, const std::string& series,
                                                 int count);

    // Stores frozen limits (appended: the latest for a group and series is the one in force).
    Outcome<std::int64_t> freeze(const FrozenRecord& limits);
    Outcome<std::optional<FrozenRecord>> frozenLimits(const ChartGroup& group,
                                                      const std::string& series);

    // Every group with its series and counts.
    Outcome<std::vector<GroupSummary>> catalogue();

    // Every record: a header row of column names, then one row per QC row with its batch's
    // fields (a batch without QC rows: one row with those cells empty), superseded records
    // included. Numbers in their shortest exact form.
    std::optional<Fault>
    exportRecords(const std::function<void(const std::vector<std::string>& cells)>& row);
    // The same as a CSV file (UTF-8 with a byte-order mark, CRLF), written whole or not at all.
    std::optional<Fault> exportCsv(const std::string& path);

    // The connection, known only to database.cpp.
    struct Connection;

private:
    explicit Database(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> connection_;
};

} // namespace records
