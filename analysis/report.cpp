#include "analysis/report.h"

#include "analysis/plot_painter.h"
#include "io/files.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace analysis {

namespace {

// AR PL UMing embeds with a full character map, so that text extraction gives back every
// character, digits included.
QFont reportFont(double points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A top-to-bottom writer over pages: each block asks for its height, and a new page starts
// when the current one has no room.
class PageFlow {
public:
    PageFlow(QPagedPaintDevice& device, QPainter& painter)
        : device_(device), painter_(painter), page_(painter.viewport()) {
        mm_ = device.logicalDpiY() / 25.4;
        y_ = page_.top();
        bottom_ = page_.bottom() - 10 * mm_; // room for the page number
    }

    double mm() const { return mm_; }
    double width() const { return page_.width(); }
    double left() const { return page_.left(); }
    double y() const { return y_; }

    void ensure(double height) {
        if (y_ + height > bottom_ && y_ > page_.top()) {
            newPage();
        }
    }
    void advance(double height) { y_ += height; }

    void newPage() {
        footer();
        device_.newPage();
        ++pageNumber_;
        y_ = page_.top();
    }

    void footer() {
        painter_.setFont(reportFont(8));
        painter_.setPen(Qt::black);
        const QRectF band(page_.left(), page_.bottom() - 7 * mm_, page_.width(), 7 * mm_);
        painter_.drawText(band, Qt::AlignCenter, QStringLiteral("第 %1 页").arg(pageNumber_));
    }

private:
    QPagedPaintDevice& device_;
    QPainter& painter_;
    QRectF page_;
    double mm_ = 1;
    double y_ = 0;
    double bottom_ = 0;
    int pageNumber_ = 1;
};

void textLine(QPainter& painter, PageFlow& flow, const QString& text, const QFont& font,
              double gapAfter = 0) {
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QRectF bounds =
        metrics.boundingRect(QRectF(0, 0, flow.width(), 1e6), Qt::TextWordWrap, text);
    flow.ensure(bounds.height());
    painter.drawText(QRectF(flow.left(), flow.y(), flow.width(), bounds.height()), Qt::TextWordWrap,
                     text);
    flow.advance(bounds.height() + gapAfter);
}

// A cell's text cut after each blank and enumeration comma: the places where a line may break,
// so that a number or a flag never splits.
QStringList cellWords(const QString& text) {
    QStringList words;
    QString word;
    for (const QChar ch : text) {
        word += ch;
        if (ch == u' ' || ch == u'、' || ch == u'，') {
            words << word;
            word.clear();
        }
    }
    if (!word.isEmpty()) {
        words << word;
    }
    return words;
}

// A cell's text in lines no wider than `width`, broken between words; only a word wider than the
// column on its own is broken between characters.
QStringList wrapCell(const QString& text, const QFontMetricsF& metrics, double width) {
    QStringList lines;
    QString line;
    for (QString w : cellWords(text)) {
        if (!line.isEmpty() && metrics.horizontalAdvance((line + w).trimmed()) > width) {
            lines << line.trimmed();
            line.clear();
        }
        while (line.isEmpty() && w.size() > 1 && metrics.horizontalAdvance(w.trimmed()) > width) {
            qsizetype fit = 1;
            while (fit < w.size() && metrics.horizontalAdvance(w.left(fit + 1)) <= width) {
                ++fit;
            }
            lines << w.left(fit);
            w = w.mid(fit);
        }
        line += w;
    }
    if (!line.trimmed().isEmpty() || lines.isEmpty()) {
        lines << line.trimmed();
    }
    return lines;
}

// The widest word of a text: the least width at which it wraps without a word broken.
double widestWord(const QString& text, const QFontMetricsF& metrics) {
    double widest = 0;
    for (const QString& word : cellWords(text)) {
        widest = std::max(widest, metrics.horizontalAdvance(word.trimmed()));
    }
    return widest;
}

// Column widths from the contents: each column as wide as its longest text where the page
// allows; otherwise the columns that can wrap give up width, down to their widest word.
std::vector<double> columnWidths(const QFontMetricsF& metrics, const QFontMetricsF& boldMetrics,
                                 const QStringList& header, const std::vector<QStringList>& rows,
                                 std::size_t columns, double available, double pad) {
    std::vector<double> natural(columns, 0), least(columns, 0);
    for (std::size_t c = 0; c < columns; ++c) {
        const QString title = header.value(int(c));
        natural[c] = boldMetrics.horizontalAdvance(title);
        least[c] = widestWord(title, boldMetrics);
        for (const QStringList& row : rows) {
            const QString text = row.value(int(c));
            natural[c] = std::max(natural[c], metrics.horizontalAdvance(text));
            least[c] = std::max(least[c], widestWord(text, metrics));
        }
        natural[c] += 2 * pad;
        least[c] += 2 * pad;
    }
    double naturalTotal = 0, leastTotal = 0;
    for (std::size_t c = 0; c < columns; ++c) {
        naturalTotal += natural[c];
        leastTotal += least[c];
    }
    std::vector<double> widths(columns);
    if (naturalTotal <= available) {
        // The room left over goes to the columns in proportion to their width.
        for (std::size_t c = 0; c < columns; ++c) {
            widths[c] = natural[c] * available / naturalTotal;
        }
    } else if (leastTotal <= available) {
        const double share = (available - leastTotal) / (naturalTotal - leastTotal);
        for (std::size_t c = 0; c < columns; ++c) {
            widths[c] = least[c] + (natural[c] - least[c]) * share;
        }
    } else {
        for (std::size_t c = 0; c < columns; ++c) {
            widths[c] = least[c] * available / leastTotal;
        }
    }
    return widths;
}

// The columns whose every cell is numbers separated by blanks (or "—"), to be right-aligned.
std::vector<bool> numberColumns(const QStringList& header, const std::vector<QStringList>& rows) {
    std::vector<bool> numbers(std::size_t(header.size()), true);
    for (std::size_t c = 0; c < numbers.size(); ++c) {
        for (const QStringList& row : rows) {
            for (const QString& part : row.value(int(c)).split(u' ', Qt::SkipEmptyParts)) {
                bool ok = part == QStringLiteral("—");
                if (!ok) {
                    part.toDouble(&ok);
                }
                numbers[c] = numbers[c] && ok;
            }
        }
    }
    return numbers;
}

// A ruled table whose cells wrap; the header repeats at the top of every page it runs onto.
// Numbers stand right-aligned, texts left-aligned, as `rightAligned` says per column.
void table(QPainter& painter, PageFlow& flow, const QStringList& header,
           const std::vector<QStringList>& rows, const std::vector<bool>& rightAligned) {
    const QFont font = reportFont(8);
    const QFont bold = reportFont(8, true);
    const QFontMetricsF metrics(font, painter.device());
    const QFontMetricsF boldMetrics(bold, painter.device());
    const double pad = flow.mm();
    const double lineHeight = metrics.height();
    const std::size_t columns = rightAligned.size();
    const std::vector<double> widths =
        columnWidths(metrics, boldMetrics, header, rows, columns, flow.width(), pad);

    auto layOut = [&](const QStringList& cells, bool isHeader) {
        std::vector<QStringList> lines;
        std::size_t most = 1;
        for (std::size_t c = 0; c < columns; ++c) {
            lines.push_back(wrapCell(cells.value(int(c)), isHeader ? boldMetrics : metrics,
                                     widths[c] - 2 * pad));
            most = std::max(most, std::size_t(lines.back().size()));
        }
        return std::pair{lines, double(most) * lineHeight + 0.5 * lineHeight};
    };
    auto drawRow = [&](const std::vector<QStringList>& lines, double height, bool isHeader) {
        painter.setFont(isHeader ? bold : font);
        double x = flow.left();
        for (std::size_t c = 0; c < columns; ++c) {
            const QRectF cell(x, flow.y(), widths[c], height);
            painter.setPen(QPen(Qt::gray, 0));
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            const Qt::Alignment align =
                !isHeader && rightAligned[c] ? Qt::AlignRight : Qt::AlignLeft;
            double y = flow.y() + 0.25 * lineHeight;
            for (const QString& line : lines[c]) {
                painter.drawText(QRectF(x + pad, y, widths[c] - 2 * pad, lineHeight),
                                 align | Qt::AlignVCenter, line);
                y += lineHeight;
            }
            x += widths[c];
        }
        flow.advance(height);
    };
    const auto [headerLines, headerHeight] = layOut(header, true);
    flow.ensure(headerHeight + (rows.empty() ? 0 : layOut(rows.front(), false).second));
    drawRow(headerLines, headerHeight, true);
    for (const QStringList& row : rows) {
        const auto [lines, height] = layOut(row, false);
        const double before = flow.y();
        flow.ensure(height);
        if (flow.y() < before) {
            drawRow(headerLines, headerHeight, true);
        }
        drawRow(lines, height, false);
    }
    flow.advance(3 * flow.mm());
}

} // namespace

const QStringList& statisticDefinitions() {
    static const QStringList kDefinitions = {
        QStringLiteral("标准点的个数"),
        QStringLiteral("直线 y = a + b·x 的截距，± 为 95% 置信区间的半宽"),
        QStringLiteral("直线的斜率（灵敏度），± 为 95% 置信区间的半宽"),
        QStringLiteral("截距的标准误差"),
        QStringLiteral("斜率的标准误差"),
        QStringLiteral("浓度与吸光度的线性相关程度，越接近 ±1 越线性"),
        QStringLiteral("吸光度的变化中由直线解释的比例"),
        QStringLiteral("标准点偏离直线的标准差，√(Σ残差²/(n−2))"),
        QStringLiteral("能可靠检出的最低浓度，3.3·s(y/x)/|b|"),
        QStringLiteral("能可靠定量的最低浓度，10·s(y/x)/|b|"),
    };
    return kDefinitions;
}

void paintReport(QPagedPaintDevice& device, const ReportContent& content) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    PageFlow flow(device, painter);
    const double mm = flow.mm();

    textLine(painter, flow, QStringLiteral("标准曲线分析报告"), reportFont(16, true), 2 * mm);
    textLine(painter, flow,
             QStringLiteral("生成时间：%1    浓度单位：%2")
                 .arg(content.created.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                      content.unit.isEmpty() ? QStringLiteral("—") : content.unit),
             reportFont(9), 4 * mm);

    textLine(painter, flow, QStringLiteral("标准曲线"), reportFont(12, true), 2 * mm);
    textLine(painter, flow, QStringLiteral("方程（未取整的最小二乘拟合）：") + content.equation,
             reportFont(9), 2 * mm);
    std::vector<QStringList> statistics;
    const QStringList& definitions = statisticDefinitions();
    for (std::size_t i = 0; i < content.statistics.size(); ++i) {
        statistics.push_back(
            {content.statistics[i].first, content.statistics[i].second, definitions.value(int(i))});
    }
    table(painter, flow, {QStringLiteral("统计量"), QStringLiteral("数值"), QStringLiteral("含义")},
          statistics, {false, true, false});

    const double plotWidth = flow.width();
    const double calibrationHeight = 85 * mm;
    const double residualHeight = 42 * mm;
    flow.ensure(calibrationHeight + residualHeight);
    painter.setFont(reportFont(9)); // the plots write in the painter's font
    paintCalibration(painter, QRectF(flow.left(), flow.y(), plotWidth, calibrationHeight),
                     content.plot);
    flow.advance(calibrationHeight + 2 * mm);
    paintResiduals(painter, QRectF(flow.left(), flow.y(), plotWidth, residualHeight), content.plot);
    flow.advance(residualHeight + 4 * mm);

    // A heading stays with the start of its table.
    flow.ensure(25 * mm);
    textLine(painter, flow, QStringLiteral("标准点"), reportFont(12, true), 2 * mm);
    table(painter, flow, content.pointHeader, content.points,
          numberColumns(content.pointHeader, content.points));

    flow.ensure(25 * mm);
    textLine(painter, flow, QStringLiteral("样品"), reportFont(12, true), 2 * mm);
    if (content.samples.empty()) {
        textLine(painter, flow, QStringLiteral("（无样品）"), reportFont(9), 2 * mm);
    } else {
        table(painter, flow, content.sampleHeader, content.samples,
              numberColumns(content.sampleHeader, content.samples));
    }
    flow.footer();
}

std::optional<io::Error> saveReportPdf(const QString& path, const ReportContent& content) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("标准曲线分析报告"));
        writer.setCreator(QStringLiteral("Lumetra"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        paintReport(writer, content);
    }
    return io::saveFileAtomically(path, buffer.data());
}

} // namespace analysis
