#include "io/calibration.h"
#include "io/error.h"
#include "io_test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A quoted text shows what would otherwise not show, or would turn the message around it.
TEST(QuotedForMessage, InvisibleCharactersShowTheirCodes) {
    const QString forty = QString(39, u'1');
    struct Case {
        const char* name;
        QString text;
        QString quoted;
    };
    const Case cases[] = {
        {"plain", u"1,2.3"_s, u"\"1,2.3\""_s},
        {"Chinese and an emoji stay", u"浓度😀"_s, u"\"浓度😀\""_s},
        {"DEL", u"0.2\x7F"_s, u"\"0.2\\u007F\""_s},
        {"a tab and a line break", u"1\t2\n"_s, u"\"1\\u00092\\u000A\""_s},
        {"a C1 control", u"0.2\u009B"_s, u"\"0.2\\u009B\""_s},
        {"a zero-width space", u"0.2\u200B"_s, u"\"0.2\\u200B\""_s},
        {"a right-to-left mark", u"0.2\u200F"_s, u"\"0.2\\u200F\""_s},
        {"a right-to-left override", u"\u202E0.2"_s, u"\"\\u202E0.2\""_s},
        {"an isolate", u"\u20660.2\u2069"_s, u"\"\\u20660.2\\u2069\""_s},
        {"a byte-order mark", u"\uFEFF0.2"_s, u"\"\\uFEFF0.2\""_s},
        {"a line separator", u"0.2\u2028"_s, u"\"0.2\\u2028\""_s},
        {"a format character beyond the BMP", u"0.2\U000E0001"_s, u"\"0.2\\U000E0001\""_s},
        {"an unpaired surrogate", u"0.2"_s + QChar(0xD800), u"\"0.2\\uD800\""_s},
        {"41 characters", forty + u"23"_s, u"\""_s + forty + u"2…\""_s},
        {"a pair at the cut stays whole", forty + u"😀😀"_s, u"\""_s + forty + u"…\""_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(io::quotedForMessage(c.text), c.quoted);
    }
    EXPECT_EQ(io::numberProblem(u"0.2\x7F"_s, calibration::Field::Absorbance),
              u"吸光度 \"0.2\\u007F\" 不是数字"_s);
}

} // namespace
