// The analysis window's 方法 menu: a method saved from the document, a method file applied to it.

#include "analysis/analysis_window.h"
#include "analysis/change_reason.h"
#include "analysis/current_calibration.h"
#include "analysis/file_names.h"
#include "analysis/method_dialog.h"
#include "io/document_text.h"
#include "io/method_file.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace analysis {

namespace {

const QString kMethodSuffix = QStringLiteral("lumetra-method");

} // namespace

void AnalysisWindow::buildMethodMenu(QMenu& method) {
    method.setObjectName(QStringLiteral("methodMenu"));
    method.addAction(tr("保存为方法…"), this, &AnalysisWindow::saveAsMethod)
        ->setObjectName(QStringLiteral("saveAsMethod"));
    method.addAction(tr("应用方法…"), this, &AnalysisWindow::applyMethodFile)
        ->setObjectName(QStringLiteral("applyMethod"));
    methodDialog_ = new MethodDialog(calibration_, prompts_, this);
    connect(methodDialog_, &MethodDialog::methodReady, this, &AnalysisWindow::writeMethod);
}

void AnalysisWindow::saveAsMethod() {
    methodDialog_->edit();
}

void AnalysisWindow::writeMethod(const calibration::Method& method) {
    const QString name = fileNameOf(io::fromDocument(method.name));
    QString path =
        prompts_.saveFileName(tr("保存为方法"), tr("Lumetra 方法文件 (*.lumetra-method)"),
                              (name.isEmpty() ? tr("方法") : name) + u'.' + kMethodSuffix);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + kMethodSuffix;
    }
    // Never over the document's own file: a method is written beside it.
    if (const auto problem = exportTargetProblem(path)) {
        prompts_.tell(tr("方法保存失败：%1").arg(problem->message()));
        return;
    }
    const io::Expected<std::string> sha256 = io::saveMethod(path, method);
    if (!sha256) {
        prompts_.tell(tr("方法保存失败：%1").arg(sha256.error().message()));
        return;
    }
    calibration_.recordMethodSaved(method.name, path, sha256.value());
}

void AnalysisWindow::applyMethodFile() {
    const QString path = prompts_.openFileName(
        tr("应用方法"), tr("Lumetra 方法文件 (*.lumetra-method);;所有文件 (*)"));
    if (path.isEmpty()) {
        return;
    }
    const io::Expected<calibration::Method> method = io::readMethodFile(path);
    if (!method) {
        prompts_.tell(tr("无法应用方法：%1").arg(method.error().message()));
        return;
    }
    const ChangeReason reason(
        calibration_, prompts_,
        tr("应用方法 \"%1\" 的原因：").arg(io::fromDocument(method.value().name)));
    if (reason) {
        calibration_.applyMethod(method.value());
    }
}

} // namespace analysis
