#pragma once

// The program's windows as the user meets them after "运行程序": the real main window, loaded and
// active, with its analysis window beside it, message boxes, questions and file dialogs recorded.

#include "analysis/analysis_window.h"
#include "app/lumetra.h"
#include "tests/support/recording_prompts.h"

#include <QApplication>
#include <QStringList>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace test {

class AnalysisWindowTest : public ::testing::Test {
public:
    void SetUp() override { restart(); }

    // The windows as at the program's start (the recorded prompts stay).
    void restart() {
        lumetra.reset();
        lumetra = std::make_unique<app::Lumetra>(alerts);
        lumetra->start();
        lumetra->run();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    }

    ui::MainWindow* main() { return lumetra->mainWindow(); }
    analysis::AnalysisWindow* window() { return lumetra->analysisWindow(); }

    template <class T = QWidget> T* in(QWidget* parent, const QString& name) {
        auto* found = parent->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    void clickAndType(const QString& box, const QString& text) {
        QTest::mouseClick(in(main(), box), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    void fit(const QStringList& x, const QStringList& y) {
        clickAndType(u"Text4"_qs, QString::number(x.size()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        for (qsizetype i = 0; i < x.size(); ++i) {
            clickAndType(QStringLiteral("Text1(%1)").arg(i), x[i]);
            clickAndType(QStringLiteral("Text2(%1)").arg(i), y[i]);
        }
        QTest::mouseClick(in(main(), u"command4"_qs), Qt::LeftButton);
    }

    void sample(const QString& absorbance) {
        clickAndType(u"Text7"_qs, absorbance);
        QTest::mouseClick(in(main(), u"Command7"_qs), Qt::LeftButton);
    }

    bool showsEmptyState() { return in(window(), u"emptyState"_qs)->isVisibleTo(window()); }

    QString statistic(int row, int column = 1) {
        auto* table = in<QTableWidget>(window(), u"statistics"_qs);
        return table->item(row, column)->text();
    }

    test::RecordingPrompts alerts;
    std::unique_ptr<app::Lumetra> lumetra;
};

} // namespace test
