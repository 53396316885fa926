// The one module that speaks SQL. Every statement is a constant text with bound values (never a
// value written into the text), and the same text serves SQLite and PostgreSQL except where they
// differ: the type of an id column, the lock taken for a filing.

#include "records/database.h"

#include "calc/number_format.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <deque>
#include <map>
#include <pwd.h>
#include <unistd.h>

namespace records {

using calibration::Message;
using Engine = DatabaseUrl::Engine;

namespace {

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}
std::string text(const QVariant& value) {
    return value.toString().toStdString();
}

// SQL texts are ASCII.
QString sql(const char* statement) {
    return QString::fromLatin1(statement);
}

QVariant number(const std::optional<double>& value) {
    if (value && std::isfinite(*value)) {
        return *value;
    }
    return QVariant(QMetaType::fromType<double>());
}
std::optional<double> numberOf(const QVariant& value) {
    if (value.isNull()) {
        return std::nullopt;
    }
    return value.toDouble();
}

// The shortest text that reads back as the same double: 0.1 -> "0.1", 1e-300 -> "1e-300".
std::string shortest(double value) {
    return calc::formatNumber(value, calc::NumberStyle::shortestRoundTrip());
}
std::string shortest(const std::optional<double>& value) {
    return value ? shortest(*value) : std::string();
}

// A verdict in the column `passed`: 1 passed, 0 failed, -1 not judged.
int passedOf(const std::optional<bool>& pass) {
    return !pass ? -1 : *pass ? 1 : 0;
}
std::optional<bool> passOf(const QVariant& value) {
    const int passed = value.toInt();
    return passed < 0 ? std::nullopt : std::optional<bool>(passed != 0);
}

// The login name of whoever files: from the environment, else the system's name of this
// process's user (a service started without USER).
std::string loginName() {
    for (const char* name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) {
            return value.toStdString();
        }
    }
    const passwd* user = ::getpwuid(::geteuid());
    return user && user->pw_name ? user->pw_name : std::string();
}

// Now, in ISO 8601 with the local offset: "2026-12-07T21:04:53+08:00".
std::string now() {
    const QDateTime local = QDateTime::currentDateTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

// The columns of a batch that hold a field of the record as given, read and written by one table
// so that a field cannot be filed and forgotten on reading. The batch's id, identity, superseded
// record, chart day and UTC filing time are columns of their own.
struct Column {
    const char* name;
    QVariant (*get)(const BatchRecord&);
    void (*set)(BatchRecord&, const QVariant&);
};

template <std::string BatchRecord::*field> constexpr Column recordText(const char* name) {
    return {name, [](const BatchRecord& b) -> QVariant { return qText(b.*field); },
            [](BatchRecord& b, const QVariant& v) { b.*field = text(v); }};
}
template <std::string BatchHeader::*field> constexpr Column headerText(const char* name) {
    return {name, [](const BatchRecord& b) -> QVariant { return qText(b.header.*field); },
            [](BatchRecord& b, const QVariant& v) { b.header.*field = text(v); }};
}
template <std::string CurveRecord::*field> constexpr Column curveText(const char* name) {
    return {name, [](const BatchRecord& b) -> QVariant { return qText(b.curve.*field); },
            [](BatchRecord& b, const QVariant& v) { b.curve.*field = text(v); }};
}
template <std::optional<double> CurveRecord::*field>
constexpr Column curveNumber(const char* name) {
    return {name, [](const BatchRecord& b) { return number(b.curve.*field); },
            [](BatchRecord& b, const QVariant& v) { b.curve.*field = numberOf(v); }};
}

// clang-format off
constexpr std::array<Column, 31> batchColumns{{
    recordText<&BatchRecord::fileName>("file_name"),
    recordText<&BatchRecord::filedAt>("filed_at"),
    recordText<&BatchRecord::filedBy>("filed_by"),
    recordText<&BatchRecord::created>("created"),
    headerText<&BatchHeader::laboratory>("laboratory"),
    headerText<&BatchHeader::batchNumber>("batch_number"),
    headerText<&BatchHeader::method>("header_method"),
    headerText<&BatchHeader::analyte>("header_analyte"),
    headerText<&BatchHeader::instrument>("instrument"),
    headerText<&BatchHeader::instrumentNumber>("instrument_number"),
    headerText<&BatchHeader::wavelength>("wavelength"),
    headerText<&BatchHeader::pathLength>("path_length"),
    headerText<&BatchHeader::analysisDate>("analysis_date"),
    headerText<&BatchHeader::analyst>("analyst"),
    headerText<&BatchHeader::reviewer>("reviewer"),
    headerText<&BatchHeader::approver>("approver"),
    recordText<&BatchRecord::methodName>("method_name"),
    recordText<&BatchRecord::methodHash>("method_hash"),
    recordText<&BatchRecord::analyte>("analyte"),
    recordText<&BatchRecord::curveUnit>("curve_unit"),
    recordText<&BatchRecord::resultUnit>("result_unit"),
    curveText<&CurveRecord::model>("model"),
    curveText<&CurveRecord::weighting>("weighting"),
    {"n", [](const BatchRecord& b) -> QVariant { return b.curve.n; },
          [](BatchRecord& b, const QVariant& v) { b.curve.n = v.toInt(); }},
    curveNumber<&CurveRecord::a>("a"),
    curveNumber<&CurveRecord::b>("b"),
    curveNumber<&CurveRecord::c>("c"),
    curveNumber<&CurveRecord::r>("r"),
    curveNumber<&CurveRecord::sYX>("s_yx"),
    curveNumber<&CurveRecord::reportedLimit>("reported_limit"),
    curveText<&CurveRecord::limitKind>("limit_kind"),
}};
// clang-format on

// "file_name, filed_at, ..." with `prefix` before each name.
QString columnList(const char* prefix = "") {
    QStringList names;
    for (const Column& column : batchColumns) {
        names << QString::fromLatin1(prefix) + QString::fromLatin1(column.name);
    }
    return names.join(QStringLiteral(", "));
}

// The schema, one step per version, each run once in a transaction of its own. {id} is an id
// column numbered by the engine: SQLite's AUTOINCREMENT (never reused), PostgreSQL's identity
// column (inserted with INSERT alone, without a privilege on a sequence).
struct SchemaStep {
    int version;
    std::vector<const char*> statements;
};

const std::vector<SchemaStep>& schemaSteps() {
    static const std::vector<SchemaStep> steps{
        {1,
         {
             "CREATE TABLE batches ("
             " id {id},"
             " batch_identity TEXT NOT NULL UNIQUE,"
             " supersedes BIGINT REFERENCES batches (id),"
             " chart_date TEXT NOT NULL,"
             " filed_utc TEXT NOT NULL,"
             " file_name TEXT NOT NULL, filed_at TEXT NOT NULL, filed_by TEXT NOT NULL,"
             " created TEXT NOT NULL,"
             " laboratory TEXT NOT NULL, batch_number TEXT NOT NULL, header_method TEXT NOT NULL,"
             " header_analyte TEXT NOT NULL, instrument TEXT NOT NULL,"
             " instrument_number TEXT NOT NULL, wavelength TEXT NOT NULL,"
             " path_length TEXT NOT NULL, analysis_date TEXT NOT NULL, analyst TEXT NOT NULL,"
             " reviewer TEXT NOT NULL, approver TEXT NOT NULL,"
             " method_name TEXT NOT NULL, method_hash TEXT NOT NULL, analyte TEXT NOT NULL,"
             " curve_unit TEXT NOT NULL, result_unit TEXT NOT NULL,"
             " model TEXT NOT NULL, weighting TEXT NOT NULL, n INTEGER NOT NULL,"
             " a DOUBLE PRECISION, b DOUBLE PRECISION, c DOUBLE PRECISION, r DOUBLE PRECISION,"
             " s_yx DOUBLE PRECISION, reported_limit DOUBLE PRECISION,"
             " limit_kind TEXT NOT NULL)",
             "CREATE INDEX batches_group ON batches (method_name, analyte)",
             "CREATE INDEX batches_chain ON batches (batch_number, method_name, analyte)",
             "CREATE INDEX batches_supersedes ON batches (supersedes)",
             "CREATE TABLE qc_rows ("
             " id {id},"
             " batch_id BIGINT NOT NULL REFERENCES batches (id),"
             " row_index INTEGER NOT NULL,"
             " row_type TEXT NOT NULL, name TEXT NOT NULL,"
             " nominal TEXT NOT NULL, certified TEXT NOT NULL, added TEXT NOT NULL,"
             " series TEXT NOT NULL,"
             " charted DOUBLE PRECISION, unit TEXT NOT NULL)",
             "CREATE INDEX qc_rows_series ON qc_rows (series, batch_id)",
             "CREATE INDEX qc_rows_batch ON qc_rows (batch_id, row_index)",
             "CREATE TABLE verdicts ("
             " row_id BIGINT NOT NULL REFERENCES qc_rows (id),"
             " verdict_index INTEGER NOT NULL,"
             " rule_key TEXT NOT NULL,"
             " figure DOUBLE PRECISION, low DOUBLE PRECISION, high DOUBLE PRECISION,"
             " passed INTEGER NOT NULL," // 1 passed, 0 failed, -1 not judged
             " verdict TEXT NOT NULL)",
             "CREATE INDEX verdicts_row ON verdicts (row_id, verdict_index)",
             "CREATE TABLE frozen_limits ("
             " id {id},"
             " method_name TEXT NOT NULL, analyte TEXT NOT NULL, series TEXT NOT NULL,"
             " sigma TEXT NOT NULL, centre DOUBLE PRECISION NOT NULL,"
             " s DOUBLE PRECISION NOT NULL, reference_n INTEGER NOT NULL,"
             " reference_from TEXT NOT NULL, reference_to TEXT NOT NULL,"
             " frozen_by TEXT NOT NULL, frozen_at TEXT NOT NULL)",
             "CREATE INDEX frozen_limits_series ON frozen_limits (method_name, analyte, series)",
         }},
        // The batches of a group in chart order, so that a series is read from its group's
        // batches as they stand in order (and its last points without reading the others).
        {2,
         {
             "CREATE INDEX batches_method_order ON batches (method_name, chart_date, filed_utc, "
             "id)",
             "CREATE INDEX batches_analyte_order ON batches"
             " (method_name, analyte, chart_date, filed_utc, id)",
         }},
    };
    return steps;
}

// Only the latest record of a chain is charted.
#define LATEST_ONLY " AND NOT EXISTS (SELECT 1 FROM batches later WHERE later.supersedes = b.id)"

} // namespace

struct Database::Connection {
    DatabaseUrl url;
    QString name; // Qt's name of the connection, one per Database
    OpenOptions options;

    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }
    std::string shown() const { return databaseText(url); }

    ~Connection() {
        {
            QSqlDatabase database = db();
            if (database.isOpen()) {
                database.close();
            }
        }
        QSqlDatabase::removeDatabase(name);
    }
};

namespace {

using Connection = Database::Connection;

std::string detail(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    return text.trimmed().toStdString();
}

Fault::Kind kindOf(Engine engine, const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    if (engine == Engine::Sqlite) {
        bool isNumber = false;
        const int primary = code.toInt(&isNumber) & 0xff;
        switch (isNumber ? primary : -1) {
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return Fault::Kind::Locked;
        case 13: // SQLITE_FULL
            return Fault::Kind::DiskFull;
        case 3: // SQLITE_PERM
        case 8: // SQLITE_READONLY
            return Fault::Kind::NotPermitted;
        case 14: // SQLITE_CANTOPEN
        case 26: // SQLITE_NOTADB
            return Fault::Kind::Unreachable;
        default:
            break;
        }
        if (error.type() == QSqlError::ConnectionError) {
            return Fault::Kind::Unreachable;
        }
        return Fault::Kind::Failed;
    }
    // PostgreSQL's SQLSTATE; a failure without one is the client's: the server not reached or
    // the connection lost.
    if (code == QLatin1String("53100")) {
        return Fault::Kind::DiskFull;
    }
    if (code == QLatin1String("42501")) {
        return Fault::Kind::NotPermitted;
    }
    if (code.isEmpty() || code.startsWith(QLatin1String("08")) ||
        code.startsWith(QLatin1String("57P")) || code.startsWith(QLatin1String("28")) ||
        code == QLatin1String("3D000") || error.type() == QSqlError::ConnectionError) {
        return Fault::Kind::Unreachable;
    }
    return Fault::Kind::Failed;
}

Fault faultOf(const Connection& c, const QSqlError& error) {
    const Fault::Kind kind = kindOf(c.url.engine, error);
    const std::string where = c.shown();
    switch (kind) {
    case Fault::Kind::Locked:
        return {kind, Message(QT_TRANSLATE_NOOP("calibration",
                                                "质控数据库 %1 正被另一个程序占用，等待%2秒后"
                                                "仍未释放，请稍后再试"),
                              {where, shortest(c.options.lockWaitMs / 1000.0)})};
    case Fault::Kind::DiskFull:
        return {kind, Message(QT_TRANSLATE_NOOP("calibration",
                                                "质控数据库 %1 所在的磁盘已满，未写入任何内容：%2"),
                              {where, detail(error)})};
    case Fault::Kind::NotPermitted:
        return {kind, Message(QT_TRANSLATE_NOOP("calibration", "没有写入质控数据库 %1 的权限：%2"),
                              {where, detail(error)})};
    case Fault::Kind::Unreachable:
        return {kind, Message(QT_TRANSLATE_NOOP("calibration", "无法连接质控数据库 %1：%2"),
                              {where, detail(error)})};
    default:
        return {Fault::Kind::Failed,
                Message(QT_TRANSLATE_NOOP("calibration", "质控数据库 %1 出错：%2"),
                        {where, detail(error)})};
    }
}

Fault badRecord(const Message& why) {
    return {Fault::Kind::BadRecord, why};
}

// A statement prepared on the connection; run() executes it with the values bound in order.
class Statement {
public:
    Statement(const Connection& c, const QString& text) : c_(c), query_(c.db()) {
        query_.setForwardOnly(true);
        prepared_ = query_.prepare(text);
    }

    template <typename... Values> std::optional<Fault> run(const Values&... values) {
        if (!prepared_) {
            return faultOf(c_, query_.lastError());
        }
        (query_.addBindValue(QVariant(values)), ...);
        if (!query_.exec()) {
            return faultOf(c_, query_.lastError());
        }
        return std::nullopt;
    }
    // Binds a list of values (for the batch's columns).
    std::optional<Fault> runList(const QVariantList& values) {
        if (!prepared_) {
            return faultOf(c_, query_.lastError());
        }
        for (const QVariant& value : values) {
            query_.addBindValue(value);
        }
        if (!query_.exec()) {
            return faultOf(c_, query_.lastError());
        }
        return std::nullopt;
    }

    bool next() { return query_.next(); }
    QVariant value(int column) const { return query_.value(column); }
    // The id a RETURNING clause gave; the statement finished so that a commit can follow.
    std::int64_t returnedId() {
        const std::int64_t id = query_.next() ? query_.value(0).toLongLong() : 0;
        query_.finish();
        return id;
    }
    void finish() { query_.finish(); }

private:
    const Connection& c_;
    QSqlQuery query_;
    bool prepared_ = false;
};

// A statement run without values (the transaction's own).
std::optional<Fault> execute(const Connection& c, const char* statement) {
    QSqlQuery query(c.db());
    if (!query.exec(sql(statement))) {
        return faultOf(c, query.lastError());
    }
    return std::nullopt;
}

// A transaction that holds the filing lock: SQLite's write lock taken at once (so that the wait
// for a busy file happens here, not halfway), PostgreSQL's advisory lock (one number that every
// filing takes in turn). Rolled back unless committed. Its statements live as long as it does:
// PostgreSQL frees a prepared statement only outside a failed transaction.
class Transaction {
public:
    explicit Transaction(const Connection& c) : c_(c) {}
    ~Transaction() {
        if (open_) {
            execute(c_, "ROLLBACK");
        }
        statements_.clear();
    }

    const Connection& connection() const { return c_; }
    Statement& prepare(const QString& text) { return statements_.emplace_back(c_, text); }

    std::optional<Fault> begin() {
        if (c_.url.engine == Engine::Sqlite) {
            if (auto fault = execute(c_, "BEGIN IMMEDIATE")) {
                return fault;
            }
            open_ = true;
            return std::nullopt;
        }
        if (auto fault = execute(c_, "BEGIN")) {
            return fault;
        }
        open_ = true;
        return execute(c_, "SELECT pg_advisory_xact_lock(7029100029)");
    }
    std::optional<Fault> commit() {
        auto fault = execute(c_, "COMMIT");
        if (!fault) {
            open_ = false;
        }
        return fault;
    }

private:
    const Connection& c_;
    bool open_ = false;
    std::deque<Statement> statements_;
};

QString schemaText(Engine engine, const char* statement) {
    QString text = sql(statement);
    text.replace(QStringLiteral("{id}"),
                 engine == Engine::Sqlite
                     ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                     : QStringLiteral("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
    return text;
}

// The schema's version: 0 before the first use.
Outcome<int> schemaVersion(const Connection& c) {
    if (!c.db().tables().contains(QStringLiteral("lumetra_schema"))) {
        const QSqlError error = c.db().lastError();
        if (error.isValid()) {
            return faultOf(c, error);
        }
        return 0;
    }
    Statement version(c, sql("SELECT MAX(version) FROM lumetra_schema"));
    if (auto fault = version.run()) {
        return *fault;
    }
    return version.next() ? version.value(0).toInt() : 0;
}

std::optional<Fault> prepareSchema(const Connection& c) {
    const int latest = schemaSteps().back().version;
    auto version = schemaVersion(c);
    if (version.ok() && version.value() == latest) {
        return std::nullopt;
    }
    Transaction transaction(c);
    if (auto fault = transaction.begin()) {
        return fault;
    }
    // Again under the lock: another program may have created it meanwhile.
    version = schemaVersion(c);
    if (!version) {
        return version.fault();
    }
    if (version.value() > latest) {
        return Fault{Fault::Kind::NewerSchema,
                     Message(QT_TRANSLATE_NOOP("calibration",
                                               "质控数据库 %1 由较新版本的 Lumetra 建立（结构版本"
                                               "%2，本程序为%3），请升级本程序"),
                             {c.shown(), std::to_string(version.value()), std::to_string(latest)})};
    }
    if (version.value() == 0) {
        if (auto fault = execute(c, "CREATE TABLE lumetra_schema (version INTEGER NOT NULL,"
                                    " applied_at TEXT NOT NULL)")) {
            return fault;
        }
    }
    for (const SchemaStep& step : schemaSteps()) {
        if (step.version <= version.value()) {
            continue;
        }
        for (const char* statement : step.statements) {
            QSqlQuery query(c.db());
            if (!query.exec(schemaText(c.url.engine, statement))) {
                return faultOf(c, query.lastError());
            }
        }
        Statement& applied = transaction.prepare(
            sql("INSERT INTO lumetra_schema (version, applied_at) VALUES (?, ?)"));
        if (auto fault = applied.run(step.version, qText(now()))) {
            return fault;
        }
    }
    return transaction.commit();
}

std::atomic<int> connections{0};

const char* driverOf(Engine engine) {
    return engine == Engine::Sqlite ? "QSQLITE" : "QPSQL";
}

// The record as it will be stored, or why it cannot be: the identity in lower case, the filing
// time and user filled in when missing, the batch number without blanks around it.
struct Prepared {
    BatchRecord record;
    std::string chartDay, filedUtc;
};

std::variant<Prepared, Fault> prepare(const BatchRecord& batch) {
    Prepared p{batch, {}, {}};
    std::string& identity = p.record.identity;
    std::transform(identity.begin(), identity.end(), identity.begin(), [](char ch) {
        return static_cast<char>(ch >= 'A' && ch <= 'F' ? ch + 32 : ch);
    });
    if (identity.size() != 64 || !std::all_of(identity.begin(), identity.end(), [](char ch) {
            return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f');
        })) {
        return badRecord(
            Message(QT_TRANSLATE_NOOP("calibration", "批次标识 \"%1\" 不是64位十六进制的 SHA-256"),
                    {batch.identity}));
    }
    if (p.record.filedAt.empty()) {
        p.record.filedAt = now();
    }
    if (p.record.filedBy.empty()) {
        p.record.filedBy = loginName();
    }
    const QDateTime filed = QDateTime::fromString(qText(p.record.filedAt), Qt::ISODateWithMs);
    if (!filed.isValid()) {
        return badRecord(
            Message(QT_TRANSLATE_NOOP("calibration", "归档时间 \"%1\" 不是 ISO 8601 时间"),
                    {p.record.filedAt}));
    }
    p.filedUtc = filed.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")).toStdString();
    p.chartDay = chartDay(p.record, p.record.filedAt);
    p.record.header.batchNumber = qText(p.record.header.batchNumber).trimmed().toStdString();
    return p;
}

// The latest record of the same batch number and method (or, without a method, analyte).
Outcome<std::optional<std::int64_t>> chainHead(Transaction& t, const BatchRecord& batch) {
    if (batch.header.batchNumber.empty()) {
        return std::optional<std::int64_t>();
    }
    const bool byMethod = !batch.methodName.empty();
    Statement& head = t.prepare(sql(byMethod ? "SELECT id FROM batches WHERE batch_number = ?"
                                               " AND method_name = ? ORDER BY id DESC LIMIT 1"
                                             : "SELECT id FROM batches WHERE batch_number = ?"
                                               " AND method_name = '' AND analyte = ?"
                                               " ORDER BY id DESC LIMIT 1"));
    if (auto fault = head.run(qText(batch.header.batchNumber),
                              qText(byMethod ? batch.methodName : batch.analyte))) {
        return *fault;
    }
    std::optional<std::int64_t> id;
    if (head.next()) {
        id = head.value(0).toLongLong();
    }
    head.finish();
    return id;
}

std::optional<Fault> insertRows(Transaction& t, std::int64_t batch,
                                const std::vector<QcRow>& rows) {
    Statement& row =
        t.prepare(sql("INSERT INTO qc_rows (batch_id, row_index, row_type, name, nominal,"
                      " certified, added, series, charted, unit)"
                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"));
    Statement& verdict =
        t.prepare(sql("INSERT INTO verdicts (row_id, verdict_index, rule_key, figure, low,"
                      " high, passed, verdict) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QcRow& r = rows[i];
        if (auto fault =
                row.run(static_cast<qlonglong>(batch), static_cast<int>(i), qText(r.type),
                        qText(r.name), qText(r.nominal), qText(r.certified), qText(r.added),
                        qText(seriesOfRow(r)), number(r.value), qText(r.unit))) {
            return fault;
        }
        const std::int64_t rowId = row.returnedId();
        for (std::size_t k = 0; k < r.verdicts.size(); ++k) {
            const Verdict& v = r.verdicts[k];
            if (auto fault = verdict.run(static_cast<qlonglong>(rowId), static_cast<int>(k),
                                         qText(v.rule), number(v.value), number(v.low),
                                         number(v.high), passedOf(v.pass), qText(v.text))) {
                return fault;
            }
        }
    }
    return std::nullopt;
}

QString groupCondition(const ChartGroup& group) {
    return group.method.empty() ? QStringLiteral(" AND b.method_name = '' AND b.analyte = ?")
                                : QStringLiteral(" AND b.method_name = ?");
}
QString groupValue(const ChartGroup& group) {
    return qText(group.method.empty() ? group.analyte : group.method);
}

// The filing itself, under the lock: nothing when the identity is there already, else the batch
// (naming the record it supersedes), its rows and their verdicts.
Outcome<Filed> fileLocked(Transaction& t, const Prepared& p) {
    Statement& existing =
        t.prepare(sql("SELECT id, supersedes FROM batches WHERE batch_identity = ?"));
    if (auto fault = existing.run(qText(p.record.identity))) {
        return *fault;
    }
    if (existing.next()) {
        Filed filed{existing.value(0).toLongLong(), true, std::nullopt};
        if (!existing.value(1).isNull()) {
            filed.supersedes = existing.value(1).toLongLong();
        }
        return filed;
    }
    existing.finish();

    const auto head = chainHead(t, p.record);
    if (!head) {
        return head.fault();
    }
    Filed filed;
    filed.supersedes = head.value();

    static const QString insert =
        QStringLiteral("INSERT INTO batches (batch_identity, supersedes, chart_date, filed_utc,"
                       " %1) VALUES (?, ?, ?, ?%2) RETURNING id")
            .arg(columnList(), QStringLiteral(", ?").repeated(int(batchColumns.size())));
    QVariantList values{qText(p.record.identity),
                        filed.supersedes ? QVariant(static_cast<qlonglong>(*filed.supersedes))
                                         : QVariant(QMetaType::fromType<qlonglong>()),
                        qText(p.chartDay), qText(p.filedUtc)};
    for (const Column& column : batchColumns) {
        values << column.get(p.record);
    }
    Statement& row = t.prepare(insert);
    if (auto fault = row.runList(values)) {
        return *fault;
    }
    filed.batch = row.returnedId();
    if (auto fault = insertRows(t, filed.batch, p.record.rows)) {
        return *fault;
    }
    return filed;
}

} // namespace

Database::Database(std::unique_ptr<Connection> connection) : connection_(std::move(connection)) {}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

const DatabaseUrl& Database::url() const {
    return connection_->url;
}

int Database::currentSchemaVersion() {
    return schemaSteps().back().version;
}

Outcome<Database> Database::open(const DatabaseUrl& url, const OpenOptions& options) {
    const char* driver = driverOf(url.engine);
    if (!QSqlDatabase::isDriverAvailable(QString::fromLatin1(driver))) {
        return Fault{
            Fault::Kind::NoDriver,
            Message(QT_TRANSLATE_NOOP("calibration",
                                      "无法打开质控数据库 %1：缺少 Qt 的 %2 驱动（Debian "
                                      "软件包 %3）"),
                    {databaseText(url), driver,
                     url.engine == Engine::Sqlite ? "libqt6sql6-sqlite" : "libqt6sql6-psql"})};
    }
    auto c = std::make_unique<Connection>();
    c->url = url;
    c->options = options;
    // Named apart from the connections of another copy of this code in the process (the module
    // beside a program that links the database itself), which count from 1 too.
    c->name = QStringLiteral("lumetra-records-%1-%2")
                  .arg(reinterpret_cast<quintptr>(&connections), 0, 16)
                  .arg(++connections);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QString::fromLatin1(driver), c->name);
        if (url.engine == Engine::Sqlite) {
            const QString path = qText(url.path);
            if (url.path == defaultDatabase().path) {
                QDir().mkpath(QFileInfo(path).absolutePath());
            }
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options.lockWaitMs));
        } else {
            db.setHostName(qText(url.socketDirectory.empty() ? url.host : url.socketDirectory));
            if (url.port != 0) {
                db.setPort(url.port);
            }
            db.setDatabaseName(qText(url.database));
            db.setUserName(qText(url.user));
            db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(options.connectTimeoutS));
        }
        if (!db.open()) {
            Fault fault = faultOf(*c, db.lastError());
            if (fault.kind == Fault::Kind::Failed) {
                fault = {Fault::Kind::Unreachable,
                         Message(QT_TRANSLATE_NOOP("calibration", "无法连接质控数据库 %1：%2"),
                                 {c->shown(), detail(db.lastError())})};
            }
            return fault;
        }
    }
    if (url.engine == Engine::Sqlite) {
        // The write-ahead log lets charts be read while another program files; the foreign keys
        // hold each row to its batch. A file that cannot switch (read-only) stays as it is.
        execute(*c, "PRAGMA journal_mode = WAL");
        if (auto fault = execute(*c, "PRAGMA foreign_keys = ON")) {
            return *fault;
        }
    }
    if (auto fault = prepareSchema(*c)) {
        return *fault;
    }
    return Database(std::move(c));
}

Outcome<Filed> Database::file(const BatchRecord& batch) {
    const Connection& c = *connection_;
    auto prepared = prepare(batch);
    if (const Fault* fault = std::get_if<Fault>(&prepared)) {
        return *fault;
    }
    Transaction transaction(c);
    if (auto fault = transaction.begin()) {
        return *fault;
    }
    Outcome<Filed> filed = fileLocked(transaction, std::get<Prepared>(prepared));
    if (!filed || filed->duplicate) {
        return filed; // rolled back
    }
    if (auto fault = transaction.commit()) {
        return *fault;
    }
    return filed;
}

Outcome<std::optional<std::int64_t>> Database::findBatch(const std::string& identity) {
    const Connection& c = *connection_;
    std::string lower = identity;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char ch) {
        return static_cast<char>(ch >= 'A' && ch <= 'F' ? ch + 32 : ch);
    });
    Statement find(c, sql("SELECT id FROM batches WHERE batch_identity = ?"));
    if (auto fault = find.run(qText(lower))) {
        return *fault;
    }
    std::optional<std::int64_t> id;
    if (find.next()) {
        id = find.value(0).toLongLong();
    }
    return id;
}

Outcome<std::optional<BatchRecord>> Database::readBatch(std::int64_t id) {
    const Connection& c = *connection_;
    static const QString select =
        QStringLiteral("SELECT batch_identity, %1 FROM batches WHERE id = ?").arg(columnList());
    Statement batch(c, select);
    if (auto fault = batch.run(static_cast<qlonglong>(id))) {
        return *fault;
    }
    if (!batch.next()) {
        return std::optional<BatchRecord>();
    }
    BatchRecord record;
    record.identity = text(batch.value(0));
    for (std::size_t i = 0; i < batchColumns.size(); ++i) {
        batchColumns[i].set(record, batch.value(static_cast<int>(i) + 1));
    }
    batch.finish();

    Statement rows(c, sql("SELECT q.id, q.row_type, q.name, q.nominal, q.certified, q.added,"
                          " q.charted, q.unit, v.rule_key, v.figure, v.low, v.high, v.passed,"
                          " v.verdict FROM qc_rows q LEFT JOIN verdicts v ON v.row_id = q.id"
                          " WHERE q.batch_id = ? ORDER BY q.row_index, v.verdict_index"));
    if (auto fault = rows.run(static_cast<qlonglong>(id))) {
        return *fault;
    }
    std::int64_t lastRow = -1;
    while (rows.next()) {
        const std::int64_t rowId = rows.value(0).toLongLong();
        if (rowId != lastRow) {
            lastRow = rowId;
            record.rows.push_back({text(rows.value(1)),
                                   text(rows.value(2)),
                                   text(rows.value(3)),
                                   text(rows.value(4)),
                                   text(rows.value(5)),
                                   numberOf(rows.value(6)),
                                   text(rows.value(7)),
                                   {}});
        }
        if (!rows.value(8).isNull()) {
            record.rows.back().verdicts.push_back(
                {text(rows.value(8)), numberOf(rows.value(9)), numberOf(rows.value(10)),
                 numberOf(rows.value(11)), passOf(rows.value(12)), text(rows.value(13))});
        }
    }
    return std::optional<BatchRecord>(std::move(record));
}

Outcome<std::vector<SeriesPoint>> Database::series(const ChartGroup& group,
                                                   const std::string& series) {
    return lastPoints(group, series, 0);
}

// `count` 0: every point.
Outcome<std::vector<SeriesPoint>> Database::lastPoints(const ChartGroup& group,
                                                       const std::string& series, int count) {
    const Connection& c = *connection_;
    const auto key = seriesKey(series);
    if (!key) {
        return badRecord(
            Message(QT_TRANSLATE_NOOP("calibration", "未知的质控序列 \"%1\""), {series}));
    }
    // The last ones are taken from the end of the order, then turned round.
    const QString order = count > 0
                              ? QStringLiteral(" ORDER BY b.chart_date DESC, b.filed_utc DESC,"
                                               " b.id DESC%1 LIMIT ?")
                              : QStringLiteral(" ORDER BY b.chart_date, b.filed_utc, b.id%1");
    const bool curve = *key == "slope" || *key == "intercept";
    QString statement;
    if (curve) {
        // The curve's b or a, in the curve's unit per unit of reading.
        statement = QStringLiteral("SELECT b.id, b.chart_date, b.filed_at, '', b.%1, ''"
                                   " FROM batches b WHERE b.%1 IS NOT NULL%2" LATEST_ONLY)
                        .arg(*key == "slope" ? QStringLiteral("b") : QStringLiteral("a"),
                             groupCondition(group)) +
                    order.arg(QString());
    } else {
        // From the group's batches in chart order to their rows (CROSS JOIN keeps SQLite to that
        // order; PostgreSQL plans it as any join).
        statement =
            QStringLiteral("SELECT b.id, b.chart_date, b.filed_at, q.name, q.charted, q.unit"
                           " FROM batches b CROSS JOIN qc_rows q WHERE q.batch_id = b.id"
                           " AND q.series = ? AND q.charted IS NOT NULL%1" LATEST_ONLY)
                .arg(groupCondition(group)) +
            order.arg(count > 0 ? QStringLiteral(", q.row_index DESC")
                                : QStringLiteral(", q.row_index"));
    }
    Statement points(c, statement);
    QVariantList values;
    if (!curve) {
        values << qText(*key);
    }
    values << groupValue(group);
    if (count > 0) {
        values << count;
    }
    const auto fault = points.runList(values);
    if (fault) {
        return *fault;
    }
    std::vector<SeriesPoint> all;
    while (points.next()) {
        all.push_back({points.value(0).toLongLong(), text(points.value(1)), text(points.value(2)),
                       text(points.value(3)), points.value(4).toDouble(), text(points.value(5))});
    }
    if (count > 0) {
        std::reverse(all.begin(), all.end());
    }
    return all;
}

Outcome<std::int64_t> Database::freeze(const FrozenRecord& limits) {
    const Connection& c = *connection_;
    const auto key = seriesKey(limits.series);
    if (!key) {
        return badRecord(
            Message(QT_TRANSLATE_NOOP("calibration", "未知的质控序列 \"%1\""), {limits.series}));
    }
    if (!std::isfinite(limits.centre) || !std::isfinite(limits.s) || !(limits.s > 0) ||
        (limits.sigma != "sd" && limits.sigma != "mr")) {
        return badRecord(Message(QT_TRANSLATE_NOOP("calibration", "冻结的控制限无效")));
    }
    Statement insert(c,
                     sql("INSERT INTO frozen_limits (method_name, analyte, series, sigma, centre,"
                         " s, reference_n, reference_from, reference_to, frozen_by, frozen_at)"
                         " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"));
    const std::string& method = limits.group.method;
    if (auto fault =
            insert.run(qText(method), qText(method.empty() ? limits.group.analyte : std::string()),
                       qText(*key), qText(limits.sigma), limits.centre, limits.s, limits.referenceN,
                       qText(limits.referenceFrom), qText(limits.referenceTo),
                       qText(limits.frozenBy.empty() ? loginName() : limits.frozenBy),
                       qText(limits.frozenAt.empty() ? now() : limits.frozenAt))) {
        return *fault;
    }
    return insert.returnedId();
}

Outcome<std::optional<FrozenRecord>> Database::frozenLimits(const ChartGroup& group,
                                                            const std::string& series) {
    const Connection& c = *connection_;
    const auto key = seriesKey(series);
    if (!key) {
        return badRecord(
            Message(QT_TRANSLATE_NOOP("calibration", "未知的质控序列 \"%1\""), {series}));
    }
    Statement latest(c, sql("SELECT id, sigma, centre, s, reference_n, reference_from,"
                            " reference_to, frozen_by, frozen_at FROM frozen_limits"
                            " WHERE method_name = ? AND analyte = ? AND series = ?"
                            " ORDER BY id DESC LIMIT 1"));
    if (auto fault =
            latest.run(qText(group.method),
                       qText(group.method.empty() ? group.analyte : std::string()), qText(*key))) {
        return *fault;
    }
    if (!latest.next()) {
        return std::optional<FrozenRecord>();
    }
    FrozenRecord record;
    record.id = latest.value(0).toLongLong();
    record.group = group.method.empty() ? group : ChartGroup{group.method, {}};
    record.series = *key;
    record.sigma = text(latest.value(1));
    record.centre = latest.value(2).toDouble();
    record.s = latest.value(3).toDouble();
    record.referenceN = latest.value(4).toInt();
    record.referenceFrom = text(latest.value(5));
    record.referenceTo = text(latest.value(6));
    record.frozenBy = text(latest.value(7));
    record.frozenAt = text(latest.value(8));
    return std::optional<FrozenRecord>(record);
}

Outcome<std::vector<GroupSummary>> Database::catalogue() {
    const Connection& c = *connection_;
    // Keyed by method, or by analyte for the batches without one.
    std::map<std::pair<std::string, std::string>, std::map<std::string, int>> counts;
    std::map<std::pair<std::string, std::string>, int> batches;
    const auto groupKey = [](const QVariant& method, const QVariant& analyte) {
        const std::string m = text(method);
        return std::make_pair(m, m.empty() ? text(analyte) : std::string());
    };

    Statement curves(c, sql("SELECT b.method_name, b.analyte, COUNT(*), COUNT(b.b), COUNT(b.a)"
                            " FROM batches b WHERE 1 = 1" LATEST_ONLY
                            " GROUP BY b.method_name, b.analyte"));
    if (auto fault = curves.run()) {
        return *fault;
    }
    while (curves.next()) {
        const auto key = groupKey(curves.value(0), curves.value(1));
        batches[key] += curves.value(2).toInt();
        auto& series = counts[key];
        for (const auto& [name, column] : {std::pair{"slope", 3}, std::pair{"intercept", 4}}) {
            if (const int n = curves.value(column).toInt(); n > 0) {
                series[name] += n;
            }
        }
    }
    Statement rows(c, sql("SELECT b.method_name, b.analyte, q.series, COUNT(*)"
                          " FROM qc_rows q JOIN batches b ON b.id = q.batch_id"
                          " WHERE q.series <> '' AND q.charted IS NOT NULL" LATEST_ONLY
                          " GROUP BY b.method_name, b.analyte, q.series"));
    if (auto fault = rows.run()) {
        return *fault;
    }
    while (rows.next()) {
        counts[groupKey(rows.value(0), rows.value(1))][text(rows.value(2))] +=
            rows.value(3).toInt();
    }
    std::vector<GroupSummary> all;
    for (const auto& [key, series] : counts) {
        GroupSummary summary{{key.first, key.second}, batches[key], {}};
        for (const auto& [name, n] : series) {
            summary.series.push_back({name, n});
        }
        all.push_back(std::move(summary));
    }
    return all;
}

std::optional<Fault>
Database::exportRecords(const std::function<void(const std::vector<std::string>&)>& row) {
    const Connection& c = *connection_;
    // The verdicts of every row first, one line each:
    // rule;pass|fail|not_judged;figure;low;high;text.
    std::map<std::int64_t, std::string> verdicts;
    {
        Statement all(c, sql("SELECT row_id, rule_key, passed, figure, low, high, verdict"
                             " FROM verdicts ORDER BY row_id, verdict_index"));
        if (auto fault = all.run()) {
            return fault;
        }
        while (all.next()) {
            std::string& cell = verdicts[all.value(0).toLongLong()];
            if (!cell.empty()) {
                cell += '\n';
            }
            const std::optional<bool> pass = passOf(all.value(2));
            cell += text(all.value(1)) +
                    (!pass   ? ";not_judged;"
                     : *pass ? ";pass;"
                             : ";fail;") +
                    shortest(numberOf(all.value(3))) + ";" + shortest(numberOf(all.value(4))) +
                    ";" + shortest(numberOf(all.value(5))) + ";" + text(all.value(6));
        }
    }

    std::vector<std::string> header{"batch", "identity", "supersedes", "chart_date"};
    for (const Column& column : batchColumns) {
        header.push_back(column.name);
    }
    for (const char* name : {"row", "type", "name", "nominal", "certified", "added", "series",
                             "value", "unit", "verdicts"}) {
        header.push_back(name);
    }
    row(header);

    static const QString select =
        QStringLiteral("SELECT b.id, b.batch_identity, b.supersedes, b.chart_date, %1,"
                       " q.id, q.row_index, q.row_type, q.name, q.nominal, q.certified, q.added,"
                       " q.series, q.charted, q.unit"
                       " FROM batches b LEFT JOIN qc_rows q ON q.batch_id = b.id"
                       " ORDER BY b.id, q.row_index")
            .arg(columnList("b."));
    Statement records(c, select);
    if (auto fault = records.run()) {
        return fault;
    }
    const int first = 4;
    const int rowColumns = first + static_cast<int>(batchColumns.size());
    std::vector<std::string> cells;
    while (records.next()) {
        cells.clear();
        cells.push_back(text(records.value(0)));
        cells.push_back(text(records.value(1)));
        cells.push_back(records.value(2).isNull() ? std::string() : text(records.value(2)));
        cells.push_back(text(records.value(3)));
        for (std::size_t i = 0; i < batchColumns.size(); ++i) {
            const QVariant value = records.value(first + static_cast<int>(i));
            const bool isNumber = value.metaType() == QMetaType::fromType<double>();
            cells.push_back(isNumber ? shortest(numberOf(value)) : text(value));
        }
        if (records.value(rowColumns).isNull()) {
            cells.resize(header.size());
        } else {
            cells.push_back(text(records.value(rowColumns + 1)));
            for (int k = 2; k <= 7; ++k) {
                cells.push_back(text(records.value(rowColumns + k)));
            }
            cells.push_back(shortest(numberOf(records.value(rowColumns + 8))));
            cells.push_back(text(records.value(rowColumns + 9)));
            cells.push_back(verdicts[records.value(rowColumns).toLongLong()]);
        }
        row(cells);
    }
    return std::nullopt;
}

std::optional<Fault> Database::exportCsv(const std::string& path) {
    QSaveFile file(qText(path));
    const auto failed = [&](const QString& reason) {
        return Fault{Fault::Kind::Failed,
                     Message(QT_TRANSLATE_NOOP("calibration", "无法写入 %1：%2"),
                             {path, reason.toStdString()})};
    };
    if (!file.open(QIODevice::WriteOnly)) {
        return failed(file.errorString());
    }
    file.write("\xEF\xBB\xBF");
    QByteArray line;
    const auto fault = exportRecords([&](const std::vector<std::string>& cells) {
        line.clear();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                line += ',';
            }
            const std::string& cell = cells[i];
            const bool quote = cell.find_first_of(",\"\r\n") != std::string::npos;
            if (!quote) {
                line += QByteArray::fromStdString(cell);
                continue;
            }
            line += '"';
            for (const char ch : cell) {
                line += ch;
                if (ch == '"') {
                    line += '"';
                }
            }
            line += '"';
        }
        line += "\r\n";
        file.write(line);
    });
    if (fault) {
        file.cancelWriting();
        return fault;
    }
    if (!file.commit()) {
        return failed(file.errorString());
    }
    return std::nullopt;
}

} // namespace records
