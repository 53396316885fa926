// The report as "导出PDF…" writes it, read back with poppler's pdftotext: every figure and
// Chinese character extractable, the samples over several numbered pages, and a failed export
// that says so and leaves the old file.

#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "tests/analysis/analysis_window_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

namespace {

using analysis::SampleListModel;
using analysis_test::kX;
using analysis_test::kY;

class ReportTest : public analysis_test::AnalysisWindowTest {
public:
    // The report's text as pdftotext extracts it, pages separated by form feeds.
    static QString pdfText(const QString& path) {
        QProcess process;
        process.start(u"pdftotext"_qs, {u"-enc"_qs, u"UTF-8"_qs, path, u"-"_qs});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // Every display text of a sample row, each as a word of its own in the extracted text.
    void expectSamplesIn(const QString& text) {
        // A cell may wrap at its blanks and after "、".
        const auto words = [](const QString& text) {
            return QString(text)
                .replace(u"、"_qs, u"、 "_qs)
                .simplified()
                .split(u' ', Qt::SkipEmptyParts);
        };
        const QStringList extracted = words(text);
        const SampleListModel& model = window()->samples();
        for (int row = 0; row < model.rowCount(); ++row) {
            for (int column = 0; column < SampleListModel::Columns; ++column) {
                const QString cell = model.index(row, column).data().toString();
                for (const QString& word : words(cell)) {
                    EXPECT_TRUE(extracted.contains(word))
                        << row << ", " << column << ": " << word.toStdString();
                }
            }
        }
    }
};

TEST_F(ReportTest, PdfGivesBackTheEquationTheStatisticsAndEverySample) {
    fit(kX, kY);
    sample(u"2.9"_qs);
    QTest::mouseClick(in(main(), u"Command8"_qs), Qt::LeftButton);
    sample(u"13.5"_qs);
    // The last row is wider than the page: its readings wrap at their blanks.
    window()->sampleTable().pasteBlock(
        u"批号A-01\t5.1 5.3 5.2\t2.5\n批号A-02\t24.9\n"
        "第三批次地表水样品（复测）\t8.0123 8.0345 8.0567 7.9789 8.0012 7.9934 8.0456 8.0278 "
        "7.9891 8.0101\t20\n"_qs);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"报告.pdf"_qs);
    alerts.paths = {path};
    window()->exportPdf();
    ASSERT_EQ(alerts.take(),
              (std::vector<std::string>{std::string(test::RecordingPrompts::kFile) + "导出PDF"}));

    const QString text = pdfText(path);
    for (const QString& expected :
         {u"标准曲线分析报告"_qs, u"第 1 页"_qs, u"y = 1.51786 + 1.93036x"_qs, u"R² = 0.99776"_qs,
          u"决定系数 R²"_qs, u"检出限 LOD"_qs, u"0.739965"_qs, u"浓度 C (mg)"_qs, u"残差"_qs,
          u"超出线性范围"_qs, u"低于检出限"_qs, u"低于定量限"_qs}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    }
    expectSamplesIn(text);
}

TEST_F(ReportTest, ManySamplesRunOntoNumberedPages) {
    fit(kX, kY);
    QString block;
    for (int i = 1; i <= 120; ++i) {
        block += QStringLiteral("S%1\t%2 %3\t%4\n")
                     .arg(i, 3, 10, QChar(u'0'))
                     .arg(2 + i * 0.18)
                     .arg(2.1 + i * 0.18)
                     .arg(1 + i % 3);
    }
    window()->sampleTable().pasteBlock(block);
    ASSERT_EQ(window()->samples().rowCount(), 120);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"many.pdf"_qs);
    alerts.paths = {path};
    window()->exportPdf();

    const QStringList pages = pdfText(path).split(u'\f');
    ASSERT_GE(pages.size(), 4); // three pages at least, and what follows the last form feed
    for (qsizetype i = 0; i + 1 < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("第 %1 页").arg(i + 1))) << i + 1;
        // The header is repeated on every page the sample table runs onto.
        if (i > 0) {
            EXPECT_TRUE(pages[i].contains(u"主窗口结果"_qs)) << i + 1;
        }
    }
    EXPECT_TRUE(pages.back().trimmed().isEmpty());
    expectSamplesIn(pages.join(u' '));
}

TEST_F(ReportTest, FailedExportSaysSoAndLeavesTheOldFile) {
    fit(kX, kY);
    QTemporaryDir dir;
    const QString existing = dir.filePath(u"old.pdf"_qs);
    const QByteArray old = "an earlier report";
    struct Case {
        const char* name;
        QString path;
        rlim_t fileSizeLimit; // RLIM_INFINITY: no limit
    };
    const Case cases[] = {
        {"a folder that does not exist", dir.filePath(u"missing/report.pdf"_qs), RLIM_INFINITY},
        {"the disk full while the old file is replaced", existing, 4096},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile file(existing);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        alerts.paths = {c.path};
        // Writing past the size limit fails with EFBIG instead of ending the process.
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{c.fileSizeLimit, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        window()->exportPdf();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        const auto events = alerts.take();
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[1].rfind("PDF导出失败：", 0), 0u) << events[1];
        EXPECT_GT(events[1].size(), std::string("PDF导出失败：").size());
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"old.pdf"_qs});
    }
}

} // namespace
