#include "io/csv.h"

#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calibration/sample_columns.h"
#include "io/encoding.h"
#include "io/files.h"

#include <QCoreApplication>
#include <QStringView>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace io {
namespace {

calibration::Message lineLocation(qsizetype line) {
    return ioMessage(QT_TRANSLATE_NOOP("io", "第%1行"), {std::to_string(line)});
}

// The header's cell `column` (from 0) names the same column as the cell `earlier`.
calibration::Message repeatedColumn(qsizetype column, const QString& cell, qsizetype earlier) {
    return ioMessage(QT_TRANSLATE_NOOP("io", "表头的第%1列 %2 与第%3列重复"),
                     {std::to_string(column + 1), shownArgument(quotedForMessage(cell)),
                      std::to_string(earlier + 1)});
}

struct Split {
    QList<CsvRecord> records;
    qsizetype multiCellLines = 0;
};

bool isLineEnd(QChar ch) {
    return ch == u'\n' || ch == u'\r';
}

// One pass over the text with a given separator; QChar() never matches (a NUL was refused
// before). Rows of empty cells are left out. Without `collect` it only counts the lines with more
// than one cell, which is all the choice of the separator needs.
Expected<Split> splitWith(QStringView text, QChar separator, bool collect = true) {
    Split split;
    const qsizetype n = text.size();
    qsizetype i = 0;
    qsizetype line = 1;
    // Consumes CRLF, LF or CR at i.
    const auto takeLineEnd = [&] {
        if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            ++i;
        }
        ++i;
        ++line;
    };
    while (i < n) {
        CsvRecord record;
        record.line = line;
        qsizetype cells = 0;
        bool recordHasContent = false;
        bool recordDone = false;
        while (!recordDone) {
            QString cell;
            bool cellHasContent = false;
            const auto take = [&](QStringView piece) {
                if (collect) {
                    cell += piece;
                } else if (!cellHasContent && !piece.trimmed().isEmpty()) {
                    cellHasContent = true;
                }
            };
            bool quoted = false;
            if (i < n && text[i] == u'"') {
                quoted = true;
                const qsizetype quoteLine = line;
                ++i;
                for (;;) {
                    if (i >= n) {
                        return Error{{},
                                     lineLocation(quoteLine),
                                     ioMessage(QT_TRANSLATE_NOOP("io", "引号没有闭合"))};
                    }
                    if (text[i] == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            take(u"\"");
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (isLineEnd(text[i])) {
                        take(u"\n");
                        takeLineEnd();
                        continue;
                    }
                    const qsizetype start = i;
                    while (i < n && text[i] != u'"' && !isLineEnd(text[i])) {
                        ++i;
                    }
                    take(text.sliced(start, i - start));
                }
            }
            // Unquoted text, or what follows a closing quote.
            const qsizetype start = i;
            while (i < n && text[i] != separator && !isLineEnd(text[i])) {
                ++i;
            }
            const QStringView rest = text.sliced(start, i - start);
            if (collect) {
                if (quoted) {
                    cell += rest;
                    record.cells.append(cell.trimmed());
                } else {
                    record.cells.append(rest.trimmed().toString());
                }
                cellHasContent = !record.cells.last().isEmpty();
            } else {
                take(rest);
            }
            recordHasContent = recordHasContent || cellHasContent;
            ++cells;

            if (i < n && text[i] == separator) {
                ++i;
            } else {
                if (i < n) {
                    takeLineEnd();
                }
                recordDone = true;
            }
        }
        if (recordHasContent) {
            if (cells > 1) {
                ++split.multiCellLines;
            }
            if (collect) {
                split.records.append(std::move(record));
            }
        }
    }
    return split;
}

// Text from a file has passed decodeSpreadsheetText, which takes a control character for binary
// data; text from elsewhere (the clipboard) is told what it holds, and where.
std::optional<Error> controlCharacterIn(QStringView text) {
    qsizetype line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == u'\n' || (ch == u'\r' && !(i + 1 < text.size() && text[i + 1] == u'\n'))) {
            ++line;
        } else if (ch < 0x20 && ch != u'\t' && ch != u'\r') {
            const QString code = QString::number(ch, 16).toUpper().rightJustified(4, u'0');
            return Error{{},
                         lineLocation(line),
                         followedBy(ioMessage(QT_TRANSLATE_NOOP("io", "含有控制字符 \\u")), code)};
        }
    }
    return std::nullopt;
}

// "0,523" or "0,52 0,53": numbers with one decimal comma each, separated by blanks.
bool isDecimalCommaList(QStringView cell) {
    bool any = false;
    for (const QString& token : readingTexts(cell)) {
        qsizetype i = 0;
        if (i < token.size() && (token[i] == u'+' || token[i] == u'-')) {
            ++i;
        }
        while (i < token.size() && token[i].isDigit() && token[i].unicode() < 0x80) {
            ++i;
        }
        if (i == token.size() || token[i] != u',') {
            return false;
        }
        ++i;
        const qsizetype fraction = i;
        while (i < token.size() && token[i].isDigit() && token[i].unicode() < 0x80) {
            ++i;
        }
        if (i == fraction || i != token.size()) {
            return false;
        }
        any = true;
    }
    return any;
}

// A number cell as it goes into the worksheet: the decimal comma turned into a point where that
// gives a number, otherwise the cell as written.
QString numberCell(const QString& cell, bool decimalComma) {
    if (!decimalComma || !cell.contains(u',')) {
        return cell;
    }
    QString converted = cell;
    converted.replace(u',', u'.');
    return hasNumberForm(converted) ? converted : cell;
}

// The readings cell: each blank-separated reading converted as a number cell. Mostly every
// reading converts, and the cell keeps its own spacing.
QString readingsCell(const QString& cell, bool decimalComma) {
    if (!decimalComma || !cell.contains(u',')) {
        return cell;
    }
    QString converted = cell;
    converted.replace(u',', u'.');
    const QStringList readings = readingTexts(converted);
    if (std::all_of(readings.cbegin(), readings.cend(), hasNumberForm)) {
        return converted;
    }
    QStringList mixed;
    for (const QString& reading : readingTexts(cell)) {
        mixed.append(numberCell(reading, decimalComma));
    }
    return mixed.join(u' ');
}

bool hasLetter(const QString& cell) {
    return std::any_of(cell.cbegin(), cell.cend(), [](QChar ch) { return ch.isLetter(); });
}

bool isNumber(const QString& text) {
    return !numberProblem(text, calibration::Field::Concentration);
}

bool isReadings(const QString& text) {
    Sample sample;
    sample.readings = text;
    return !sampleProblem(sample);
}

// The first row is a header when each of its non-empty number cells holds a letter and is not
// a number ("1e5" holds one and is).
bool isHeader(const QStringList& numberCells, bool (*isValue)(const QString&)) {
    bool any = false;
    for (const QString& cell : numberCells) {
        if (cell.isEmpty()) {
            continue;
        }
        if (!hasLetter(cell) || isValue(cell)) {
            return false;
        }
        any = true;
    }
    return any;
}

void dropTrailingEmptyCells(QStringList& cells, qsizetype keep) {
    while (cells.size() > keep && cells.last().isEmpty()) {
        cells.removeLast();
    }
}

// A first column that holds 1, 2, ..., n in order beside two more is the row numbers a
// spreadsheet adds ("序号;浓度;吸光度"): it is left out.
bool hasIndexColumn(const CsvTable& table, qsizetype firstData) {
    qsizetype expected = 1;
    for (qsizetype r = firstData; r < table.records.size(); ++r) {
        QStringList cells = table.records[r].cells;
        dropTrailingEmptyCells(cells, 2);
        if (cells.size() != 3 || cells[0] != QString::number(expected++)) {
            return false;
        }
    }
    return expected > 2; // two rows at least: one row numbered 1 could be anything
}

// The standards' columns, in their order without a header: the concentration, the response, and
// with the internal standard its response and concentration. A header row may name them in any
// order, by key (any letter case) or Chinese name.
enum StandardColumn { ColumnC, ColumnA, ColumnIs, ColumnCIs, StandardColumns };
struct StandardColumnNames {
    const char16_t* key;
    const char16_t* names[2];
};
constexpr StandardColumnNames kStandardColumns[StandardColumns] = {
    {u"c", {u"浓度", nullptr}},
    {u"a", {u"吸光度", u"响应"}},
    {u"is", {u"内标响应", nullptr}},
    {u"c_is", {u"内标浓度", nullptr}},
};

// The columns a first row names when every cell of it is one of theirs and both C and A are
// named; a column named twice is refused with the others.
struct NamedStandardColumns {
    std::vector<int> columns;
    std::optional<calibration::Message> problem;
};
std::optional<NamedStandardColumns> namedStandardColumns(QStringList cells) {
    dropTrailingEmptyCells(cells, 0);
    NamedStandardColumns named;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QString cell = cells[i].trimmed();
        int found = -1;
        for (int c = 0; c < StandardColumns; ++c) {
            const StandardColumnNames& column = kStandardColumns[c];
            if (cell.compare(QString::fromUtf16(column.key), Qt::CaseInsensitive) == 0) {
                found = c;
            }
            for (const char16_t* name : column.names) {
                if (name != nullptr && cell == QString::fromUtf16(name)) {
                    found = c;
                }
            }
        }
        if (found < 0) {
            return std::nullopt;
        }
        const auto earlier = std::find(named.columns.begin(), named.columns.end(), found);
        if (earlier != named.columns.end() && !named.problem) {
            named.problem = repeatedColumn(i, cells[i], earlier - named.columns.begin());
        }
        named.columns.push_back(found);
    }
    for (const int required : {int(ColumnC), int(ColumnA)}) {
        if (std::find(named.columns.begin(), named.columns.end(), required) ==
                named.columns.end() &&
            !named.problem) {
            named.problem =
                ioMessage(QT_TRANSLATE_NOOP("io", "表头缺少 %1 列"),
                          {shownArgument(QString::fromUtf16(kStandardColumns[required].key))});
        }
    }
    return named;
}

Expected<StandardsCsv> standardsFrom(const CsvTable& table) {
    const bool decimalComma = table.separator != u',';
    StandardsCsv standards;
    bool header = false;
    std::optional<std::vector<int>> named;
    if (!table.records.isEmpty()) {
        QStringList cells = table.records[0].cells;
        if (auto columns = namedStandardColumns(cells)) {
            if (columns->problem) {
                return Error{{}, lineLocation(table.records[0].line), *columns->problem};
            }
            named = std::move(columns->columns);
        }
        dropTrailingEmptyCells(cells, 2);
        QStringList numbers;
        for (const QString& cell : cells) {
            numbers.append(numberCell(cell, decimalComma));
        }
        header = named || isHeader(numbers, isNumber);
    }
    const qsizetype firstData = header ? 1 : 0;
    const bool indexed = !named && hasIndexColumn(table, firstData);
    for (qsizetype r = firstData; r < table.records.size(); ++r) {
        const CsvRecord& record = table.records[r];
        QStringList cells = record.cells;
        dropTrailingEmptyCells(cells, 2);
        if (indexed) {
            cells.removeFirst();
        }
        // The place is written only for an error: a message for every row costs.
        if (named ? cells.size() > qsizetype(named->size())
                  : cells.size() < 2 || cells.size() > StandardColumns) {
            return Error{
                {},
                lineLocation(record.line),
                named ? ioMessage(QT_TRANSLATE_NOOP("io", "有%1列，表头只有%2列"),
                                  {std::to_string(cells.size()), std::to_string(named->size())})
                      : ioMessage(QT_TRANSLATE_NOOP(
                                      "io", "有%1列，应为浓度、吸光度两列（内标法再加内标响应、"
                                            "内标浓度两列）"),
                                  {std::to_string(cells.size())})};
        }
        Standard standard;
        QString* fields[StandardColumns] = {&standard.c, &standard.a, &standard.is, &standard.cIs};
        for (qsizetype c = 0; c < cells.size(); ++c) {
            *fields[named ? (*named)[std::size_t(c)] : int(c)] = numberCell(cells[c], decimalComma);
        }
        if (const auto problem = standardNumberProblem(standard)) {
            return Error{{}, lineLocation(record.line), *problem};
        }
        for (const auto& [text, field] :
             {std::pair{&standard.is, calibration::Field::InternalStandard},
              std::pair{&standard.cIs, calibration::Field::InternalStandardConcentration}}) {
            if (!text->isEmpty()) {
                if (const auto problem = numberProblem(*text, field)) {
                    return Error{{}, lineLocation(record.line), *problem};
                }
            }
        }
        standards.rows.append(standard);
        standards.lines.append(record.line);
    }
    if (standards.rows.isEmpty()) {
        return Error{{}, {}, ioMessage(QT_TRANSLATE_NOOP("io", "没有数据行"))};
    }
    return standards;
}

// The sample list's columns (calibration/sample_columns.h), in their order when a block has no
// header, as ints: column i of a block is one of them.
using calibration::kSampleColumns;
using calibration::SampleColumn;
constexpr int Columns = int(kSampleColumns.size());

// The columns a header row names, when every cell of it is one of theirs (a key or a Chinese
// name, any letter case for the keys): column i of the block is columns[i]. A header that names
// one column twice ("name,readings,name", or "name" and "名称") is refused, naming it.
struct NamedColumns {
    std::vector<int> columns;
    std::optional<calibration::Message> repeated; // why the header cannot be used
};
std::optional<NamedColumns> namedColumns(const QStringList& cells) {
    NamedColumns named;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        int found = -1;
        for (int c = 0; c < Columns; ++c) {
            const auto& known = kSampleColumns[std::size_t(c)];
            if (cells[i].compare(QLatin1StringView(known.key), Qt::CaseInsensitive) == 0 ||
                cells[i] == QString::fromUtf8(known.name)) {
                found = c;
            }
        }
        if (found < 0) {
            return std::nullopt;
        }
        const auto earlier = std::find(named.columns.begin(), named.columns.end(), found);
        if (earlier != named.columns.end() && !named.repeated) {
            named.repeated = repeatedColumn(i, cells[i], earlier - named.columns.begin());
        }
        named.columns.push_back(found);
    }
    return named;
}

Expected<SamplesCsv> samplesFrom(const CsvTable& table) {
    const bool decimalComma = table.separator != u',';
    SamplesCsv samples;
    // Without a header row naming them: one cell is readings only; otherwise the columns in
    // their order.
    std::optional<std::vector<int>> named;
    for (qsizetype r = 0; r < table.records.size(); ++r) {
        const CsvRecord& record = table.records[r];
        QStringList cells = record.cells;
        dropTrailingEmptyCells(cells, 3);
        if (r == 0) {
            if (auto header = namedColumns(cells)) {
                if (header->repeated) {
                    return Error{{}, lineLocation(record.line), *header->repeated};
                }
                named = std::move(header->columns);
                continue;
            }
            const QStringList numbers = cells.size() == 1 ? cells : cells.mid(1, 2);
            QStringList converted;
            for (const QString& cell : numbers) {
                converted.append(readingsCell(cell, decimalComma));
            }
            if (isHeader(converted, isReadings)) {
                continue;
            }
        }
        const qsizetype allowed = named ? qsizetype(named->size()) : qsizetype(Columns);
        if (cells.size() > allowed) {
            return Error{
                {},
                lineLocation(record.line),
                ioMessage(named ? QT_TRANSLATE_NOOP("io", "有%1列，表头只有%2列")
                                : QT_TRANSLATE_NOOP(
                                      "io",
                                      "有%1列，最多%2列（名称、读数、稀释倍数、类型、所指样品、"
                                      "加标量、标称浓度、标准值、不确定度U、内标响应、内标浓度）"),
                          {std::to_string(cells.size()), std::to_string(allowed)})};
        }
        Sample sample;
        QString* fields[Columns] = {&sample.name,    &sample.readings,  &sample.dilution,
                                    &sample.type,    &sample.of,        &sample.added,
                                    &sample.nominal, &sample.certified, &sample.u,
                                    &sample.is,      &sample.cIs};
        for (qsizetype c = 0; c < cells.size(); ++c) {
            // A line of one cell is readings only, whatever a header names.
            const int at = cells.size() == 1 ? int(SampleColumn::Readings)
                           : named           ? (*named)[std::size_t(c)]
                                             : int(c);
            const QString& cell = cells[c];
            switch (SampleColumn(at)) {
            case SampleColumn::Readings:
            case SampleColumn::IS:
                *fields[at] = readingsCell(cell, decimalComma);
                break;
            case SampleColumn::Name:
            case SampleColumn::Type:
            case SampleColumn::Of:
                *fields[at] = cell;
                break;
            default:
                *fields[at] = numberCell(cell, decimalComma);
                break;
            }
        }
        if (sample.dilution.isEmpty()) {
            sample.dilution = u"1"_s;
        }
        samples.rows.append(sample);
        samples.lines.append(record.line);
    }
    if (samples.rows.isEmpty()) {
        return Error{{}, {}, ioMessage(QT_TRANSLATE_NOOP("io", "没有数据行"))};
    }
    return samples;
}

QString numberText(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    return QString::fromStdString(
        calc::formatNumber(value, calc::NumberStyle::shortestRoundTrip()));
}

bool beginsLikeFormula(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    const QChar first = text.front();
    const bool trigger = first == u'=' || first == u'+' || first == u'-' || first == u'@' ||
                         first == u'\t' || first == u'\r';
    return trigger && !calc::strictParse(text.toStdString());
}

QString textCell(const QString& text) {
    QString cell = beginsLikeFormula(text) ? u'\'' + text : text;
    const bool quote =
        cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\r') || cell.contains(u'\n');
    if (quote) {
        cell.replace(u"\""_s, u"\"\""_s);
        cell = u'"' + cell + u'"';
    }
    return cell;
}

template <typename T>
Expected<T> readFromFile(const QString& path, Expected<T> (*read)(const QByteArray&)) {
    const Expected<QByteArray> bytes = readFileLimited(path);
    if (!bytes) {
        return bytes.error();
    }
    Expected<T> result = read(bytes.value());
    if (!result) {
        Error error = result.error();
        error.file = path;
        return error;
    }
    return result;
}

} // namespace

Expected<CsvTable> splitCsv(const QString& text) {
    if (text.size() > kMaxFileBytes) {
        return Error{{}, {}, fileTooLargeReason()};
    }
    if (auto error = controlCharacterIn(text)) {
        return *error;
    }
    qsizetype bestCount = 0;
    QChar bestSeparator;
    std::optional<Error> firstError;
    for (const QChar separator : {u'\t', u';', u','}) {
        if (!text.contains(separator)) {
            continue;
        }
        const Expected<Split> count = splitWith(text, separator, false);
        if (!count) {
            if (!firstError) {
                firstError = count.error();
            }
            continue;
        }
        if (count->multiCellLines > bestCount) {
            bestCount = count->multiCellLines;
            bestSeparator = separator;
        }
    }
    if (bestCount == 0 && firstError) {
        return *firstError;
    }
    Expected<Split> split = splitWith(text, bestSeparator);
    if (!split) {
        return split.error();
    }
    return CsvTable{bestSeparator, std::move(split->records)};
}

Expected<StandardsCsv> readStandardsText(const QString& text) {
    const Expected<CsvTable> table = splitCsv(text);
    if (!table) {
        return table.error();
    }
    return standardsFrom(table.value());
}

Expected<StandardsCsv> readStandardsCsv(const QByteArray& bytes) {
    if (bytes.size() > kMaxFileBytes) {
        return Error{{}, {}, fileTooLargeReason()};
    }
    const Expected<QString> text = decodeSpreadsheetText(bytes);
    if (!text) {
        return text.error();
    }
    return readStandardsText(text.value());
}

Expected<SamplesCsv> readSamplesText(const QString& text) {
    Expected<CsvTable> table = splitCsv(text);
    if (!table) {
        return table.error();
    }
    if (table->separator == u',') {
        Expected<Split> single = splitWith(text, QChar());
        if (single) {
            bool decimalCommas = true;
            for (const CsvRecord& record : single->records) {
                const QString& cell = record.cells.first();
                if (cell.contains(u',') && !isDecimalCommaList(cell)) {
                    decimalCommas = false;
                    break;
                }
            }
            if (decimalCommas) {
                return samplesFrom(CsvTable{QChar(), std::move(single->records)});
            }
        }
    }
    return samplesFrom(table.value());
}

Expected<SamplesCsv> readSamplesCsv(const QByteArray& bytes) {
    if (bytes.size() > kMaxFileBytes) {
        return Error{{}, {}, fileTooLargeReason()};
    }
    const Expected<QString> text = decodeSpreadsheetText(bytes);
    if (!text) {
        return text.error();
    }
    return readSamplesText(text.value());
}

Expected<StandardsCsv> readStandardsCsvFile(const QString& path) {
    return readFromFile(path, readStandardsCsv);
}

Expected<SamplesCsv> readSamplesCsvFile(const QString& path) {
    return readFromFile(path, readSamplesCsv);
}

std::optional<Error> checkNumbers(const SamplesCsv& samples) {
    for (qsizetype i = 0; i < samples.rows.size(); ++i) {
        if (const auto problem = sampleProblem(samples.rows[i])) {
            return Error{{}, lineLocation(samples.lines[i]), *problem};
        }
    }
    return std::nullopt;
}

QByteArray writeCsv(const QList<CsvRow>& rows) {
    QString text;
    for (const CsvRow& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0) {
                text += u',';
            }
            if (const auto* number = std::get_if<double>(&row[i])) {
                text += numberText(*number);
            } else {
                text += textCell(std::get<QString>(row[i]));
            }
        }
        text += u"\r\n"_s;
    }
    return "\xEF\xBB\xBF" + text.toUtf8();
}

} // namespace io
