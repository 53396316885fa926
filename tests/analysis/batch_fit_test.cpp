// The batch's settings, buttons and dialogs within a maximised window on a 1280 x 800 screen, in
// the language the tests run in (built into the Chinese and the English tests): every caption
// whole, nothing that makes the sample page scroll sideways.

#include "tests/analysis/analysis_window_fixture.h"
#include "tests/analysis/nessler.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>

namespace {

using BatchFit = analysis_test::AnalysisWindowTest;

TEST_F(BatchFit, SettingsButtonsAndDialogsFitAt1280x800) {
    calibration::Document document = nessler::validation();
    document.samples = nessler::batch().samples;
    calibration().replaceDocument(document, QString(), false);
    activateAnalysis();
    window()->resize(1280, 740);
    auto* page = in<QScrollArea>(window(), u"samplesTab"_qs);
    window()->findChild<QTabWidget*>()->setCurrentWidget(page);
    QApplication::processEvents();
    EXPECT_LE(page->widget()->minimumSizeHint().width(), page->viewport()->width())
        << "the sample page scrolls sideways";
    for (QWidget* widget : in(window(), u"batchPanel"_qs)->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(widget);
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if ((label == nullptr && button == nullptr) || !widget->isVisibleTo(window()) ||
            (label != nullptr && label->wordWrap())) {
            continue;
        }
        SCOPED_TRACE((label != nullptr ? label->text() : button->text()).toStdString());
        EXPECT_GE(widget->width(), widget->sizeHint().width());
    }
    for (const QString& name : {u"samplesOnly"_qs, u"clearSamples"_qs}) {
        QWidget* button = in(window(), name);
        EXPECT_GE(button->width(), button->sizeHint().width()) << name.toStdString();
    }
    for (const QString& action : {u"saveAsMethod"_qs, u"reportHeader"_qs}) {
        SCOPED_TRACE(action.toStdString());
        window()->findChild<QAction*>(action)->trigger();
        QDialog* dialog = nullptr;
        for (QDialog* shown : window()->findChildren<QDialog*>()) {
            dialog = shown->isVisible() ? shown : dialog;
        }
        ASSERT_NE(dialog, nullptr);
        EXPECT_LE(dialog->width(), 1280);
        EXPECT_LE(dialog->height(), 740);
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->wordWrap()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
        }
        dialog->reject();
    }
}

} // namespace
