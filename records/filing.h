#pragma once

// Filing a batch, as the window's "归档批次" and `lumetra qc file` do it, and what this workstation
// remembers of its filings.
//
// The memory: every batch filed (or found filed already) from this workstation is written down
// with its database, so that the window can tell, without reaching the database, whether the
// document it opens was filed and mark it "未归档" until it is. It is a file beside the default
// database in the program's data folder, filed-batches.tsv, one filing a line:
// DATABASE TAB IDENTITY TAB BATCH ID, the database as databaseText writes it (an SQLite file by
// its absolute path). The file is rewritten whole on each filing, keeps the latest 100 000
// filings, and a line it cannot read is passed over. It is a memory, not the record: a batch filed
// from another workstation is marked until filing it here says "此批次已归档".

#include "calibration/message.h"
#include "records/database.h"
#include "records/url.h"

#include <cstdint>
#include <optional>
#include <string>

namespace records {

class Store;

// The batch id remembered for `identity` in the database of `url`, or none.
std::optional<std::int64_t> rememberedFiling(const DatabaseUrl& url, const std::string& identity);

// Writes the filing down; why it could not be, or nullopt.
std::optional<calibration::Message> rememberFiling(const DatabaseUrl& url,
                                                   const std::string& identity, std::int64_t batch);

// Files the record (Store::file) and remembers it, new or already filed. A fault files nothing
// and remembers nothing.
Outcome<Filed> fileBatch(Store& store, const BatchRecord& record);

} // namespace records
