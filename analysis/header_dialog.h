#pragma once

// "报告信息": the record's header, stored in the document. The laboratory's own fields
// (laboratory, instrument, analyst) are kept as defaults for new documents.

#include <QDialog>
#include <QString>

class QLineEdit;

namespace calibration {
struct ReportHeader;
}

namespace analysis {

class CurrentCalibration;

// The header a new document starts with: the laboratory's defaults, analysed today.
calibration::ReportHeader defaultHeader();

class HeaderDialog final : public QDialog {
    Q_OBJECT
public:
    HeaderDialog(CurrentCalibration& calibration, QWidget* parent);

    // Fills the fields from the document and shows the dialog.
    void edit();

private:
    void accept() override;

    CurrentCalibration& calibration_;
    std::vector<QLineEdit*> fields_;
};

} // namespace analysis
