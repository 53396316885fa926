#include "calibration/text.h"
#include "io/calibration.h"
#include "io/document_text.h"
#include "io/error.h"
#include "io_test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The table of what a message hides agrees with Qt's Unicode data on every code point: the
// controls, the format characters, the line and paragraph separators and the surrogates. A code
// point that Qt's older data has not assigned yet may be in the table (U+13439..U+1343F came in
// Unicode 15).
TEST(HiddenInMessage, AgreesWithQtsUnicodeData) {
    int disagreements = 0;
    for (char32_t code = 0; code <= 0x10FFFF; ++code) {
        const QChar::Category category = QChar::category(code);
        const bool hidden = category == QChar::Other_Control || category == QChar::Other_Format ||
                            category == QChar::Separator_Line ||
                            category == QChar::Separator_Paragraph ||
                            category == QChar::Other_Surrogate;
        if (calibration::text::hiddenInMessage(code) != hidden &&
            QChar::unicodeVersion(code) != QChar::Unicode_Unassigned && disagreements++ < 10) {
            ADD_FAILURE() << "U+" << std::hex << unsigned(code) << " category " << std::dec
                          << int(category);
        }
    }
    EXPECT_EQ(disagreements, 0);
}

// The Qt texts go through the document's UTF-8 form and back: an unpaired surrogate of a QString
// shows as its code in a quoted text, and as the byte it stands for in a path.
TEST(QuotedForMessage, QtTextsShowAsTheirUtf8Form) {
    const QString ones = QString(39, u'1');
    EXPECT_EQ(io::quotedForMessage(u"0.2"_s + QChar(0xD800)), u"\"0.2\\uD800\""_s);
    EXPECT_EQ(io::quotedForMessage(ones + u"😀😀"_s), u"\""_s + ones + u"😀…\""_s);
    EXPECT_EQ(io::shownPath(u"a\u202Eb"_s + QChar(0xDCFF) + QChar(0xD800)),
              u"a\\u202Eb\\xFF\\uD800"_s);
    const auto problem = io::numberProblem(u"0.2\x7F"_s, calibration::Field::Absorbance);
    ASSERT_TRUE(problem);
    EXPECT_EQ(io::rendered(*problem), u"吸光度 \"0.2\\u007F\" 不是数字"_s);
}

} // namespace
