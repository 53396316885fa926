// A second program that files, for the tests of two processes at once, of a process killed while
// filing and of a full disk:
//   records_filer URL PREFIX COUNT ROWS [SHARED] [CHAINS]
// files COUNT batches of ROWS QC rows (COUNT 0: until killed). Batch i is "shared-i" for i <
// SHARED (the same document filed by both programs), else "PREFIX-i"; with CHAINS > 0 it carries
// the batch number "B<i % CHAINS>". Prints "filed ID DUPLICATE SUPERSEDES" after each commit, or
// "fault KIND MESSAGE" and exits 2.

#include "records/database.h"
#include "support.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: records_filer URL PREFIX COUNT ROWS [SHARED] [CHAINS]\n");
        return 1;
    }
    const auto url = records::parseDatabaseUrl(argv[1]);
    if (!std::holds_alternative<records::DatabaseUrl>(url)) {
        std::fprintf(stderr, "bad URL\n");
        return 1;
    }
    const std::string prefix = argv[2];
    const int count = std::stoi(argv[3]);
    const int rows = std::stoi(argv[4]);
    const int shared = argc > 5 ? std::stoi(argv[5]) : 0;
    const int chains = argc > 6 ? std::stoi(argv[6]) : 0;

    const auto fail = [](const records::Fault& fault) {
        std::printf("fault %d %s\n", static_cast<int>(fault.kind),
                    calibration::render(fault.message).c_str());
        std::fflush(stdout);
        return 2;
    };
    auto opened = records::Database::open(std::get<records::DatabaseUrl>(url));
    if (!opened) {
        return fail(opened.fault());
    }
    records::Database database = std::move(opened).value();
    for (int i = 0; count == 0 || i < count; ++i) {
        const std::string seed =
            i < shared ? "shared-" + std::to_string(i) : prefix + "-" + std::to_string(i);
        records::BatchRecord batch = records_test::sampleBatch(seed, rows);
        if (chains > 0) {
            batch.header.batchNumber = "B" + std::to_string(i % chains);
        }
        const auto filed = database.file(batch);
        if (!filed) {
            return fail(filed.fault());
        }
        std::printf("filed %lld %d %lld\n", static_cast<long long>(filed->batch),
                    filed->duplicate ? 1 : 0,
                    static_cast<long long>(filed->supersedes.value_or(0)));
        std::fflush(stdout);
    }
    return 0;
}
