#pragma once

#include "analysis/plot_data.h"
#include "io/error.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace analysis {

// What the printed report shows, as texts ready for the page (figures rounded for reading).
struct ReportContent {
    QDateTime created;
    QString unit;
    QString equation;
    std::vector<std::pair<QString, QString>> statistics; // label, value (with ± half-width)
    QStringList pointHeader;
    std::vector<QStringList> points;
    QStringList sampleHeader;
    std::vector<QStringList> samples;
    PlotData plot;
};

// One line on what each statistic means, in the order of the statistics; the report prints them
// beside the figures.
const QStringList& statisticDefinitions();

// Paints the report on A4 pages of the device (a printer or a PDF writer), in the Song face so
// that every character of a PDF can be extracted as text, with the plots as vector drawings.
// More pages follow when the tables need them; each page carries its number.
void paintReport(QPagedPaintDevice& device, const ReportContent& content);

// Writes the report as a PDF file through io::saveFileAtomically, whole or not at all; the error,
// naming the file, when it fails.
std::optional<io::Error> saveReportPdf(const QString& path, const ReportContent& content);

} // namespace analysis
