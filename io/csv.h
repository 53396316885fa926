#pragma once

// Spreadsheet files in and out: standards and samples read from CSV as spreadsheet programs and
// instruments write it, tables written so that any spreadsheet opens them.
//
// Reading
//   - Encoding: UTF-8 with or without a byte-order mark, otherwise GB18030 (decodeSpreadsheetText).
//   - Lines end in CRLF, LF or CR. Line numbers in errors are the lines a text editor shows: the
//     line on which the row begins.
//   - Quoted cells: "..." with "" for a quote inside, and separators and line breaks inside
//     quotes. Text after the closing quote belongs to the cell ("a"b -> ab); a quote inside an
//     unquoted cell is an ordinary character (5" -> 5"). A quote that never closes is an error.
//   - Separator: of tab, semicolon and comma, the one that splits the most lines into more than
//     one cell; on a tie tab before semicolon before comma. So the decimal commas of a
//     semicolon file, or a stray semicolon or tab in one name of a comma file, do not decide.
//     When no line splits, the file is one column.
//   - Every cell is trimmed of white space around it. Rows whose cells are all empty (blank
//     lines, ";;") are skipped wherever they stand.
//   - Decimal comma: where the separator is not a comma, a comma in a number cell turns into a
//     point when the result is a number ("1,5" -> "1.5"); otherwise the cell stays as written, so
//     that an error quotes it as in the file ("1,2,3" stays "1,2,3"). With a comma separator a
//     comma is always a separator, also inside a quoted number cell.
//   - Header: the first row is a header when each of its non-empty number cells is not a number
//     and holds a letter ("C(x);A(y)", "浓度;吸光度"). A first row "1,2.3;abc" is data, and
//     its error is reported, rather than skipped.
//   - At most kMaxFileBytes bytes (or characters, for text from the clipboard).

#include "io/calibration.h"
#include "io/error.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <variant>

namespace io {

struct CsvRecord {
    QStringList cells; // unquoted and trimmed
    qsizetype line = 0;

    friend bool operator==(const CsvRecord&, const CsvRecord&) = default;
};

struct CsvTable {
    QChar separator; // u'\t', u';' or u','; QChar() when no line has more than one cell
    QList<CsvRecord> records;
};

// Splits a decoded text into rows of cells by the rules above (no header, no decimal comma).
// Errors: "第4行：引号没有闭合", "第2行：含有控制字符 \u0007" (only text that is not from a file
// can hold one: decodeSpreadsheetText refuses it as binary data), the size limit.
Expected<CsvTable> splitCsv(const QString& text);

// Standards: concentration, absorbance (the response), and with the internal standard its
// response and concentration, each one number by calc's strict parse (after the decimal comma):
// in that order, or as a first row names them in any order (c, a, is, c_is in any letter case, or
// 浓度, 吸光度 or 响应, 内标响应, 内标浓度). Empty trailing cells are allowed. Errors:
//   "第3行：有5列，应为浓度、吸光度两列（…）", "第3行：浓度为空", "第3行：浓度 \"1,2.3\" 不是数字",
//   "第3行：吸光度 \"1e999\" 超出数值范围", "没有数据行", and those of decoding and splitting.
// Any number of standards: too few to fit is the fit's own outcome.
struct StandardsCsv {
    QList<Standard> rows;
    QList<qsizetype> lines; // lines[i]: the file's line of rows[i]
};
Expected<StandardsCsv> readStandardsCsv(const QByteArray& bytes);
Expected<StandardsCsv> readStandardsText(const QString& text);
Expected<StandardsCsv> readStandardsCsvFile(const QString& path); // the error names the file

// Samples, as the sample list pastes a block: a line of one cell is readings only; otherwise the
// cells are name, readings (separated by blanks), dilution, type, of, added, nominal, certified,
// u, in that order, or as a header row names them (Chinese or these keys). An empty name stays
// empty, an empty dilution is "1". Cells are not checked as numbers here (the list marks such a
// row and keeps the others; see sampleValues and checkNumbers below). Errors: "第3行：有12列，
// 最多11列（…）", "没有数据行", and those of decoding and splitting.
//
// One exception to the separator rule: a file whose only separator would be the comma, and in
// which every line that holds a comma is a list of numbers with one decimal comma each
// ("0,523" or "0,52 0,53"), is one column of readings with decimal commas. A spreadsheet on a
// decimal-comma system writes a single column so, with no separator at all.
struct SamplesCsv {
    QList<Sample> rows; // mainResult always empty
    QList<qsizetype> lines;
};
Expected<SamplesCsv> readSamplesCsv(const QByteArray& bytes);
Expected<SamplesCsv> readSamplesText(const QString& text);
Expected<SamplesCsv> readSamplesCsvFile(const QString& path); // the error names the file

// For the report: the first sample row that is not numbers ("第3行：读数 \"x\" 不是数字").
std::optional<Error> checkNumbers(const SamplesCsv& samples);

// Writing: a number cell or a text cell. A number is written in its shortest form that reads
// back as the same double ("0.1", "-0.5", "1e-07"); NaN and infinities as an empty cell.
using CsvCell = std::variant<QString, double>;
using CsvRow = QList<CsvCell>;

// UTF-8 with a byte-order mark (so that a spreadsheet on a Chinese system takes it for UTF-8),
// comma-separated, each row ended by CRLF as spreadsheet programs write it. A cell holding a
// comma, a quote, CR or LF is quoted with "" for a quote. A text cell that begins with "=",
// "+", "-", "@", tab or CR gets an apostrophe in front ("=1+1" -> "'=1+1"), so that no
// spreadsheet takes it for a formula; a text that is one whole number ("-.5", the main window's
// result) is a number to every spreadsheet and is left as it is.
QByteArray writeCsv(const QList<CsvRow>& rows);

} // namespace io
