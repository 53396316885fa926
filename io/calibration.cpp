#include "io/calibration.h"

#include "calc/number_text.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace io {
namespace {

bool isAsciiDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

// Number texts are short and ASCII: they are parsed from a buffer on the stack, which keeps a
// list of 100 000 samples from making a million small allocations.
std::optional<double> strictNumber(QStringView text) {
    constexpr qsizetype kShort = 64;
    if (text.size() <= kShort) {
        char ascii[kShort];
        bool allAscii = true;
        for (qsizetype i = 0; i < text.size() && allAscii; ++i) {
            const char16_t code = text[i].unicode();
            allAscii = code < 0x80;
            ascii[i] = char(code);
        }
        if (allAscii) {
            return calc::strictParse(std::string_view(ascii, std::size_t(text.size())));
        }
    }
    return calc::strictParse(text.toString().toStdString());
}

// Calls `each` with every run of non-blank characters of the text, as readingTexts splits it.
template <typename Each> void forEachReading(QStringView readings, Each each) {
    qsizetype i = 0;
    while (i < readings.size()) {
        while (i < readings.size() && readings[i].isSpace()) {
            ++i;
        }
        const qsizetype start = i;
        while (i < readings.size() && !readings[i].isSpace()) {
            ++i;
        }
        if (i > start) {
            each(readings.sliced(start, i - start));
        }
    }
}

std::optional<QString> tooLong(const QString& text, const QString& what, qsizetype length) {
    if (text.size() > length) {
        return u"%1 %2 超过%3个字符"_s.arg(what, quotedForMessage(text), QString::number(length));
    }
    return std::nullopt;
}

QString standardLocation(qsizetype index) {
    return u"第%1个标准点"_s.arg(index + 1);
}

QString sampleLocation(qsizetype index) {
    return u"第%1个样品"_s.arg(index + 1);
}

std::optional<Error> firstSampleProblem(const QList<Sample>& samples) {
    for (qsizetype i = 0; i < samples.size(); ++i) {
        if (const auto values = sampleValues(samples[i]); !values) {
            return Error{{}, sampleLocation(i), values.error().reason};
        }
    }
    return std::nullopt;
}

} // namespace

bool hasNumberForm(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto digits = [&] {
        const qsizetype start = i;
        while (i < n && isAsciiDigit(text[i])) {
            ++i;
        }
        return i - start;
    };
    while (i < n && text[i] == u' ') {
        ++i;
    }
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    qsizetype mantissaDigits = digits();
    if (i < n && text[i] == u'.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            ++i;
        }
        if (digits() == 0) {
            return false;
        }
    }
    while (i < n && text[i] == u' ') {
        ++i;
    }
    return i == n;
}

QStringList readingTexts(QStringView readings) {
    QStringList parts;
    forEachReading(readings, [&parts](QStringView reading) { parts.append(reading.toString()); });
    return parts;
}

std::optional<QString> numberProblem(const QString& text, const QString& what) {
    if (text.isEmpty()) {
        return u"%1为空"_s.arg(what);
    }
    if (strictNumber(text)) {
        return std::nullopt;
    }
    // The form is right but the parse refused it: too large for a double.
    if (hasNumberForm(text)) {
        return u"%1 %2 超出数值范围"_s.arg(what, quotedForMessage(text));
    }
    return u"%1 %2 不是数字"_s.arg(what, quotedForMessage(text));
}

std::optional<QString> standardNumberProblem(const Standard& standard) {
    if (auto problem = numberProblem(standard.c, u"浓度"_s)) {
        return problem;
    }
    return numberProblem(standard.a, u"吸光度"_s);
}

std::optional<QString> standardWindowProblem(const Standard& standard) {
    if (auto problem = tooLong(standard.c, u"浓度"_s, kConcentrationBoxLength)) {
        return problem;
    }
    if (auto problem = numberProblem(standard.c, u"浓度"_s)) {
        return problem;
    }
    if (auto problem = tooLong(standard.a, u"吸光度"_s, kAbsorbanceBoxLength)) {
        return problem;
    }
    return numberProblem(standard.a, u"吸光度"_s);
}

std::optional<QString> windowCountProblem(qsizetype standards) {
    if (standards < kMinStandards || standards > kMaxWindowStandards) {
        return u"有%1个标准点，窗口只接受%2到%3个"_s.arg(standards)
            .arg(kMinStandards)
            .arg(kMaxWindowStandards);
    }
    return std::nullopt;
}

Expected<SampleValues> sampleValues(const Sample& sample) {
    const auto refuse = [](const QString& reason) { return Error{{}, {}, reason}; };
    SampleValues values;
    qsizetype count = 0;
    std::optional<QString> problem;
    forEachReading(sample.readings, [&](QStringView reading) {
        if (++count > kMaxReadings || problem) {
            return;
        }
        if (const auto number = strictNumber(reading)) {
            values.readings.append(*number);
        } else {
            problem = numberProblem(reading.toString(), u"读数"_s);
        }
    });
    if (count == 0) {
        return refuse(u"没有读数"_s);
    }
    if (count > kMaxReadings) {
        return refuse(u"读数有%1个，最多%2个"_s.arg(count).arg(kMaxReadings));
    }
    if (problem) {
        return refuse(*problem);
    }
    if (!sample.dilution.trimmed().isEmpty()) {
        if (const auto problem = numberProblem(sample.dilution, u"稀释倍数"_s)) {
            return refuse(*problem);
        }
        values.dilution = *strictNumber(sample.dilution);
        if (!(values.dilution > 0)) {
            return refuse(u"稀释倍数 %1 必须大于0"_s.arg(quotedForMessage(sample.dilution)));
        }
    }
    return values;
}

std::optional<Error> checkForWindow(const Calibration& calibration) {
    if (const auto problem = windowCountProblem(calibration.standards.size())) {
        return Error{{}, {}, *problem};
    }
    for (qsizetype i = 0; i < calibration.standards.size(); ++i) {
        if (const auto problem = standardWindowProblem(calibration.standards[i])) {
            return Error{{}, standardLocation(i), *problem};
        }
    }
    return firstSampleProblem(calibration.samples);
}

std::optional<Error> checkNumbers(const Calibration& calibration) {
    for (qsizetype i = 0; i < calibration.standards.size(); ++i) {
        if (const auto problem = standardNumberProblem(calibration.standards[i])) {
            return Error{{}, standardLocation(i), *problem};
        }
    }
    return firstSampleProblem(calibration.samples);
}

} // namespace io
