// The module itself: the program's only code that links Qt SQL. Each function of the store hands
// its call to the Database it holds.

#include "records/store.h"

#include <QtGlobal>

namespace {

using namespace records;

class DatabaseStore final : public Store {
public:
    explicit DatabaseStore(Database database) : database_(std::move(database)) {}

    const DatabaseUrl& url() const override { return database_.url(); }
    Outcome<Filed> file(const BatchRecord& batch) override { return database_.file(batch); }
    Outcome<std::optional<std::int64_t>> findBatch(const std::string& identity) override {
        return database_.findBatch(identity);
    }
    Outcome<std::optional<BatchRecord>> readBatch(std::int64_t id) override {
        return database_.readBatch(id);
    }
    Outcome<std::vector<SeriesPoint>> series(const ChartGroup& group,
                                             const std::string& series) override {
        return database_.series(group, series);
    }
    Outcome<std::vector<SeriesPoint>> lastPoints(const ChartGroup& group, const std::string& series,
                                                 int count) override {
        return database_.lastPoints(group, series, count);
    }
    Outcome<std::int64_t> freeze(const FrozenRecord& limits) override {
        return database_.freeze(limits);
    }
    Outcome<std::optional<FrozenRecord>> frozenLimits(const ChartGroup& group,
                                                      const std::string& series) override {
        return database_.frozenLimits(group, series);
    }
    Outcome<std::vector<GroupSummary>> catalogue() override { return database_.catalogue(); }
    std::optional<Fault>
    exportRecords(const std::function<void(const std::vector<std::string>&)>& row) override {
        return database_.exportRecords(row);
    }
    std::optional<Fault> exportCsv(const std::string& path) override {
        return database_.exportCsv(path);
    }

private:
    Database database_;
};

Outcome<std::unique_ptr<Store>> open(const DatabaseUrl& url, const OpenOptions& options) {
    Outcome<Database> database = Database::open(url, options);
    if (!database) {
        return database.fault();
    }
    return std::unique_ptr<Store>(std::make_unique<DatabaseStore>(std::move(database).value()));
}

const RecordsModule functions{open};

} // namespace

extern "C" Q_DECL_EXPORT const records::RecordsModule* lumetraRecordsModule() {
    return &functions;
}
