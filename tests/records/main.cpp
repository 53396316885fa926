// The database tests' entry: Qt's SQL drivers are plugins, found through the application object.
// Built twice: against SQLite files (the quick loop) and, with LUMETRA_TEST_POSTGRESQL, against a
// PostgreSQL server the tests start themselves (labelled slow).

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace records_test {
void registerServer();
}

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
#ifdef LUMETRA_TEST_POSTGRESQL
    records_test::registerServer();
#endif
    return RUN_ALL_TESTS();
}
