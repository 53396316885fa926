#include "analysis/report_layout.h"

#include "analysis/plot_painter.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>
#include <unordered_map>

namespace analysis {

QFont reportFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(points);
    return font;
}

namespace {

// The printed report's texts, translated in the context "Report" as the rest of the report.
struct Report {
    Q_DECLARE_TR_FUNCTIONS(Report)
};

// A longer text is cut to this many characters before it is laid out: more than a page holds in
// any column (a whole page of 9-point text holds some 13 000 of the narrowest characters).
constexpr qsizetype kLongestLaidOut = 20000;

// Far wider than any page: a text laid out at this width is one line a line separator.
constexpr double kUnbounded = 1e7;

// The characters of a text, a surrogate pair counted once.
qsizetype characters(const QString& text) {
    qsizetype count = 0;
    for (const QChar ch : text) {
        count += ch.isLowSurrogate() ? 0 : 1;
    }
    return count;
}

// The text as laid out: at most kLongestLaidOut characters, never half a surrogate pair.
QString laidOutPart(const QString& text) {
    if (text.size() <= kLongestLaidOut) {
        return text;
    }
    qsizetype end = kLongestLaidOut;
    if (text[end - 1].isHighSurrogate()) {
        --end;
    }
    return text.left(end);
}

// A word too long for any column (a name of 30 letters without a blank) may break inside;
// numbers and shorter words never do.
QString breakable(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 24);
    int run = 0;
    for (const QChar ch : text) {
        run = ch.isSpace() ? 0 : run + 1;
        if (run > 24 && !ch.isLowSurrogate()) {
            out += QChar(0x200B);
            run = 1;
        }
        out += ch;
    }
    return out;
}

// "……（以下从略：全文共1048576个字符，见数据文件）" on the last line of a text cut short.
QString cutNote(const QString& whole) {
    return Report::tr("……（以下从略：全文共%n个字符，见数据文件）", nullptr,
                      int(std::min<qsizetype>(characters(whole), INT_MAX)));
}

// The distance from a line to the next as a text document sets it: its ascent, descent and
// leading, rounded up to whole pixels.
double lineStep(const QTextLine& line) {
    return std::ceil(line.ascent() + line.descent() + line.leading());
}

// Lays the text out in lines of `width`, each a lineStep() below the last. Returns the text's
// height, which reaches at least to the foot of its last line (a negative leading makes a line
// higher than its step).
double layLines(QTextLayout& layout, double width) {
    layout.beginLayout();
    double y = 0;
    double foot = 0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        foot = y + line.height();
        y += lineStep(line);
    }
    layout.endLayout();
    return std::max(y, foot);
}

QTextOption textOption(bool wraps, Qt::Alignment align = Qt::AlignLeft) {
    QTextOption option;
    option.setAlignment(align);
    option.setWrapMode(wraps ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::ManualWrap);
    return option;
}

// The glyphs of a page's table cells, gathered to be painted as one run for each font.
class GlyphBatch {
public:
    void add(const QList<QGlyphRun>& runs, QPointF at) {
        for (const QGlyphRun& run : runs) {
            const QRawFont font = run.rawFont();
            auto it = std::find_if(runs_.begin(), runs_.end(),
                                   [&font](const Run& kept) { return kept.font == font; });
            if (it == runs_.end()) {
                runs_.push_back({font, {}, {}});
                it = std::prev(runs_.end());
            }
            it->glyphs.append(run.glyphIndexes());
            for (const QPointF& position : run.positions()) {
                it->positions.append(position + at);
            }
        }
    }

    void paint(QPainter& painter) {
        for (const Run& run : runs_) {
            QGlyphRun glyphs;
            glyphs.setRawFont(run.font);
            glyphs.setGlyphIndexes(run.glyphs);
            glyphs.setPositions(run.positions);
            painter.drawGlyphRun(QPointF(0, 0), glyphs);
        }
        runs_.clear();
    }

private:
    struct Run {
        QRawFont font;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::vector<Run> runs_;
};

// What one page gathers before it is painted: the table's rules and the underlines of the form,
// each one filled path, and the cells' glyphs.
struct PageInk {
    QPainterPath rules;
    QPainterPath underlines;
    GlyphBatch glyphs;

    void paint(QPainter& painter) {
        painter.fillPath(rules, QColor(110, 110, 110));
        painter.fillPath(underlines, Qt::black);
        painter.setPen(Qt::black);
        glyphs.paint(painter);
        rules = QPainterPath();
        underlines = QPainterPath();
    }
};

} // namespace

struct ReportLayout::Impl {
    // A table's columns and rows as the first pass measured them.
    struct Geometry {
        bool measured = false;
        std::vector<double> widths; // of each column's cell, padding included
        double headerHeight = 0;
        std::vector<float> heights; // of each row, padding included
        // Cells whose text was cut to a page, by row * columns + column: the text as laid out.
        std::unordered_map<std::size_t, QString> cut;
        // The glyphs of short texts that recur in a column ("样品", "1"), laid out once.
        std::vector<QHash<QString, std::pair<QList<QGlyphRun>, double>>> recurring;
    };

    struct Part {
        enum class Kind { Paragraph, Table, Form, Plot } kind = Kind::Paragraph;
        // a paragraph
        QString text;
        double points = 9;
        bool bold = false;
        Qt::Alignment align = Qt::AlignLeft;
        double spaceAfter = 0; // pixels
        bool breakBefore = false;
        std::optional<QString> cutText; // the text as laid out when it was cut to a page
        // a table, or the form as a table without rules
        const ReportTable* table = nullptr;
        ReportTable formCells;
        std::vector<int> spans; // the form: per row, 1 or 3 for the span of its first value
        Geometry geometry;
        // a plot
        const PlotData* plot = nullptr;
        double plotHeight = 0;
        // The last part kept on a page with this one; when it is a table, only up to its first
        // row.
        int keepUntil = -1;
    };

    // Where the flow stands.
    struct Flow {
        int page = 0;
        double y = 0;
        double margin = 0;     // the bottom margin of the last paragraph, taken before the next
        bool anyBlock = false; // no margin before the first paragraph
    };

    // The painting pass's device and what it gathers for the page.
    struct Canvas {
        QPagedPaintDevice* device = nullptr;
        QPainter* painter = nullptr;
        const Foot* foot = nullptr;
        int pages = 0;
        PageInk ink;
    };

    Impl(QPaintDevice& d, double body) : device(d), bodyHeight(body) {
        mm = device.logicalDpiY() / 25.4;
        width = device.width();
        top = mm;                     // a little room at the top of every page
        bottom = bodyHeight - 2 * mm; // and at its foot, for the rule a table ends with
        border = 2 * (0.15 * mm);     // a cell's rule and its neighbour's (or the frame)
        padding = 0.8 * mm;
        // A text document's table gives each row this much more, the rule's width at the
        // document's own resolution of 96 dots an inch.
        rowExtra = 0.15 * 96 / 25.4;
    }

    QPaintDevice& device;
    double bodyHeight;
    double mm = 1, width = 0, top = 0, bottom = 0, border = 0, padding = 0, rowExtra = 0;
    std::vector<Part> parts;
    std::optional<int> pages;

    // ----- text -----

    QFont font(double points, bool bold) const {
        QFont f = reportFont(points);
        f.setWeight(bold ? QFont::Bold : QFont::Normal);
        return f;
    }

    // How a text wraps: as a table cell (long words break anywhere), as a paragraph or a form's
    // value, or not at all (a number).
    enum class Wrap { Cell, Words, Whole };

    // The text cut to the lines that fit in `height` with the note below them, when the whole
    // does not fit; nullopt when it does.
    std::optional<QString> cutToHeight(const QString& whole, const QFont& f, Wrap wrap,
                                       double lineWidth, double height) const {
        const QString shown = laidOutPart(whole);
        const QString text = wrap == Wrap::Cell ? breakable(shown) : shown;
        QTextLayout layout(text, f, &device);
        layout.setTextOption(textOption(wrap != Wrap::Whole));
        const double full = layLines(layout, lineWidth);
        if (full <= height && shown.size() == whole.size()) {
            return std::nullopt;
        }
        const QString note = cutNote(whole);
        QTextLayout noteLayout(note, f, &device);
        noteLayout.setTextOption(textOption(true));
        const double noteHeight = layLines(noteLayout, lineWidth);
        qsizetype end = 0;
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const double next = (i + 1 < layout.lineCount() ? layout.lineAt(i + 1).y() : full);
            if (next + noteHeight > height) {
                break;
            }
            end = line.textStart() + line.textLength();
        }
        QString kept = text.left(end);
        kept.remove(QChar(0x200B));
        return kept + QChar(QChar::LineSeparator) + note;
    }

    // ----- tables -----

    QString cellText(const ReportTable& t, int row, int column) const {
        if (row < 0) {
            // A title breaks only before its unit, which stands whole on a line of its own:
            // "结果" over "(mg/kg)", never "结果 (mg/" over "kg)".
            QString text = t.header.value(column);
            if (const qsizetype unit = text.lastIndexOf(QStringLiteral(" (")); unit > 0) {
                text[unit] = QChar::LineSeparator;
            }
            return text;
        }
        return t.rows[std::size_t(row)].value(column);
    }

    // A number stands right-aligned and whole; a text in a number's column longer than any
    // number wraps as other texts do.
    bool rightAligned(const ReportTable& t, int row, int column) const {
        return row >= 0 && std::size_t(column) < t.rightAligned.size() && t.rightAligned[column] &&
               t.rows[std::size_t(row)].value(column).size() <= 40;
    }

    // The text of a cell as laid out: a number never breaks inside; other texts wrap at blanks,
    // between Chinese characters and after punctuation, and a long word anywhere.
    QString shownCell(const Part& part, int row, int column) const {
        const ReportTable& t = *part.table;
        if (row >= 0) {
            const auto cut =
                part.geometry.cut.find(std::size_t(row) * t.header.size() + std::size_t(column));
            if (cut != part.geometry.cut.end()) {
                return cut->second;
            }
        }
        const QString text = laidOutPart(cellText(t, row, column));
        return row < 0 || rightAligned(t, row, column) ? text : breakable(text);
    }

    // The columns as a text document sizes an automatic table across the page: each column at
    // least its widest word (and at least a whole number), then the room left shared out in
    // turn up to each column's widest text, then what remains evenly.
    void measureTable(Part& part) const {
        const ReportTable& t = *part.table;
        const int columns = int(t.header.size());
        const int rows = int(t.rows.size());
        Geometry& g = part.geometry;
        const QFont body = font(part.points, false);
        const QFont bold = font(part.points, true);
        std::vector<double> minimum(std::size_t(columns), 1), maximum(std::size_t(columns), 0);
        // Each cell's width unwrapped and its height so: most cells are one line in any column.
        std::vector<float> natural(std::size_t(rows + 1) * std::size_t(columns));
        std::vector<float> unwrapped(natural.size());
        double emptyHeight = -1;
        // Short texts that recur ("样品", "1") measured once a column.
        struct Size {
            float minimum, widest, height;
        };
        std::vector<QHash<QString, Size>> recurring{std::size_t(columns)};
        std::vector<double> anywhere(std::size_t(columns), 1);
        std::vector<bool> wrapAnywhere(static_cast<std::size_t>(columns));
        for (int r = -1; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const std::size_t at = std::size_t(r + 1) * std::size_t(columns) + std::size_t(c);
                const QString text = shownCell(part, r, c);
                const bool wraps = r >= 0 && !rightAligned(t, r, c);
                if (text.isEmpty() && r >= 0) {
                    if (emptyHeight < 0) {
                        // An empty cell has the line of the document's 9-point face.
                        QTextLayout layout(QString(), reportFont(9), &device);
                        emptyHeight = layLines(layout, kUnbounded);
                    }
                    unwrapped[at] = float(emptyHeight);
                    minimum[c] = std::max(minimum[c], 2 * padding);
                    maximum[c] = std::max(maximum[c], 2 * padding);
                    continue;
                }
                const auto measure = [&] {
                    QTextLayout layout(text, r < 0 ? bold : body, &device);
                    layout.setTextOption(textOption(wraps));
                    const auto height = float(layLines(layout, kUnbounded));
                    const auto widest = float(layout.maximumWidth());
                    return Size{wraps ? float(layout.minimumWidth()) : widest, widest, height};
                };
                Size size{};
                if (r >= 0 && text.size() <= 16) {
                    QHash<QString, Size>& seen = recurring[std::size_t(c)];
                    auto found = seen.constFind(text);
                    if (found == seen.constEnd()) {
                        if (seen.size() > 4096) {
                            seen.clear();
                        }
                        found = seen.insert(text, measure());
                    }
                    size = *found;
                } else {
                    size = measure();
                }
                unwrapped[at] = size.height;
                natural[at] = size.widest;
                minimum[c] = std::max(minimum[c], double(size.minimum) + 2 * padding);
                maximum[c] = std::max(maximum[c], double(size.widest) + 2 * padding);
            }
        }
        const double available = width - border - double(columns) * border;
        // Too narrow for every column's widest word: the words may break anywhere.
        if (std::accumulate(minimum.begin(), minimum.end(), 0.0) > available) {
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < columns; ++c) {
                    if (rightAligned(t, r, c)) {
                        continue;
                    }
                    QTextLayout layout(shownCell(part, r, c), body, &device);
                    QTextOption option = textOption(true);
                    option.setWrapMode(QTextOption::WrapAnywhere);
                    layout.setTextOption(option);
                    layLines(layout, kUnbounded);
                    wrapAnywhere[std::size_t(c)] = true;
                    anywhere[std::size_t(c)] =
                        std::max(anywhere[std::size_t(c)], layout.minimumWidth() + 2 * padding);
                }
            }
            for (int c = 0; c < columns; ++c) {
                if (wrapAnywhere[std::size_t(c)]) {
                    minimum[std::size_t(c)] = anywhere[std::size_t(c)];
                }
            }
        }
        g.widths = minimum;
        double remaining = available;
        for (const double w : minimum) {
            remaining -= w;
        }
        for (double last = -1; remaining > 0 && remaining != last;) {
            last = remaining;
            for (int c = 0; c < columns; ++c) {
                const double w =
                    std::min(maximum[c] - g.widths[c], remaining / double(columns - c));
                g.widths[c] += std::max(w, 0.0);
                remaining -= std::max(w, 0.0);
            }
        }
        if (remaining > 0) {
            for (double& w : g.widths) {
                w += remaining / double(columns);
            }
        }

        // Each row as high as its highest cell; a row higher than a page has its highest cells
        // cut to what a page holds below the header.
        const auto rowHeight = [&](int r) {
            double high = 0;
            for (int c = 0; c < columns; ++c) {
                const std::size_t at = std::size_t(r + 1) * std::size_t(columns) + std::size_t(c);
                const double inside = g.widths[c] - 2 * padding;
                double h = unwrapped[at];
                if (natural[at] > inside && r >= 0 && !rightAligned(t, r, c)) {
                    QTextLayout layout(shownCell(part, r, c), r < 0 ? bold : body, &device);
                    layout.setTextOption(textOption(true));
                    h = layLines(layout, inside);
                }
                high = std::max(high, h);
            }
            return high + 2 * padding + rowExtra;
        };
        g.headerHeight = rowHeight(-1);
        const double tallest = rowsBottom() - (top + border + g.headerHeight + border);
        g.heights.resize(std::size_t(rows));
        for (int r = 0; r < rows; ++r) {
            double h = rowHeight(r);
            if (h > tallest) {
                for (int c = 0; c < columns; ++c) {
                    const bool wraps = !rightAligned(t, r, c);
                    if (auto cut =
                            cutToHeight(cellText(t, r, c), body, wraps ? Wrap::Cell : Wrap::Whole,
                                        g.widths[c] - 2 * padding, tallest - 2 * padding)) {
                        g.cut[std::size_t(r) * std::size_t(columns) + std::size_t(c)] =
                            wraps ? breakable(*cut) : *cut;
                    }
                }
                // Measured again as cut.
                for (int c = 0; c < columns; ++c) {
                    const std::size_t at =
                        std::size_t(r + 1) * std::size_t(columns) + std::size_t(c);
                    natural[at] = float(kUnbounded);
                }
                h = rowHeight(r);
            }
            g.heights[std::size_t(r)] = float(h);
        }
        g.measured = true;
    }

    // The lowest a table's row may end: above the page's bottom margin and the row's rule.
    double rowsBottom() const { return bottom - border; }

    // ----- the flow -----

    void newPage(Flow& flow, Canvas* canvas) const {
        if (canvas) {
            canvas->ink.paint(*canvas->painter);
            (*canvas->foot)(*canvas->painter, flow.page, canvas->pages);
            canvas->device->newPage();
        }
        ++flow.page;
        flow.y = top;
    }

    void placeParagraph(Part& part, Flow& flow, Canvas* canvas) const {
        const QFont f = font(part.points, part.bold);
        if (part.breakBefore) {
            newPage(flow, canvas);
        }
        if (flow.anyBlock) {
            flow.y += flow.margin;
        }
        flow.anyBlock = true;
        if (!part.cutText) {
            part.cutText =
                cutToHeight(part.text, f, Wrap::Words, width, bottom - top).value_or(QString());
        }
        const QString& text = part.cutText->isEmpty() ? part.text : *part.cutText;
        QTextLayout layout(text, f, &device);
        layout.setTextOption(textOption(true, part.align));
        layLines(layout, width);
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            if (flow.y + line.height() > bottom && bottom - top >= line.height()) {
                newPage(flow, canvas);
            }
            if (canvas) {
                canvas->painter->setPen(Qt::black);
                line.draw(canvas->painter, QPointF(0, flow.y - line.y()));
            }
            const double step = lineStep(line);
            flow.y += i + 1 < layout.lineCount() ? step : std::max(step, line.height());
        }
        flow.margin = part.spaceAfter;
    }

    void placePlot(const Part& part, Flow& flow, Canvas* canvas) const {
        if (flow.anyBlock) {
            flow.y += flow.margin;
        }
        flow.anyBlock = true;
        // The plot stands in a line of its own, in the leading of the document's 9-point text.
        const QFontMetricsF metrics(reportFont(9), &device);
        const double height = part.plotHeight;
        if (flow.y + height > bottom && bottom - top >= height) {
            newPage(flow, canvas);
        }
        if (canvas) {
            QPainter& painter = *canvas->painter;
            painter.save();
            painter.setFont(reportFont(9)); // the plots write in the painter's font
            paintFigure(painter, QRectF(0, flow.y, width, part.plotHeight), *part.plot);
            painter.restore();
        }
        flow.y += std::max(height, std::ceil(height + metrics.leading()));
        flow.margin = 2 * mm;
    }

    // One row of a table at `y`: its backgrounds painted, its rules and glyphs gathered.
    // A cell's glyphs as laid out in its column, and how far they stand right of its start.
    std::pair<QList<QGlyphRun>, double> cellGlyphs(const Part& part, int row, int column,
                                                   const QString& text) const {
        const bool right = rightAligned(*part.table, row, column);
        const double inside = part.geometry.widths[std::size_t(column)] - 2 * padding;
        QTextLayout layout(text, font(part.points, false), &device);
        layout.setTextOption(textOption(!right));
        layLines(layout, inside);
        const double shift =
            right && layout.lineCount() > 0 ? inside - layout.lineAt(0).naturalTextWidth() : 0;
        return {layout.glyphRuns(), shift};
    }

    void paintRow(Part& part, int row, double y, double height, Canvas& canvas) const {
        Geometry& g = part.geometry;
        g.recurring.resize(g.widths.size());
        const QFont f = font(part.points, row < 0);
        double x = border;
        for (int c = 0; c < int(g.widths.size()); ++c) {
            const double w = g.widths[std::size_t(c)];
            if (row < 0) {
                canvas.painter->fillRect(QRectF(x, y, w, height), QColor(236, 236, 236));
            }
            const QString text = shownCell(part, row, c);
            const QPointF at(x + padding, y + padding + rowExtra);
            if (text.isEmpty()) {
            } else if (row < 0) {
                // Bold as the header: painted as laid out, which emboldens a face without a bold
                // weight.
                QTextLayout layout(text, f, &device);
                layout.setTextOption(textOption(false));
                layLines(layout, w - 2 * padding);
                canvas.painter->setPen(Qt::black);
                layout.draw(canvas.painter, at);
            } else if (text.size() <= 16) {
                auto& recurring = g.recurring[std::size_t(c)];
                if (recurring.size() > 4096) {
                    recurring.clear();
                }
                auto found = recurring.find(text);
                if (found == recurring.end()) {
                    found = recurring.insert(text, cellGlyphs(part, row, c, text));
                }
                canvas.ink.glyphs.add(found->first, at + QPointF(found->second, 0));
            } else {
                const auto [glyphs, shift] = cellGlyphs(part, row, c, text);
                canvas.ink.glyphs.add(glyphs, at + QPointF(shift, 0));
            }
            x += w + border;
        }
        // The rule below the row.
        canvas.ink.rules.addRect(QRectF(0, y + height, x, border));
    }

    // The rules of a table's run on one page: the top, and the columns' from top to bottom.
    void ruleSection(const Part& part, double from, double to, Canvas& canvas) const {
        const Geometry& g = part.geometry;
        double x = 0;
        canvas.ink.rules.addRect(QRectF(0, from, tableWidth(g), border));
        for (const double w : g.widths) {
            canvas.ink.rules.addRect(QRectF(x, from, border, to - from));
            x += border + w;
        }
        canvas.ink.rules.addRect(QRectF(x, from, border, to - from));
    }

    double tableWidth(const Geometry& g) const {
        double total = border;
        for (const double w : g.widths) {
            total += w + border;
        }
        return total;
    }

    // A table: moved whole to the next page when its header and first row do not fit, its header
    // painted again at the top of every page it runs onto, each row on one page. `rows` limits the
    // rows placed (a kept range ends with the first).
    void placeTable(Part& part, Flow& flow, Canvas* canvas, int rows = -1) const {
        if (!part.geometry.measured) {
            measureTable(part);
        }
        const Geometry& g = part.geometry;
        const int count =
            rows < 0 ? int(g.heights.size()) : std::min<int>(rows, int(g.heights.size()));
        const double limit = rowsBottom();
        const double first = g.heights.empty() ? 0 : g.heights.front();
        if (flow.y + border + g.headerHeight + border + first > limit) {
            newPage(flow, canvas);
        }
        double sectionTop = flow.y;
        double y = flow.y + border;
        const auto header = [&] {
            if (canvas) {
                paintRow(part, -1, y, g.headerHeight, *canvas);
            }
            y += g.headerHeight + border;
        };
        header();
        for (int r = 0; r < count; ++r) {
            const double h = g.heights[std::size_t(r)];
            if (y + h > limit) {
                if (canvas) {
                    ruleSection(part, sectionTop, y, *canvas);
                }
                newPage(flow, canvas);
                sectionTop = flow.y;
                y = flow.y + border;
                header();
            }
            if (canvas) {
                paintRow(part, r, y, h, *canvas);
            }
            y += h + border;
        }
        if (canvas) {
            ruleSection(part, sectionTop, y, *canvas);
        }
        flow.y = y + 2.5 * mm;
        flow.margin = 0; // the paragraph after a table starts at its bottom margin
    }

    // The form: columns of 14, 36, 14 and 36 % of the page, no rules but a line under each value.
    void placeForm(Part& part, Flow& flow, Canvas* canvas) const {
        const QFont f = font(9.5, false);
        const double pad = 1.2 * mm;
        const double columns[4] = {0.14 * width, 0.36 * width, 0.14 * width, 0.36 * width};
        const ReportTable& t = part.formCells;
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            const QStringList& row = t.rows[r];
            const bool spans = part.spans[r] > 1;
            // The cells' texts, cut where one would be taller than a page.
            std::vector<std::unique_ptr<QTextLayout>> layouts;
            std::vector<double> cellWidths;
            double high = 0;
            for (int c = 0; c < (spans ? 2 : 4); ++c) {
                const double w =
                    c == 1 && spans ? columns[1] + columns[2] + columns[3] : columns[c];
                QString text = row.value(c);
                if (auto cut = cutToHeight(text, f, Wrap::Words, w - 2 * pad,
                                           bottom - top - 2 * pad - 0.14 * mm)) {
                    text = *cut;
                }
                auto layout = std::make_unique<QTextLayout>(laidOutPart(text), f, &device);
                layout->setTextOption(textOption(true));
                high = std::max(high, layLines(*layout, w - 2 * pad));
                layouts.push_back(std::move(layout));
                cellWidths.push_back(w);
            }
            // The line under a value makes the row a little higher (as measured on a text
            // document's form).
            const double height = high + 2 * pad + 0.14 * mm;
            if (flow.y + height > bottom) {
                newPage(flow, canvas);
            }
            double x = 0;
            for (std::size_t c = 0; c < layouts.size(); ++c) {
                if (canvas) {
                    canvas->ink.glyphs.add(layouts[c]->glyphRuns(), QPointF(x + pad, flow.y + pad));
                    if (c % 2 == 1) {
                        canvas->ink.underlines.addRect(
                            QRectF(x, flow.y + height - 0.25 * mm, cellWidths[c], 0.25 * mm));
                    }
                }
                x += cellWidths[c];
            }
            flow.y += height;
        }
        flow.y += 3 * mm;
        flow.margin = 0;
    }

    void place(std::size_t index, Flow& flow, Canvas* canvas, int rows = -1) {
        Part& part = parts[index];
        switch (part.kind) {
        case Part::Kind::Paragraph:
            placeParagraph(part, flow, canvas);
            break;
        case Part::Kind::Table:
            placeTable(part, flow, canvas, rows);
            break;
        case Part::Kind::Form:
            placeForm(part, flow, canvas);
            break;
        case Part::Kind::Plot:
            placePlot(part, flow, canvas);
            break;
        }
    }

    // Every part in order; a kept range that a page would part starts the next page.
    void run(Flow& flow, Canvas* canvas) {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const int until = parts[i].keepUntil;
            if (until > int(i)) {
                Flow trial = flow;
                place(i, trial, nullptr);
                const int start = trial.page;
                for (std::size_t k = i + 1; k <= std::size_t(until); ++k) {
                    place(k, trial, nullptr, parts[k].kind == Part::Kind::Table ? 1 : -1);
                }
                if (trial.page != start) {
                    newPage(flow, canvas);
                }
            }
            place(i, flow, canvas);
        }
    }
};

ReportLayout::ReportLayout(QPaintDevice& device, double bodyHeight)
    : d_(std::make_unique<Impl>(device, bodyHeight)) {}

ReportLayout::~ReportLayout() = default;

void ReportLayout::paragraph(const QString& text, double points, bool bold, Qt::Alignment align,
                             double spaceAfterMm, bool breakBefore) {
    Impl::Part part;
    part.kind = Impl::Part::Kind::Paragraph;
    part.text = text;
    part.points = points;
    part.bold = bold;
    part.align = align;
    part.spaceAfter = spaceAfterMm * d_->mm;
    part.breakBefore = breakBefore;
    d_->parts.push_back(std::move(part));
    d_->pages.reset();
}

int ReportLayout::heading(const QString& text, bool breakBefore) {
    paragraph(text, 12, true, Qt::AlignLeft, 2, breakBefore);
    return position();
}

int ReportLayout::position() const {
    return int(d_->parts.size()) - 1;
}

void ReportLayout::keep(int from, int to) {
    if (from >= 0 && from < int(d_->parts.size()) && to > from) {
        Impl::Part& part = d_->parts[std::size_t(from)];
        part.keepUntil = std::max(part.keepUntil, std::min(to, position()));
    }
}

void ReportLayout::form(std::vector<FormRow> rows) {
    Impl::Part part;
    part.kind = Impl::Part::Kind::Form;
    for (FormRow& row : rows) {
        QStringList cells{row.first.first, row.first.second};
        if (row.second) {
            cells << row.second->first << row.second->second;
        }
        part.spans.push_back(row.second ? 1 : 3);
        part.formCells.rows.push_back(cells);
    }
    d_->parts.push_back(std::move(part));
    d_->pages.reset();
}

void ReportLayout::table(const ReportTable& content, int headingAt, double points) {
    Impl::Part part;
    part.kind = Impl::Part::Kind::Table;
    part.table = &content;
    part.points = points;
    d_->parts.push_back(std::move(part));
    d_->pages.reset();
    if (headingAt >= 0) {
        keep(headingAt, position());
    }
}

void ReportLayout::plot(const PlotData& data, double heightMm) {
    Impl::Part part;
    part.kind = Impl::Part::Kind::Plot;
    part.plot = &data;
    part.plotHeight = heightMm * d_->mm;
    d_->parts.push_back(std::move(part));
    d_->pages.reset();
}

int ReportLayout::pageCount() {
    if (!d_->pages) {
        Impl::Flow flow;
        flow.y = d_->top;
        d_->run(flow, nullptr);
        d_->pages = flow.page + 1;
    }
    return *d_->pages;
}

void ReportLayout::paint(QPagedPaintDevice& device, QPainter& painter, const Foot& foot) {
    Impl::Canvas canvas;
    canvas.device = &device;
    canvas.painter = &painter;
    canvas.foot = &foot;
    canvas.pages = pageCount();
    Impl::Flow flow;
    flow.y = d_->top;
    d_->run(flow, &canvas);
    canvas.ink.paint(painter);
    foot(painter, flow.page, canvas.pages);
}

} // namespace analysis
