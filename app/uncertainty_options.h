#pragma once

// The report's options of the measurement uncertainty: the way, the typed relative components
// and the coverage, over what the document (or its method) gives.

#include "app/command_line_texts.h"
#include "calibration/uncertainty_settings.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <optional>
#include <vector>

namespace app {

struct UncertaintyOptions {
    const QCommandLineOption way{
        QStringLiteral("uncertainty"),
        UncertaintyTexts::tr(
            "测量不确定度的评定方式：none（不评定）、bottom-up（由校准曲线和各分量"
            "合成）或 top-down（由质控数据库的质控图和质控样结果，见 --database）。"),
        QStringLiteral("none|bottom-up|top-down")};
    const QCommandLineOption volume{
        QStringLiteral("u-volume"),
        UncertaintyTexts::tr("取样体积的相对标准不确定度（小数，0.01即1%）。"),
        QStringLiteral("R")};
    const QCommandLineOption dilution{QStringLiteral("u-dilution"),
                                      UncertaintyTexts::tr("稀释的相对标准不确定度（小数）。"),
                                      QStringLiteral("R")};
    const QCommandLineOption standard{
        QStringLiteral("u-standard"),
        UncertaintyTexts::tr("标准物质（纯度和配制）的相对标准不确定度（小数）。"),
        QStringLiteral("R")};
    const QCommandLineOption recovery{
        QStringLiteral("u-recovery"),
        UncertaintyTexts::tr(
            "回收率的相对标准不确定度（小数），或 spikes：由本批加标样的回收率评定。"),
        QStringLiteral("R|spikes")};
    const QCommandLineOption coverage{
        QStringLiteral("coverage"),
        UncertaintyTexts::tr("包含因子：2（k = 2），或 t（k = t(0.975; ν_eff)，ν_eff 按 "
                             "Welch–Satterthwaite 公式）。"),
        QStringLiteral("2|t")};

    std::vector<const QCommandLineOption*> all() const {
        return {&way, &volume, &dilution, &standard, &recovery, &coverage};
    }
};

// The options over `settings`; the first usage error. A component given needs the way
// bottom-up, from the option or the document.
std::optional<QString> applyUncertaintyOptions(const QCommandLineParser& parser,
                                               const UncertaintyOptions& options,
                                               calibration::UncertaintySettings& settings);

} // namespace app
