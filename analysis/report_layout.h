#pragma once

// The printed report on its pages: paragraphs, ruled tables whose header row repeats on every
// page they run onto, the record's form and the plots, flowing down the pages as a text document
// flows (the same faces, line heights, margins, rules and column widths as Qt's text layout gives
// them). Laid out by hand in two passes over the parts: the first finds each table's columns and
// its rows' heights and so the number of pages, the second paints. Neither holds more than one
// row or paragraph laid out at a time, so that time and memory grow with the pages however long
// a table is: a text document lays a long table out again for every change and walks all its rows
// to paint each page.
//
// The text of a table is painted a page at a time as one run of glyphs for each font, which the
// PDF writer stores far more compactly than a text object for every cell.
//
// A text taller than a page (a name of a mebibyte) is cut where the page would end, with a note
// on the last line that the whole text stands in the data file.

#include "analysis/plot_data.h"
#include "analysis/printed_record.h"

#include <QFont>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace analysis {

// The report's face at a size: AR PL UMing embeds with a full character map, so that text
// extraction gives back every character, digits included (Noto CJK, as Qt 6.4 embeds it, gives
// its digits back as dots).
QFont reportFont(double points);

class ReportLayout {
public:
    // Pages of the device's width and of `bodyHeight` (the foot below is painted by the caller).
    ReportLayout(QPaintDevice& device, double bodyHeight);
    ~ReportLayout();
    ReportLayout(const ReportLayout&) = delete;
    ReportLayout& operator=(const ReportLayout&) = delete;

    void paragraph(const QString& text, double points = 9, bool bold = false,
                   Qt::Alignment align = Qt::AlignLeft, double spaceAfterMm = 1.5,
                   bool breakBefore = false);
    // A heading; its index, for keep().
    int heading(const QString& text, bool breakBefore = false);
    // The index of the last part added.
    int position() const;
    // Parts `from` to `to` (indexes) start on the same page: moved together to the next page when
    // a page would part them.
    void keep(int from, int to);

    // The record's fields as a form: one or two fields a row (the label as printed, the value),
    // each value over a line to write on, so that an empty field is a blank to fill in by hand.
    using Field = std::pair<QString, QString>;
    struct FormRow {
        Field first;
        std::optional<Field> second; // none: the first value spans the row
    };
    void form(std::vector<FormRow> rows);

    // A ruled table whose header repeats on every page it runs onto; its heading (at
    // `headingAt`, -1 for none) stays with its first row. The table is kept by reference: it must
    // outlive the layout.
    void table(const ReportTable& content, int headingAt = -1, double points = 8);

    // A plot across the page, drawn with the plots' own paint code (a vector drawing in a PDF).
    // Kept by reference, as the table.
    void plot(const PlotData& data, double heightMm);

    // The number of pages (the first pass, done once).
    int pageCount();

    // Paints every page on the device with the painter open on it, calling `foot` once a page's
    // body is painted, before the next page starts.
    using Foot = std::function<void(QPainter& painter, int page, int pages)>;
    void paint(QPagedPaintDevice& device, QPainter& painter, const Foot& foot);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

} // namespace analysis
