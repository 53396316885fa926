// The English interface as a whole: the translation file finished, and no Chinese left in the
// windows started in English, beyond what the user typed and the language menu, which names
// itself in both languages.

#include "analysis/plot_export.h"
#include "app/language.h"
#include "calibration/entries.h"
#include "io/calibration_file.h"
#include "io/csv.h"
#include "io/files.h"
#include "tests/analysis/analysis_window_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

using analysis_test::AnalysisWindowTest;

// Han characters, CJK punctuation and symbols, kana and bopomofo, the full-width forms.
bool hasChinese(const QString& text) {
    for (const char32_t code : text.toUcs4()) {
        if ((code >= 0x2E80 && code <= 0x31FF) || (code >= 0x3400 && code <= 0x4DBF) ||
            (code >= 0x4E00 && code <= 0x9FFF) || (code >= 0xF900 && code <= 0xFAFF) ||
            (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFFEF) ||
            (code >= 0x20000 && code <= 0x3FFFF)) {
            return true;
        }
    }
    return false;
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%(L?[1-9][0-9]*|n)"));
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();) {
        found << it.next().captured();
    }
    found.sort();
    return found;
}

// Every message of the .ts file is finished, and each form of its translation keeps the source's
// placeholders, its leading blank and its closing "!".
TEST(TranslationFile, EveryMessageIsTranslatedWithTheSourcesPlaceholders) {
    QFile file(QStringLiteral(LUMETRA_TS_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context, source, unfinished;
    QStringList forms;
    int messages = 0;
    int sources = 0; // of the message read: two are a merge gone wrong, one of them lost
    while (!xml.atEnd()) {
        xml.readNext();
        const auto name = xml.name();
        if (xml.isStartElement() && name == u"name") {
            context = xml.readElementText();
        } else if (xml.isStartElement() && name == u"message") {
            sources = 0;
        } else if (xml.isStartElement() && name == u"source") {
            source = xml.readElementText();
            ++sources;
        } else if (xml.isStartElement() && name == u"translation") {
            unfinished = xml.attributes().value(QStringLiteral("type")).toString();
            forms.clear();
            if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace()) {
                forms << xml.text().toString();
            }
        } else if (xml.isStartElement() && name == u"numerusform") {
            forms << xml.readElementText();
        } else if (xml.isEndElement() && name == u"message") {
            ++messages;
            SCOPED_TRACE(context.toStdString() + ": " + source.toStdString());
            EXPECT_EQ(sources, 1);
            EXPECT_EQ(unfinished, QString());
            ASSERT_FALSE(forms.isEmpty());
            for (const QString& form : forms) {
                EXPECT_FALSE(form.trimmed().isEmpty());
                EXPECT_EQ(placeholders(form), placeholders(source)) << form.toStdString();
                EXPECT_EQ(form.startsWith(u' '), source.startsWith(u' ')) << form.toStdString();
                EXPECT_EQ(form.endsWith(u'!'), source.endsWith(u'!')) << form.toStdString();
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 0);
}

// The texts of a window that carry Chinese: every widget's caption, title, tooltip and
// accessible name, list entries, tabs, the headers and cells of its tables, the actions of its
// menus.
class ChineseTexts {
public:
    explicit ChineseTexts(QStringList allowed) : allowed_(std::move(allowed)) {}

    void add(const QString& where, const QString& text) {
        if (hasChinese(text) && !allowed_.contains(text)) {
            found << where + u": "_qs + text;
        }
    }

    void addWidget(QWidget* root) {
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* w : widgets) {
            const QString where =
                QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
            for (const QString& text : {w->windowTitle(), w->toolTip(), w->whatsThis(),
                                        w->accessibleName(), w->accessibleDescription()}) {
                add(where, text);
            }
            if (auto* label = qobject_cast<QLabel*>(w)) {
                add(where, label->text());
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                add(where, button->text());
            } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
                add(where, frame->title());
            } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
                add(where, box->text());
                add(where, box->placeholderText());
            } else if (auto* list = qobject_cast<QComboBox*>(w)) {
                for (int i = 0; i < list->count(); ++i) {
                    add(where, list->itemText(i));
                }
            } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
                add(where, spin->prefix() + spin->suffix() + spin->specialValueText());
            } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    add(where, tabs->tabText(i));
                    add(where, tabs->tabToolTip(i));
                }
            } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
                addModel(where, view->model());
            }
            for (QAction* action : w->actions()) {
                add(where, action->text());
                add(where, action->toolTip());
                if (action->menu() != nullptr) {
                    add(where, action->menu()->title());
                }
            }
        }
    }

    QStringList found;

private:
    void addModel(const QString& where, const QAbstractItemModel* model) {
        if (model == nullptr) {
            return;
        }
        for (const int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
            for (int c = 0; c < model->columnCount(); ++c) {
                add(where, model->headerData(c, Qt::Horizontal, role).toString());
            }
            for (int r = 0; r < model->rowCount(); ++r) {
                add(where, model->headerData(r, Qt::Vertical, role).toString());
                for (int c = 0; c < model->columnCount(); ++c) {
                    add(where, model->index(r, c).data(role).toString());
                }
            }
        }
    }

    QStringList allowed_;
};

using EnglishWindows = AnalysisWindowTest;

// The user's own data is all ASCII here, so that any Chinese found is the program's.
TEST_F(EnglishWindows, ShowNoChineseBeyondTheLanguageMenu) {
    ASSERT_EQ(app::currentLanguage(), u"en"_qs);
    fit({u"0.5"_qs, u"1"_qs, u"2"_qs, u"4"_qs, u"6"_qs, u"8"_qs},
        {u".052"_qs, u".101"_qs, u".205"_qs, u".396"_qs, u".612"_qs, u".797"_qs});
    // The worksheet's messages along the way: a sample outside the range, two zeros.
    sample(u".9"_qs);
    QTest::mouseClick(in(main(), u"Command8"_qs), Qt::LeftButton);
    QTest::mouseClick(in(main(), u"Text7"_qs), Qt::LeftButton);
    QTest::mouseClick(in(main(), u"Command1(9)"_qs), Qt::LeftButton);
    QTest::mouseClick(in(main(), u"Command1(9)"_qs), Qt::LeftButton);
    QTest::mouseClick(in(main(), u"Command8"_qs), Qt::LeftButton);
    sample(u".31"_qs);

    activateAnalysis();
    calibration().setExcluded(4, true, "cuvette scratched");
    const auto row = [](const char* name, const char* readings, const char* type = "",
                        const char* of = "") {
        calibration::Sample sample;
        sample.name = name;
        sample.readings = readings;
        sample.type = type;
        sample.of = of;
        return sample;
    };
    std::vector<calibration::Sample> rows{row("S1", ".31 .32"),
                                          row("D1", ".33", "duplicate", "S1"),
                                          row("P1", ".52", "spike", "S1"),
                                          row("B1", ".003", "blank"),
                                          row("B2", ".004", "blank"),
                                          row("K1", ".4", "check"),
                                          row("R1", ".2", "reference"),
                                          row("X", ".5x .9")};
    rows[0].dilution = "2";
    rows[2].added = "2";
    rows[5].nominal = "4";
    rows[6].certified = "2";
    rows[6].u = ".1";
    rows[7].dilution = "0";
    calibration().appendSamples(rows);
    // A file that is not there, and the question before the list is emptied.
    alerts.paths.push_back(u"/nonexistent/a.lumetra"_qs);
    lumetra->files()->open();
    alerts.answers.push_back(false);
    QTest::mouseClick(in(window(), u"clearSamples"_qs), Qt::LeftButton);

    auto* tabs = window()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ChineseTexts texts({u"语言 / Language"_qs, u"中文"_qs});
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        texts.addWidget(window());
    }
    texts.addWidget(main());
    texts.addWidget(&lumetra->cover());
    // The worksheet's messages are translated by the message box, as it shows them.
    const std::vector<std::string> events = alerts.take();
    EXPECT_GE(events.size(), 5u);
    for (const std::string& event : events) {
        texts.add(u"message"_qs, QCoreApplication::translate("worksheet", event.c_str()));
    }
    EXPECT_EQ(texts.found, QStringList());
}

} // namespace

namespace {

// A row's type is read as its key, its Chinese name or its name as the English interface shows
// it, so that a type copied out of the table pastes back.
TEST(EnglishTypes, ReadInEveryForm) {
    using calibration::SampleType;
    const std::pair<const char*, std::optional<SampleType>> cases[] = {
        {"duplicate", SampleType::Duplicate},
        {"平行样", SampleType::Duplicate},
        {"Duplicate", SampleType::Duplicate},
        {" Spiked sample ", SampleType::Spike},
        {"Check standard", SampleType::Check},
        {"Reference material", SampleType::Reference},
        {"", SampleType::Sample},
        {"duplicates", std::nullopt},
    };
    for (const auto& [typed, type] : cases) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(calibration::sampleType(typed), type);
    }
}

} // namespace

namespace {

// A file's error carries its message untranslated and is translated where it is shown: its words
// nested in other words, its place in brackets, a list joined by the English separator.
TEST(EnglishErrors, TranslatedWhereShown) {
    struct Case {
        const char* name;
        QByteArray file;
        QString shown;
    } const cases[] = {
        {"a type word inside a reason", R"({"format": 1, "version": 1})",
         u"format: expected text, not number"_qs},
        {"the allowed values joined",
         R"({"format": "lumetra-calibration", "version": 2, "unit": "", "standards": [],
             "settings": {"model": "cubic"}})",
         u"settings.model: expected one of line, origin, quadratic, not \"cubic\""_qs},
        {"a field and its line and column", R"({"format": "lumetra-calibration", "unit": "mg)",
         u"unit (line 1, column 46): text not closed (missing quotation mark)"_qs},
        {"a control character's code after the words",
         "{\"format\": \"lumetra-calibration\", \"unit\": \"m\tg\"}",
         u"unit (line 1, column 45): unescaped control character in text \\u0009"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = io::readCalibration(c.file);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().message(), c.shown);
    }
}

// The other layers' errors name their own contexts: a CSV row, the system's words for a missing
// file, a plot's refusal.
TEST(EnglishErrors, EachLayerInItsOwnContext) {
    const QString missing = u"/nonexistent-lumetra/none.csv"_qs;
    struct Case {
        const char* name;
        std::optional<io::Error> error;
        QString shown;
    } const cases[] = {
        {"a CSV row", io::readStandardsCsv("浓度,吸光度\n1,0.1,5\n").error(),
         u"line 2: 3 columns, but the header has only 2"_qs},
        {"a missing file", io::readFileLimited(missing).error(),
         missing + u": No such file or directory"_qs},
        {"a plot's file type", analysis::savePlotImage(u"/tmp/plot.bmp"_qs, {}),
         u"/tmp/plot.bmp: Unsupported file type (use .png or .svg)"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.error);
        EXPECT_EQ(c.error->message(), c.shown);
    }
}

} // namespace
