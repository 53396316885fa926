#include "analysis/method_dialog.h"

#include "analysis/current_calibration.h"
#include "analysis/printed_record.h"
#include "calc/number_format.h"
#include "calc/number_text.h"
#include "io/document_text.h"
#include "io/files.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

namespace analysis {

namespace {

QLabel* wrapped(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

MethodDialog::MethodDialog(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent)
    : QDialog(parent), calibration_(calibration), prompts_(prompts) {
    setObjectName(QStringLiteral("methodDialog"));
    setWindowTitle(tr("保存为方法"));
    auto* layout = new QVBoxLayout(this);
    auto* intro =
        new QLabel(tr("方法保存本文件的全部设置（模型、权重、空白校正、修约、报告方式和"
                      "质控要求）、浓度单位、结果单位和分析项目，以及验证所得的方法检出限；"
                      "以后的批次应用它即得到同样的设置。"),
                   this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    const int characters = fontMetrics().horizontalAdvance(QStringLiteral("0"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("methodName"));
    name_->setMinimumWidth(characters * 40);
    name_->setPlaceholderText(tr("例如 HJ 535-2009 氨氮"));
    form->addRow(tr("方法名称"), name_);
    mdl_ = new QLineEdit(this);
    mdl_->setObjectName(QStringLiteral("methodMdl"));
    mdl_->setMinimumWidth(characters * 20);
    mdl_->setMaximumWidth(characters * 24);
    mdlUnit_ = new QLabel(this);
    auto* mdlRow = new QHBoxLayout;
    mdlRow->addWidget(mdl_);
    mdlRow->addWidget(mdlUnit_);
    mdlRow->addStretch();
    form->addRow(tr("方法检出限 MDL"), mdlRow);
    mdlSource_ = wrapped(this, QStringLiteral("methodMdlSource"));
    form->addRow(QString(), mdlSource_);
    date_ = new QLineEdit(this);
    date_->setObjectName(QStringLiteral("validationDate"));
    date_->setMaximumWidth(characters * 16);
    form->addRow(tr("验证日期"), date_);
    validation_ = wrapped(this, QStringLiteral("validationFile"));
    form->addRow(tr("验证文件"), validation_);
    for (const auto& [label, box] :
         {std::pair{tr("方法名称"), name_}, std::pair{tr("方法检出限 MDL"), mdl_},
          std::pair{tr("验证日期"), date_}}) {
        box->setAccessibleName(label);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("methodButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &MethodDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MethodDialog::reject);
    layout->addWidget(buttons);
}

void MethodDialog::edit() {
    const calibration::Document& document = calibration_.document();
    const calibration::BatchResult& batch = calibration_.batch();
    // The name the document already goes by: the method it runs, else the header's.
    const std::string& name =
        !document.method.empty() ? document.method.name : document.header.method;
    name_->setText(io::fromDocument(name));
    const QString unit = io::fromDocument(document.unit).trimmed();
    mdlUnit_->setText(unit);
    fromValidation_ = batch.mdl.has_value();
    mdl_->setReadOnly(fromValidation_);
    if (fromValidation_) {
        // Shown as the validation tab shows it; the method keeps every digit.
        mdl_->setText(QString::fromStdString(
            calc::formatNumber(batch.mdl->mdl, calc::NumberStyle::significant(6))));
        mdl_->setToolTip(QString::fromStdString(
            calc::formatNumber(batch.mdl->mdl, calc::NumberStyle::shortestRoundTrip())));
        mdlSource_->setText(batch.mdlFromSpikes
                                ? tr("由本文件的%n个检出限样计算（HJ 168），测定下限 4·MDL。",
                                     nullptr, int(batch.mdl->n))
                                : tr("由本文件的%n个空白计算（HJ 168），测定下限 4·MDL。", nullptr,
                                     int(batch.mdl->n)));
    } else {
        const std::optional<double>& kept = document.method.validated.mdl;
        mdl_->setText(kept ? QString::fromStdString(
                                 calc::formatNumber(*kept, calc::NumberStyle::shortestRoundTrip()))
                           : QString());
        mdl_->setToolTip(QString());
        mdlSource_->setText(tr("本文件没有算出方法检出限（至少需要7个检出限样或空白）："
                               "可输入验证所得的值，空着则方法不带检出限。"));
    }
    const std::string& date =
        document.header.analysisDate.empty() ? document.created : document.header.analysisDate;
    date_->setText(io::fromDocument(date));
    // The validation's saved file ties the method to the data it was validated with.
    validationSha256_.clear();
    const QString file = calibration_.file();
    if (!file.isEmpty() && !calibration_.isModified()) {
        const io::Expected<QByteArray> bytes = io::readFileLimited(file);
        if (bytes) {
            validationSha256_ = sha256Hex(bytes.value()).toStdString();
            validation_->setText(tr("%1（SHA-256 %2）")
                                     .arg(io::shownPath(QFileInfo(file).fileName()),
                                          QString::fromStdString(validationSha256_)));
        } else {
            validation_->setText(tr("无法读取：%1").arg(bytes.error().message()));
        }
    } else {
        validation_->setText(tr("未保存：方法中不记录验证文件的 SHA-256（先保存本文件即可记录）"));
    }
    name_->setFocus();
    open();
}

void MethodDialog::accept() {
    const QString name = name_->text().trimmed();
    if (name.isEmpty()) {
        prompts_.tell(tr("方法名称不能为空"));
        return;
    }
    calibration::Method method = calibration::methodFromDocument(
        calibration_.document(), calibration_.results(), io::toDocument(name),
        io::toDocument(date_->text().trimmed()));
    if (fromValidation_) {
        method.validated.sha256 = validationSha256_;
    } else if (const QString typed = mdl_->text().trimmed(); typed.isEmpty()) {
        method.validated = {};
    } else {
        const std::optional<double> mdl = calc::strictParse(io::toDocument(typed));
        if (!mdl || !(*mdl > 0) || !std::isfinite(*mdl) || !std::isfinite(4 * *mdl)) {
            prompts_.tell(tr("方法检出限 \"%1\" 应为大于0的数").arg(typed));
            return;
        }
        const calibration::MethodValidation& kept = calibration_.document().method.validated;
        if (kept.mdl == mdl) {
            // The MDL of the method the document runs keeps its own validation's day and file.
            method.validated = kept;
        } else {
            method.validated = {*mdl, 4 * *mdl, io::toDocument(date_->text().trimmed()),
                                validationSha256_};
        }
    }
    QDialog::accept();
    emit methodReady(method);
}

} // namespace analysis
