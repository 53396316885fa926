#pragma once

// The quality-control database as the windows and the command line reach it: through a module
// loaded at the first use (liblumetra_records.so, which holds database.cpp with Qt SQL and its
// drivers), so that the program does not link Qt SQL and a run that never opens the database
// (the cover, `lumetra report`) pays nothing for it. The store offers what Database does, one
// function for each; see database.h.

#include "records/database.h"

#include <memory>

namespace records {

class Store {
public:
    virtual ~Store() = default;

    virtual const DatabaseUrl& url() const = 0;
    virtual Outcome<Filed> file(const BatchRecord& batch) = 0;
    virtual Outcome<std::optional<std::int64_t>> findBatch(const std::string& identity) = 0;
    virtual Outcome<std::optional<BatchRecord>> readBatch(std::int64_t id) = 0;
    virtual Outcome<std::vector<SeriesPoint>> series(const ChartGroup& group,
                                                     const std::string& series) = 0;
    virtual Outcome<std::vector<SeriesPoint>> lastPoints(const ChartGroup& group,
                                                         const std::string& series, int count) = 0;
    virtual Outcome<std::int64_t> freeze(const FrozenRecord& limits) = 0;
    virtual Outcome<std::optional<FrozenRecord>> frozenLimits(const ChartGroup& group,
                                                              const std::string& series) = 0;
    virtual Outcome<std::vector<GroupSummary>> catalogue() = 0;
    virtual std::optional<Fault>
    exportRecords(const std::function<void(const std::vector<std::string>& cells)>& row) = 0;
    virtual std::optional<Fault> exportCsv(const std::string& path) = 0;
};

// Opens the database through the module (Database::open: an SQLite file is created with its
// schema). A module that cannot be loaded is a NoDriver fault naming the reason.
Outcome<std::unique_ptr<Store>> openStore(const DatabaseUrl& url, const OpenOptions& options = {});

// An SQLite database that does not exist yet, which opening would create: reading it finds
// nothing, so the commands that only read say so instead of leaving an empty file behind.
bool missingFile(const DatabaseUrl& url);

// What the module offers. The program and the module are built together, so C++ types cross.
struct RecordsModule {
    Outcome<std::unique_ptr<Store>> (*open)(const DatabaseUrl& url, const OpenOptions& options);
};

} // namespace records
