#include "analysis/header_dialog.h"

#include "analysis/current_calibration.h"
#include "io/document_text.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSettings>
#include <QVBoxLayout>

namespace analysis {

namespace {

struct Field {
    const char* label; // marked for translation
    const char* name;
    std::string calibration::ReportHeader::*member;
    bool laboratoryDefault; // kept in the settings for new documents
};

const Field kFields[] = {
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "实验室名称"), "laboratory",
     &calibration::ReportHeader::laboratory, true},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "项目/批号"), "project",
     &calibration::ReportHeader::project, false},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "方法"), "method",
     &calibration::ReportHeader::method, false},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "分析项目"), "analyte",
     &calibration::ReportHeader::analyte, false},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "仪器"), "instrument",
     &calibration::ReportHeader::instrument, true},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "仪器编号"), "instrumentNumber",
     &calibration::ReportHeader::instrumentNumber, false},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "波长"), "wavelength",
     &calibration::ReportHeader::wavelength, false},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "比色皿光程"), "pathLength",
     &calibration::ReportHeader::pathLength, false},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "分析日期"), "analysisDate",
     &calibration::ReportHeader::analysisDate, false},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "分析人"), "analyst",
     &calibration::ReportHeader::analyst, true},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "校核人"), "reviewer",
     &calibration::ReportHeader::reviewer, false},
    {QT_TRANSLATE_NOOP("analysis::HeaderDialog", "审核人"), "approver",
     &calibration::ReportHeader::approver, false},
};

QString settingsKey(const Field& field) {
    return QStringLiteral("report/") + QLatin1StringView(field.name);
}

} // namespace

calibration::ReportHeader defaultHeader() {
    calibration::ReportHeader header;
    const QSettings settings;
    for (const Field& field : kFields) {
        if (field.laboratoryDefault) {
            header.*field.member = io::toDocument(settings.value(settingsKey(field)).toString());
        }
    }
    return header;
}

HeaderDialog::HeaderDialog(CurrentCalibration& calibration, QWidget* parent)
    : QDialog(parent), calibration_(calibration) {
    setObjectName(QStringLiteral("headerDialog"));
    setWindowTitle(tr("报告信息"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    // Wide enough for a method's full title or a laboratory's full name, thirty Chinese
    // characters ("HJ 535-2009 水质 氨氮的测定 纳氏试剂分光光度法"), yet well within a
    // 1280 x 800 screen.
    const int wide = fontMetrics().horizontalAdvance(QString(30, QChar(0x6C34)));
    for (const Field& field : kFields) {
        auto* box = new QLineEdit(this);
        box->setMinimumWidth(wide);
        box->setObjectName(QLatin1StringView(field.name));
        box->setAccessibleName(tr(field.label));
        form->addRow(tr(field.label), box);
        fields_.push_back(box);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &HeaderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &HeaderDialog::reject);
    layout->addWidget(buttons);
}

void HeaderDialog::edit() {
    const calibration::Document& document = calibration_.document();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(io::fromDocument(document.header.*kFields[i].member));
    }
    // The analysis date defaults to the day the document was created.
    QLineEdit* date = fields_[8];
    date->setPlaceholderText(io::fromDocument(document.created));
    open();
}

void HeaderDialog::accept() {
    calibration::ReportHeader header = calibration_.document().header;
    QSettings settings;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const QString text = fields_[i]->text().trimmed();
        header.*kFields[i].member = io::toDocument(text);
        if (kFields[i].laboratoryDefault) {
            settings.setValue(settingsKey(kFields[i]), text);
        }
    }
    calibration_.setHeader(header);
    QDialog::accept();
}

} // namespace analysis
