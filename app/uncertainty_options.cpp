#include "app/uncertainty_options.h"

#include "calc/number_text.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace app {
namespace {

template <std::size_t N>
std::optional<int> keyOf(const QString& value, const std::array<const char*, N>& keys) {
    for (std::size_t i = 0; i < N; ++i) {
        if (value == QLatin1StringView(keys[i])) {
            return int(i);
        }
    }
    return std::nullopt;
}

template <std::size_t N>
QString notOneOf(const QCommandLineOption& option, const QString& value,
                 const std::array<const char*, N>& keys) {
    QStringList allowed;
    for (const char* key : keys) {
        allowed << QString::fromLatin1(key);
    }
    return UncertaintyTexts::tr("--%1 的值“%2”无效，应为 %3")
        .arg(option.names().first(), value, allowed.join(UncertaintyTexts::tr("、")));
}

} // namespace

std::optional<QString> applyUncertaintyOptions(const QCommandLineParser& parser,
                                               const UncertaintyOptions& o,
                                               calibration::UncertaintySettings& settings) {
    if (parser.isSet(o.way)) {
        const auto way = keyOf(parser.value(o.way), calibration::kUncertaintyWayKeys);
        if (!way) {
            return notOneOf(o.way, parser.value(o.way), calibration::kUncertaintyWayKeys);
        }
        settings.way = calibration::UncertaintyWay(*way);
    }
    if (parser.isSet(o.coverage)) {
        const auto coverage = keyOf(parser.value(o.coverage), calibration::kCoverageKeys);
        if (!coverage) {
            return notOneOf(o.coverage, parser.value(o.coverage), calibration::kCoverageKeys);
        }
        settings.coverage = calc::Coverage(*coverage);
    }
    for (const auto& [option, member] :
         {std::pair{&o.volume, &calibration::UncertaintySettings::volume},
          std::pair{&o.dilution, &calibration::UncertaintySettings::dilution},
          std::pair{&o.standard, &calibration::UncertaintySettings::standard},
          std::pair{&o.recovery, &calibration::UncertaintySettings::recovery}}) {
        if (!parser.isSet(*option)) {
            continue;
        }
        const QString value = parser.value(*option);
        if (settings.way != calibration::UncertaintyWay::BottomUp) {
            return UncertaintyTexts::tr("--%1 只用于 --uncertainty bottom-up")
                .arg(option->names().first());
        }
        if (option == &o.recovery && value == u"spikes"_s) {
            settings.recovery.reset();
            settings.recoveryFromSpikes = true;
            continue;
        }
        const std::optional<double> number = calc::strictParse(value.toStdString());
        if (!number || !(*number >= 0 && *number <= 1)) {
            return option == &o.recovery
                       ? UncertaintyTexts::tr("--%1 的值“%2”无效，应为0到1之间的数或 spikes")
                             .arg(option->names().first(), value)
                       : UncertaintyTexts::tr("--%1 的值“%2”无效，应为0到1之间的数")
                             .arg(option->names().first(), value);
        }
        settings.*member = calibration::RelativeComponent{*number, std::nullopt};
        if (option == &o.recovery) {
            settings.recoveryFromSpikes = false;
        }
    }
    return std::nullopt;
}

} // namespace app
