// The standards and samples models as views meet them: a cell edit is a dataChanged of its row
// (the results of every row follow), rows come and go through insertRows and removeRows, and only
// a list replaced whole resets; every change is checked by Qt's own model tester.

#include "analysis/current_calibration.h"
#include "analysis/sample_list.h"
#include "analysis/standards_table.h"
#include "tests/support/recording_prompts.h"

#include <QAbstractItemModelTester>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace Qt::Literals::StringLiterals;
using analysis::CurrentCalibration;
using analysis::SampleListModel;
using analysis::StandardsModel;

calibration::Document fiveStandardsTwoSamples() {
    calibration::Document document;
    for (const auto& [c, a] : std::vector<std::pair<const char*, const char*>>{
             {"0", "0.002"}, {"1", "0.105"}, {"2", "0.208"}, {"2", "0.208"}, {"4", "0.41"}}) {
        calibration::Standard standard;
        standard.c = c;
        standard.a = a;
        document.standards.push_back(standard);
    }
    document.standards[2].excluded = true;
    document.standards[2].reason = "bubble";
    for (const auto& [name, readings] :
         std::vector<std::pair<const char*, const char*>>{{"W1", "0.15"}, {"W2", "0.3"}}) {
        calibration::Sample sample;
        sample.name = name;
        sample.readings = readings;
        document.samples.push_back(sample);
    }
    return document;
}

// What a model announced while one change was made.
struct Announced {
    int resets = 0;
    int inserted = 0;
    int removed = 0;
    bool cellChanged = false; // a dataChanged covered the watched cell
};

struct Case {
    const char* name;
    std::function<void(QAbstractItemModel&, test::RecordingPrompts&)> change;
    QPoint cell; // (field, row) a dataChanged must cover; (-1, -1) for none
    int inserted;
    int removed;
    int rowsAfter;
};

Announced watch(QAbstractItemModel& model, const Case& c, test::RecordingPrompts& prompts) {
    Announced announced;
    const int column = c.cell.x() < 0 ? -1 : analysis::columnOf(model, c.cell.x());
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++announced.resets; });
    QObject::connect(
        &model, &QAbstractItemModel::rowsInserted,
        [&](const QModelIndex&, int first, int last) { announced.inserted += last - first + 1; });
    QObject::connect(
        &model, &QAbstractItemModel::rowsRemoved,
        [&](const QModelIndex&, int first, int last) { announced.removed += last - first + 1; });
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         announced.cellChanged |= from.row() <= c.cell.y() &&
                                                  c.cell.y() <= to.row() &&
                                                  from.column() <= column && column <= to.column();
                     });
    c.change(model, prompts);
    return announced;
}

void run(const std::vector<Case>& cases,
         const std::function<QAbstractItemModel&(CurrentCalibration&, ui::Prompts&)>& make) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentCalibration calibration;
        calibration.replaceDocument(fiveStandardsTwoSamples(), {}, false);
        test::RecordingPrompts prompts;
        QAbstractItemModel& model = make(calibration, prompts);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        const Announced announced = watch(model, c, prompts);
        EXPECT_EQ(announced.resets, 0);
        EXPECT_EQ(announced.inserted, c.inserted);
        EXPECT_EQ(announced.removed, c.removed);
        EXPECT_EQ(announced.cellChanged, c.cell.x() >= 0);
        EXPECT_EQ(model.rowCount(), c.rowsAfter);
        delete &model;
    }
}

TEST(TableModels, StandardsAnnounceTheirRows) {
    const std::vector<Case> cases = {
        {"an absorbance typed: its cell and the checks of every row",
         [](auto& model, auto&) {
             model.setData(analysis::fieldIndex(model, 1, StandardsModel::A),
                           QStringLiteral("0.11"));
         },
         QPoint(StandardsModel::Fit, 4), 0, 0, 5},
        {"a standard excluded with its reason",
         [](auto& model, auto& prompts) {
             prompts.texts.push_back(QStringLiteral("spilt"));
             model.setData(analysis::fieldIndex(model, 4, StandardsModel::Excluded), Qt::Checked,
                           Qt::CheckStateRole);
         },
         QPoint(StandardsModel::Excluded, 4), 0, 0, 5},
        {"the same text typed again: nothing",
         [](auto& model, auto&) {
             model.setData(analysis::fieldIndex(model, 1, StandardsModel::C), QStringLiteral("1"));
         },
         QPoint(-1, -1), 0, 0, 5},
        {"two rows inserted in the middle", [](auto& model, auto&) { model.insertRows(2, 2); },
         QPoint(StandardsModel::C, 6), 2, 0, 7},
        {"a row inserted after the last", [](auto& model, auto&) { model.insertRows(5, 1); },
         QPoint(StandardsModel::C, 5), 1, 0, 6},
        {"the first two removed", [](auto& model, auto&) { model.removeRows(0, 2); },
         QPoint(StandardsModel::C, 2), 0, 2, 3},
        {"rows beyond the last refused", [](auto& model, auto&) { model.removeRows(4, 2); },
         QPoint(-1, -1), 0, 0, 5},
    };
    run(cases, [](CurrentCalibration& calibration, ui::Prompts& prompts) -> QAbstractItemModel& {
        return *new StandardsModel(calibration, prompts);
    });
}

TEST(TableModels, SamplesAnnounceTheirRows) {
    const std::vector<Case> cases = {
        {"a reading typed",
         [](auto& model, auto&) {
             model.setData(analysis::fieldIndex(model, 1, SampleListModel::Readings),
                           QStringLiteral("0.31"));
         },
         QPoint(SampleListModel::X0, 1), 0, 0, 2},
        {"a row inserted before the first", [](auto& model, auto&) { model.insertRows(0, 1); },
         QPoint(SampleListModel::X0, 1), 1, 0, 3},
        {"the last removed", [](auto& model, auto&) { model.removeRows(1, 1); },
         QPoint(SampleListModel::X0, 0), 0, 1, 1},
        {"no rows inserted", [](auto& model, auto&) { model.insertRows(0, 0); }, QPoint(-1, -1), 0,
         0, 2},
    };
    run(cases, [](CurrentCalibration& calibration, ui::Prompts& prompts) -> QAbstractItemModel& {
        return *new SampleListModel(calibration, prompts);
    });
}

// A standard keeps its own exclusion when its twin of the same values is edited or removed.
TEST(TableModels, ExclusionStaysWithItsRow) {
    struct Row {
        const char* name;
        std::function<void(CurrentCalibration&)> change;
        std::vector<bool> excluded;
    };
    const Row rows[] = {
        {"the excluded twin removed",
         [](auto& c) { c.removeStandards({2}); },
         {false, false, false, false}},
        {"the excluded twin's C edited",
         [](auto& c) { c.editStandard(2, analysis::StandardField::C, "3"); },
         {false, false, true, false, false}},
        {"a row inserted before the twins",
         [](auto& c) { c.insertStandards(0, {c.document().standards[3]}); },
         {false, false, false, true, false, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CurrentCalibration calibration;
        calibration.replaceDocument(fiveStandardsTwoSamples(), {}, false);
        row.change(calibration);
        std::vector<bool> excluded;
        for (const calibration::Standard& standard : calibration.document().standards) {
            excluded.push_back(standard.excluded);
        }
        EXPECT_EQ(excluded, row.excluded);
    }
}

// The internal standard's columns are in both models only while the curve uses it: switching
// the option inserts and removes them, no reset.
TEST(TableModels, InternalStandardColumnsComeAndGo) {
    struct Table {
        const char* name;
        std::function<QAbstractItemModel*(CurrentCalibration&, ui::Prompts&)> make;
        int fields;
    };
    const Table tables[] = {
        {"standards", [](auto& c, auto& p) { return new StandardsModel(c, p); },
         StandardsModel::Columns},
        {"samples", [](auto& c, auto& p) { return new SampleListModel(c, p); },
         SampleListModel::Columns},
    };
    for (const Table& table : tables) {
        SCOPED_TRACE(table.name);
        CurrentCalibration calibration;
        calibration.replaceDocument(fiveStandardsTwoSamples(), {}, false);
        test::RecordingPrompts prompts;
        std::unique_ptr<QAbstractItemModel> model(table.make(calibration, prompts));
        QAbstractItemModelTester tester(model.get(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        std::vector<std::pair<int, int>> inserted, removed;
        int resets = 0;
        QObject::connect(model.get(), &QAbstractItemModel::columnsInserted,
                         [&](const QModelIndex&, int a, int b) { inserted.emplace_back(a, b); });
        QObject::connect(model.get(), &QAbstractItemModel::columnsRemoved,
                         [&](const QModelIndex&, int a, int b) { removed.emplace_back(a, b); });
        QObject::connect(model.get(), &QAbstractItemModel::modelReset, [&] { ++resets; });
        EXPECT_EQ(model->columnCount(), table.fields - 2);
        calibration::Settings settings = calibration.document().settings;
        settings.internalStandard = true;
        calibration.setSettings(settings);
        EXPECT_EQ(model->columnCount(), table.fields);
        EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), u"内标响应"_qs);
        settings.internalStandard = false;
        calibration.setSettings(settings);
        EXPECT_EQ(model->columnCount(), table.fields - 2);
        EXPECT_EQ(inserted, (std::vector<std::pair<int, int>>{{2, 3}}));
        EXPECT_EQ(removed, (std::vector<std::pair<int, int>>{{2, 3}}));
        EXPECT_EQ(resets, 0);
    }
}

} // namespace
