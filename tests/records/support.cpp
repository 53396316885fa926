#include "support.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace records_test {

namespace {

// A PostgreSQL server of the tests' own: a cluster made by initdb in a temporary folder, on a Unix
// socket in that folder and no TCP port, run as "nobody" when the tests run as root (the server
// refuses root). Its superuser is "lumetra", trusted on the socket.
class Server : public ::testing::Environment {
public:
    void SetUp() override {
        const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                                         .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        ASSERT_FALSE(versions.isEmpty()) << "PostgreSQL is not installed (Debian: postgresql)";
        bin_ = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(versions.last());
        folder_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(folder_->isValid());
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            ASSERT_NE(nobody, nullptr);
            ASSERT_EQ(::chown(QFile::encodeName(folder_->path()).constData(), nobody->pw_uid,
                              nobody->pw_gid),
                      0);
        }
        const QString data = folder_->filePath(QStringLiteral("data"));
        QString out;
        ASSERT_EQ(run(bin_ + QStringLiteral("initdb"),
                      {QStringLiteral("-D"), data, QStringLiteral("-U"), QStringLiteral("lumetra"),
                       QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
                       QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("-N")},
                      &out, {}, true),
                  0)
            << out.toStdString();
        ASSERT_EQ(run(bin_ + QStringLiteral("pg_ctl"),
                      {QStringLiteral("-D"), data, QStringLiteral("-l"),
                       folder_->filePath(QStringLiteral("log")), QStringLiteral("-w"),
                       QStringLiteral("-o"),
                       QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off "
                                      "-c max_connections=60")
                           .arg(folder_->path()),
                       QStringLiteral("start")},
                      &out, {}, true),
                  0)
            << out.toStdString();
        started_ = true;
    }

    void TearDown() override {
        if (started_) {
            run(bin_ + QStringLiteral("pg_ctl"),
                {QStringLiteral("-D"), folder_->filePath(QStringLiteral("data")),
                 QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")},
                nullptr, {}, true);
        }
        folder_.reset();
    }

    records::DatabaseUrl create() {
        const QString name = QStringLiteral("qc_%1").arg(++databases_);
        QString out;
        EXPECT_EQ(run(bin_ + QStringLiteral("createdb"),
                      {QStringLiteral("-h"), folder_->path(), QStringLiteral("-U"),
                       QStringLiteral("lumetra"), name},
                      &out),
                  0)
            << out.toStdString();
        records::DatabaseUrl url;
        url.engine = records::DatabaseUrl::Engine::Postgresql;
        url.user = "lumetra";
        url.database = name.toStdString();
        url.socketDirectory = folder_->path().toStdString();
        return url;
    }

    QString bin() const { return bin_; }

    int run(const QString& program, const QStringList& arguments, QString* out,
            const QStringList& environment, bool asOwner) {
        if (asOwner && ::geteuid() == 0) {
            return records_test::run(QStringLiteral("runuser"),
                                     QStringList{QStringLiteral("-u"), QStringLiteral("nobody"),
                                                 QStringLiteral("--"), program} +
                                         arguments,
                                     out, environment);
        }
        return records_test::run(program, arguments, out, environment);
    }

private:
    int run(const QString& program, const QStringList& arguments, QString* out) {
        return run(program, arguments, out, {}, false);
    }

    QString bin_;
    std::unique_ptr<QTemporaryDir> folder_;
    bool started_ = false;
    int databases_ = 0;
};

Server* server = nullptr;

} // namespace

void registerServer() {
    server = new Server;
    ::testing::AddGlobalTestEnvironment(server); // owned by GoogleTest
}

bool onPostgresql() {
    return server != nullptr;
}

records::DatabaseUrl freshDatabase() {
    if (server) {
        return server->create();
    }
    static QTemporaryDir folder;
    static int files = 0;
    records::DatabaseUrl url;
    url.path = folder.filePath(QStringLiteral("qc-%1.sqlite").arg(++files)).toStdString();
    return url;
}

records::Database openOrFail(const records::DatabaseUrl& url, const records::OpenOptions& options) {
    auto opened = records::Database::open(url, options);
    if (!opened.ok()) {
        throw std::runtime_error(calibration::render(opened.fault().message));
    }
    return std::move(opened).value();
}

std::string sha256(const std::string& text) {
    return QCryptographicHash::hash(QByteArray::fromStdString(text), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

records::BatchRecord sampleBatch(const std::string& seed, int rows) {
    records::BatchRecord b;
    b.identity = sha256(seed);
    b.fileName = seed + ".lumetra";
    b.filedAt = "2026-12-07T21:04:53+08:00";
    b.filedBy = "analyst";
    b.created = "2026-12-01";
    b.header.laboratory = "水质实验室";
    b.header.analysisDate = "2026-12-07";
    b.header.analyst = "张三";
    b.methodName = "HJ 535 氨氮";
    b.methodHash = sha256("method");
    b.analyte = "氨氮";
    b.curveUnit = "mg/L";
    b.resultUnit = "mg/L";
    b.curve = {"line", "none", 7, 0.0021, 0.1534, std::nullopt, 0.99987, 0.0012, 0.025, "lod"};
    static const char* types[] = {"check", "check", "reference", "spike", "duplicate", "blank"};
    for (int i = 0; i < rows; ++i) {
        records::QcRow row;
        row.type = types[i % 6];
        row.name = "QC" + std::to_string(i + 1);
        row.nominal = row.type == "check" ? (i % 6 == 0 ? "3" : "3.00") : "";
        row.certified = row.type == "reference" ? "1.52" : "";
        row.added = row.type == "spike" ? "0.5" : "";
        row.name = row.type == "reference" ? "GSB 07-3164" : row.name;
        row.value = 3.0 + 0.001 * i;
        row.unit = row.type == "spike" || row.type == "duplicate" ? "%" : "mg/L";
        row.verdicts = {{row.type, 1.5, std::nullopt, 10.0, true, "相对误差 1.5%，要求≤10%"},
                        {"control_chart", std::nullopt, std::nullopt, std::nullopt, false, "t1"}};
        b.rows.push_back(row);
    }
    return b;
}

QString filerPath() {
    return QStringLiteral(LUMETRA_RECORDS_FILER);
}

int run(const QString& program, const QStringList& arguments, QString* out,
        const QStringList& environment) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : environment) {
        const auto equals = entry.indexOf(u'=');
        env.insert(entry.left(equals), entry.mid(equals + 1));
    }
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit) {
        if (out) {
            *out = QString::fromUtf8(process.readAll()) + process.errorString();
        }
        return -1;
    }
    if (out) {
        *out = QString::fromUtf8(process.readAll());
    }
    return process.exitCode();
}

namespace {

// A connection of the test's own to the database, closed when it goes.
class Owner {
public:
    explicit Owner(const records::DatabaseUrl& url) {
        const bool sqlite = url.engine == records::DatabaseUrl::Engine::Sqlite;
        QSqlDatabase db = QSqlDatabase::addDatabase(
            sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name_);
        if (sqlite) {
            db.setDatabaseName(QString::fromStdString(url.path));
        } else {
            db.setHostName(QString::fromStdString(url.socketDirectory));
            db.setDatabaseName(QString::fromStdString(url.database));
            db.setUserName(QString::fromStdString(url.user));
        }
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
    }
    ~Owner() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlQuery query() const { return QSqlQuery(QSqlDatabase::database(name_, false)); }

private:
    const QString name_ = QStringLiteral("test-owner");
};

} // namespace

void runSql(const records::DatabaseUrl& url, const std::vector<std::string>& statements) {
    const Owner owner(url);
    for (const std::string& statement : statements) {
        QSqlQuery query = owner.query();
        EXPECT_TRUE(query.exec(QString::fromStdString(statement)))
            << statement << ": " << query.lastError().text().toStdString();
    }
}

long long sqlCount(const records::DatabaseUrl& url, const std::string& text) {
    const Owner owner(url);
    QSqlQuery query = owner.query();
    EXPECT_TRUE(query.exec(QString::fromStdString(text)) && query.next())
        << query.lastError().text().toStdString();
    return query.value(0).toLongLong();
}

void postgresqlAdmin(const records::DatabaseUrl& url, const std::string& statement) {
    ASSERT_NE(server, nullptr);
    QString out;
    ASSERT_EQ(run(server->bin() + QStringLiteral("psql"),
                  {QStringLiteral("-h"), QString::fromStdString(url.socketDirectory),
                   QStringLiteral("-U"), QStringLiteral("lumetra"), QStringLiteral("-d"),
                   QString::fromStdString(url.database), QStringLiteral("-v"),
                   QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-c"),
                   QString::fromStdString(statement)},
                  &out),
              0)
        << out.toStdString();
}

} // namespace records_test
