#pragma once

// What the database tests share: a fresh database of the engine under test (an SQLite file in a
// temporary folder, or a database of its own on a PostgreSQL server that the tests start under
// initdb/pg_ctl), the batches they file, and the helper program that files from another process.

#include "records/database.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace records_test {

// The engine the tests of this executable run against.
bool onPostgresql();

// A database nobody has used yet.
records::DatabaseUrl freshDatabase();

// Opens, failing the test on a fault.
records::Database openOrFail(const records::DatabaseUrl& url,
                             const records::OpenOptions& options = {});

// A batch with a distinct identity for each `seed`, `rows` QC rows (checks at 3 and 3.00, a
// reference material, a spike, a duplicate, a blank, in turn) with two verdicts each.
records::BatchRecord sampleBatch(const std::string& seed, int rows = 6);
// The SHA-256 of a text, as the identity of a batch.
std::string sha256(const std::string& text);

// The helper program records_filer (filer.cpp).
QString filerPath();
// Runs a program to its end; its exit code, standard output in `out`.
int run(const QString& program, const QStringList& arguments, QString* out = nullptr,
        const QStringList& environment = {});

// Statements run on the database as its owner, outside the program (each must succeed), and a
// count read the same way.
void runSql(const records::DatabaseUrl& url, const std::vector<std::string>& statements);
long long sqlCount(const records::DatabaseUrl& url, const std::string& query);

// A PostgreSQL administrator's statement on the test server (psql as the server's owner).
void postgresqlAdmin(const records::DatabaseUrl& url, const std::string& statement);

// Fails the test with the fault's message when an outcome is not ok, and gives its value.
template <typename T> T valueOrFail(records::Outcome<T> outcome) {
    if (!outcome.ok()) {
        ADD_FAILURE() << calibration::render(outcome.fault().message);
        return T{};
    }
    return std::move(outcome).value();
}

} // namespace records_test
