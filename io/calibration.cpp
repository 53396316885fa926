#include "io/calibration.h"

#include "io/document_text.h"

namespace io {

bool hasNumberForm(QStringView text) {
    return calibration::hasNumberForm(toDocument(text.toString()));
}

std::optional<calibration::Message> numberProblem(const QString& text, calibration::Field field) {
    return calibration::numberProblem(toDocument(text), field);
}

std::optional<calibration::Message> standardNumberProblem(const Standard& standard) {
    if (auto problem = numberProblem(standard.c, calibration::Field::Concentration)) {
        return problem;
    }
    return numberProblem(standard.a, calibration::Field::Absorbance);
}

QStringList readingTexts(QStringView readings) {
    QStringList parts;
    const std::string text = toDocument(readings.toString());
    for (std::string_view reading : calibration::readingTexts(text)) {
        parts.append(fromDocument(reading));
    }
    return parts;
}

std::optional<calibration::Message> sampleProblem(const Sample& sample) {
    const calibration::SampleValues values = calibration::sampleValues(toDocument(sample));
    return values.ok() ? std::nullopt : values.problem();
}

calibration::Standard toDocument(const Standard& standard) {
    return {toDocument(standard.c),  toDocument(standard.a),  false, {},
            toDocument(standard.is), toDocument(standard.cIs)};
}

calibration::Sample toDocument(const Sample& sample) {
    calibration::Sample converted;
    converted.name = toDocument(sample.name);
    converted.readings = toDocument(sample.readings);
    converted.dilution = toDocument(sample.dilution);
    converted.mainResult = toDocument(sample.mainResult);
    converted.type = calibration::normalizedType(toDocument(sample.type));
    converted.of = toDocument(sample.of);
    converted.added = toDocument(sample.added);
    converted.nominal = toDocument(sample.nominal);
    converted.certified = toDocument(sample.certified);
    converted.u = toDocument(sample.u);
    converted.is = toDocument(sample.is);
    converted.cIs = toDocument(sample.cIs);
    return converted;
}

} // namespace io
