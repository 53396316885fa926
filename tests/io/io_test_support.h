#pragma once

// Helpers shared by the io tests.

#include "io/calibration.h"
#include "io/error.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <ostream>

// GoogleTest prints QStrings and the value types as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << "bytes \"" << bytes.toStdString() << '"';
}

namespace io {
inline void PrintTo(const Standard& standard, std::ostream* os) {
    *os << "{" << standard.c.toStdString() << " | " << standard.a.toStdString() << "}";
}
inline void PrintTo(const Sample& sample, std::ostream* os) {
    *os << "{" << sample.name.toStdString() << " | " << sample.readings.toStdString() << " | "
        << sample.dilution.toStdString() << " | " << sample.mainResult.toStdString() << "}";
}
} // namespace io

namespace io_test {

// The error's message, or "ok" when there is a value.
template <typename T> QString messageOf(const io::Expected<T>& result) {
    return result ? QStringLiteral("ok") : result.error().message();
}

inline QString messageOf(const std::optional<io::Error>& error) {
    return error ? error->message() : QStringLiteral("ok");
}

inline QByteArray encoded(QStringEncoder::Encoding encoding, const QString& text, bool bom) {
    QStringEncoder encoder(encoding,
                           bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return encoder.encode(text);
}

inline QByteArray gb18030(const QString& text) {
    QStringEncoder encoder("GB18030");
    EXPECT_TRUE(encoder.isValid());
    return encoder.encode(text);
}

// The first bytes of a PNG picture: binary with NULs on both sides.
inline QByteArray pngBytes() {
    static const char png[] = "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x01\0\0\0\x01\0\x08\x06\0\0\0";
    return QByteArray(png, sizeof png - 1);
}

} // namespace io_test
