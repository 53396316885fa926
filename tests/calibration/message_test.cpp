// A message is translated when it is rendered, in the context it names, its arguments that are
// messages with it; an argument shown as it is stays as it is.

#include "calibration/message.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>

namespace {

using calibration::Message;

// Translates only what it knows, in its context, and marks it so that a test sees which context
// was asked.
std::string bracketed(const char* context, const char* source) {
    static const std::map<std::pair<std::string, std::string>, std::string> known = {
        {{"io", "应为%1，不是%2"}, "expected %1, not %2"},   {{"io", "数字"}, "number"},
        {{"calibration", "数字"}, "[calibration's number]"}, {{"io", "%1（%2）"}, "%1 (%2)"},
        {{"io", "磁盘已满"}, "No space left on device"},
    };
    const auto found = known.find({context, source});
    return found == known.end() ? std::string(source) : found->second;
}

// A phrase and, in brackets, the system's own words for it, shown once when they read alike.
Message systemError(const char* phrase, const char* system) {
    Message message = Message::in("io", "%1（%2）", {Message::in("io", phrase), system});
    message.firstAloneWhenAlike = true;
    return message;
}

TEST(Message, RenderedInItsContextWithItsInnerMessages) {
    calibration::setTranslator(&bracketed);
    const Message words = Message::in("io", "数字");
    struct Case {
        const char* name;
        Message message;
        std::string shown;
    } const cases[] = {
        {"a word in its context", words, "number"},
        {"the same source in another context", Message("数字"), "[calibration's number]"},
        {"an inner message translated with its holder",
         Message::in("io", "应为%1，不是%2", {words, "\"1,2\""}), "expected number, not \"1,2\""},
        {"two levels deep",
         Message::in("io", "%1（%2）",
                     {"standards[0].C", Message::in("io", "应为%1，不是%2", {words, words})}),
         "standards[0].C (expected number, not number)"},
        {"an argument holding a placeholder stays",
         Message::in("io", "应为%1，不是%2", {"%2", "x"}), "expected %2, not x"},
        {"an unknown text as written", Message::in("io", "第%1行", {"3"}), "第3行"},
        {"a phrase that reads as the system's words, once",
         systemError("磁盘已满", "No space left on device"), "No space left on device"},
        {"a phrase with the system's words after it",
         systemError("权限被拒绝", "Permission denied"), "权限被拒绝 (Permission denied)"},
        {"the system's words once inside another message",
         Message::in("io", "读取出错：%1", {systemError("磁盘已满", "No space left on device")}),
         "读取出错：No space left on device"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calibration::render(c.message), c.shown);
    }
    calibration::setTranslator(nullptr);
    EXPECT_EQ(calibration::render(Message::in("io", "应为%1，不是%2", {words, "x"})),
              "应为数字，不是x");
    EXPECT_EQ(calibration::render(systemError("磁盘已满", "No space left on device")),
              "磁盘已满（No space left on device）");
}

// Messages are equal when their contexts, texts and arguments are, inner messages compared by
// what they hold.
TEST(Message, Equality) {
    EXPECT_EQ(Message::in("io", "应为%1", {Message::in("io", "数字")}),
              Message::in("io", "应为%1", {Message::in("io", "数字")}));
    EXPECT_NE(Message::in("io", "数字"), Message("数字"));
    Message once = Message::in("io", "%1（%2）", {"a", "a"});
    const Message both = once;
    once.firstAloneWhenAlike = true;
    EXPECT_NE(once, both);
    EXPECT_NE(Message::in("io", "应为%1", {Message::in("io", "数字")}),
              Message::in("io", "应为%1", {"数字"}));
}

} // namespace
