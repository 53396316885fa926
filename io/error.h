#pragma once

// What every reader and writer of the file layer gives back: a value, or an error that names
// the file, the place in it and the reason.

#include "calibration/message.h"

#include <QString>
#include <initializer_list>
#include <optional>
#include <utility>

namespace io {

struct Error {
    QString file; // the path as the caller gave it; empty when the data came from elsewhere
    // "第3行", "standards[3].A", "第2个样品"; empty when the reason is the whole
    calibration::Message location;
    // One short clause, translated when shown: "浓度 \"1,2.3\" 不是数字". A value the user typed
    // or a file held comes in as an argument, quoted already, never as part of the source text.
    calibration::Message reason;

    // The non-empty parts, translated, joined by "：", e.g. "a.csv：第3行：浓度 \"1,2.3\"
    // 不是数字", the file as shownPath shows it. The window shows it in its message box, the
    // command line prints it as its one line of error.
    QString message() const;

    friend bool operator==(const Error&, const Error&) = default;
};

// A message of the file layer, its source text marked in the context "io":
// ioMessage(QT_TRANSLATE_NOOP("io", "第%1行"), {"3"}).
calibration::Message ioMessage(const char* source,
                               std::initializer_list<calibration::Argument> arguments = {});

// A Qt text as an argument, shown as it is.
calibration::Argument shownArgument(const QString& text);

// A message with a text shown as it is right after it: "含有控制字符 \\u" and "0007".
calibration::Message followedBy(calibration::Message message, const QString& text);

// A text carried as a message that shows it unchanged: a field's path ("standards[3].A"), or a
// reason the system gives in its own words.
calibration::Message shownText(const QString& text);

// A text quoted in a reason, as calibration::text::quoted quotes it: "1,2.3" -> "\"1,2.3\"", cut
// to its first 40 characters and "…", what would not show written as its code ("0.2" and DEL ->
// "\"0.2\\u007F\"").
QString quotedForMessage(const QString& text);

// A path as a message shows it: the characters hidden in a message written as their codes, and
// the bytes of a name that is not UTF-8 (kept by pathFromNative in files.h) as \xFF.
QString shownPath(const QString& path);

// A value or an Error (std::expected is C++23).
template <typename T> class Expected {
public:
    Expected(T value) : value_(std::move(value)) {}
    Expected(Error error) : error_(std::move(error)) {}

    explicit operator bool() const { return value_.has_value(); }
    bool ok() const { return value_.has_value(); }

    const T& value() const& { return *value_; }
    T& value() & { return *value_; }
    T&& value() && { return std::move(*value_); }
    const T* operator->() const { return &*value_; }
    T* operator->() { return &*value_; }

    // Meaningful only when !ok().
    const Error& error() const { return error_; }

private:
    std::optional<T> value_;
    Error error_;
};

} // namespace io
