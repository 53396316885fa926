#include "records/filing.h"

#include "io/files.h"
#include "records/store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <deque>

namespace records {

namespace {

constexpr std::size_t kRememberedFilings = 100000;

QString memoryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lumetra/filed-batches.tsv");
}

// The database as the memory names it: an SQLite file by its absolute path, so that "sqlite:qc"
// named from two folders are two databases and the same file named two ways is one.
QByteArray databaseKey(const DatabaseUrl& url) {
    DatabaseUrl absolute = url;
    if (url.engine == DatabaseUrl::Engine::Sqlite) {
        absolute.path =
            QFileInfo(QString::fromStdString(url.path)).absoluteFilePath().toStdString();
    }
    return QByteArray::fromStdString(databaseText(absolute));
}

struct Line {
    QByteArray database, identity;
    std::int64_t batch = 0;
};

// The lines that can be read; a database name holds no tab or line break (a URL's text).
std::deque<Line> readMemory() {
    std::deque<Line> lines;
    const io::Expected<QByteArray> bytes = io::readFileLimited(memoryPath());
    if (!bytes) {
        return lines;
    }
    for (const QByteArray& text : bytes.value().split('\n')) {
        const QList<QByteArray> parts = text.split('\t');
        bool number = false;
        const qlonglong batch = parts.size() == 3 ? parts[2].toLongLong(&number) : 0;
        if (number && batch > 0 && parts[1].size() == 64) {
            lines.push_back({parts[0], parts[1], batch});
        }
    }
    return lines;
}

} // namespace

std::optional<std::int64_t> rememberedFiling(const DatabaseUrl& url, const std::string& identity) {
    const QByteArray database = databaseKey(url);
    const QByteArray wanted = QByteArray::fromStdString(identity);
    std::optional<std::int64_t> batch;
    for (const Line& line : readMemory()) {
        if (line.identity == wanted && line.database == database) {
            batch = line.batch; // the latest line counts
        }
    }
    return batch;
}

std::optional<calibration::Message>
rememberFiling(const DatabaseUrl& url, const std::string& identity, std::int64_t batch) {
    const QByteArray database = databaseKey(url);
    const QByteArray filed = QByteArray::fromStdString(identity);
    std::deque<Line> lines = readMemory();
    std::erase_if(lines, [&](const Line& line) {
        return line.identity == filed && line.database == database;
    });
    lines.push_back({database, filed, batch});
    while (lines.size() > kRememberedFilings) {
        lines.pop_front();
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(lines.size()) * 120);
    for (const Line& line : lines) {
        bytes +=
            line.database + '\t' + line.identity + '\t' + QByteArray::number(line.batch) + '\n';
    }
    const QString path = memoryPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (const auto error = io::saveFileAtomically(path, bytes)) {
        return calibration::Message(QT_TRANSLATE_NOOP("calibration", "无法记下已归档的批次：%1"),
                                    {error->message().toStdString()});
    }
    return std::nullopt;
}

Outcome<Filed> fileBatch(Store& store, const BatchRecord& record) {
    Outcome<Filed> filed = store.file(record);
    if (filed) {
        // The filing stands whether or not it can be written down here.
        rememberFiling(store.url(), record.identity, filed->batch);
    }
    return filed;
}

} // namespace records
