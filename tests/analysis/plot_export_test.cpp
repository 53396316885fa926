#include "analysis/plot_export.h"
#include "worked_example.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

using analysis::savePlotImage;

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(SavePlotImage, PngAtReportSize) {
    QTemporaryDir dir;
    for (const char* name : {"plot.png", "PLOT.PNG"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromUtf8(name));
        write(path, "an older file");
        ASSERT_EQ(savePlotImage(path, analysis_test::workedExample()), std::nullopt);
        QImage image;
        ASSERT_TRUE(image.load(path, "PNG"));
        EXPECT_GE(image.width(), 1600);
        EXPECT_GE(image.height(), 1200);
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, analysis::exportDpi, 1);
    }
}

// The SVG of the figure: its title, and the texts kept as text (the Chinese, the equation).
void svgHasItsTitleAndTexts(const analysis::PlotData& data,
                            const std::vector<const char*>& expected) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plot.Svg"));
    ASSERT_EQ(savePlotImage(path, data), std::nullopt);
    QXmlStreamReader xml(contentsOf(path));
    QStringList elements;
    QString title;
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            elements.push_back(xml.name().toString());
            if (xml.name() == QStringLiteral("title")) {
                title = xml.readElementText();
            } else if (xml.name() == QStringLiteral("text")) {
                texts.push_back(xml.readElementText());
            }
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    ASSERT_FALSE(elements.isEmpty());
    EXPECT_EQ(elements.front(), QStringLiteral("svg"));
    EXPECT_EQ(title, QStringLiteral("标准曲线"));
    for (const char* text : expected) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    }
}

TEST(SavePlotImage, SvgIsWellFormedWithItsTitle) {
    struct Case {
        const char* name;
        analysis::PlotData data;
        std::vector<const char*> texts;
    };
    analysis::PlotData models = analysis_test::workedExample();
    models.c = -0.001;
    models.excluded = {true};
    models.residuals = {0.1, -0.1};
    models.residualTitle = QStringLiteral("加权残差");
    models.bands = {{0, 1, 3, 0, 4}, {12, 23, 25, 22, 26}};
    models.showConfidence = models.showPrediction = true;
    models.current->label = QStringLiteral("河水");
    models.showSampleLabels = true;
    const Case cases[] = {
        {"the worked example",
         analysis_test::workedExample(),
         {"标准点", "拟合直线", "校准范围", "残差", "y = 1.5179 + 1.9304x"}},
        {"a curve, an excluded standard, bands and a label",
         models,
         {"排除的标准点", "拟合曲线", "置信带", "预测带", "加权残差", "河水"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        svgHasItsTitleAndTexts(c.data, c.texts);
    }
}

QString messageOf(const std::optional<io::Error>& error) {
    return error ? error->message() : QStringLiteral("ok");
}

// A save that fails names the file with the reason, and leaves the file already there as it was.
TEST(SavePlotImage, FailureLeavesTheExistingFile) {
    QTemporaryDir dir;
    // The finished image is put in place under a temporary name one character longer than
    // the longest a folder allows: it fails at the very end, root or not.
    const QString longName = QString(247, u'n') + QStringLiteral(".png");
    struct Case {
        const char* name;
        QString file;
        const char* reason;
    };
    const Case cases[] = {
        {"unknown suffix", QStringLiteral("plot.jpg"), "不支持的文件类型（请使用 .png 或 .svg）"},
        {"no suffix", QStringLiteral("plot"), "不支持的文件类型（请使用 .png 或 .svg）"},
        {"cannot be put in place", longName, "写入失败（文件名太长）"},
    };
    const QByteArray old = "the user's earlier figure";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(c.file);
        write(path, old);
        EXPECT_EQ(messageOf(savePlotImage(path, analysis_test::workedExample())).toStdString(),
                  (path + QStringLiteral("：") + QString::fromUtf8(c.reason)).toStdString());
        EXPECT_EQ(contentsOf(path), old);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "no temporary file left";
}

TEST(SavePlotImage, MissingFolderOrCurve) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no such folder/plot.png"));
    EXPECT_EQ(messageOf(savePlotImage(missing, analysis_test::workedExample())),
              missing + QStringLiteral("：所在的文件夹不存在"));
    EXPECT_FALSE(QFile::exists(missing));

    analysis::PlotData empty;
    EXPECT_EQ(messageOf(savePlotImage(dir.filePath(QStringLiteral("plot.svg")), empty)),
              dir.filePath(QStringLiteral("plot.svg：尚未计算标准曲线")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("plot.svg"))));
}

} // namespace
