#pragma once

// Failures print Qt's texts as text. Every test file of an executable that compares QStrings
// includes this: a file without it would instantiate gtest's byte printer for QString, and the
// linker keeps one of the two.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
