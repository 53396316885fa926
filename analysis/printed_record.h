#pragma once

// The printed report a laboratory files as its original record: built from the calibration
// document and its results (never from a view), laid out as a text document on A4 pages with the
// plots as vector drawings, and written as a PDF or sent to the printer.

#include "analysis/plot_data.h"
#include "analysis/report_source.h"
#include "io/error.h"
// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/document.h"
#include "calibration/results.h"
#endif

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class QPagedPaintDevice;

namespace analysis {

// What a window's document gives: the file's SHA-256 when it is saved as it stands, "未保存"
// when it has changes (or no file), the reason when the file cannot be read.
ReportSource documentSource(const QString& file, bool modified, const QDateTime& made,
                            bool history);

// The SHA-256 of the bytes, 64 lowercase hexadecimal digits, as sha256sum writes it.
QString sha256Hex(const QByteArray& bytes);

// A table of the report: its header row (repeated on every page it runs onto) and its rows.
struct ReportTable {
    QStringList header;
    std::vector<QStringList> rows;
    std::vector<bool> rightAligned; // per column: numbers stand right-aligned
};

// What the printed report shows, as texts ready for the page, in the order printed.
struct ReportContent {
    QString title;
    std::vector<std::pair<QString, QString>> header; // label, value; "" is a line to fill in
    QString program;                                 // "Lumetra 1.0.0"
    QString made;                                    // ISO 8601 with the time zone
    QStringList source;                              // the files with their SHA-256, the options
    QString fileName;                                // on every page
    QString modelLine;
    QString equation; // the curve in the laboratory's letters, every digit of the fit
    ReportTable statistics;
    QStringList statisticsNotes;
    PlotData plot;
    ReportTable standards;
    QStringList standardsNotes;
    ReportTable validation;
    ReportTable results;
    QStringList batch; // how results are given, the calibration's check, the summary
    QStringList signatures;
    std::optional<ReportTable> history;
};

ReportContent reportContent(const calibration::Document& document,
                            const calibration::Results& results, const ReportSource& source);

// Paints the report on A4 pages of the device (a printer or a PDF writer), in the Song face so
// that every character of a PDF can be extracted as text, with the plots as vector drawings and
// "第 N 页 共 M 页" with the file name at the foot of every page. Returns the number of pages.
int paintReport(QPagedPaintDevice& device, const ReportContent& content);

// The report as a PDF file, whole or not at all (io::saveFileAtomically); the error, naming the
// file, when it fails.
std::optional<io::Error> saveReportPdf(const QString& path, const ReportContent& content);

} // namespace analysis
