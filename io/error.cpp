#include "io/error.h"

#include "calibration/text.h"
#include "io/document_text.h"

#include <QCoreApplication>
#include <QStringList>
#include <utility>

using namespace Qt::StringLiterals;

namespace io {

QString Error::message() const {
    QStringList parts;
    if (!file.isEmpty()) {
        parts.append(shownPath(file));
    }
    for (const calibration::Message* part : {&location, &reason}) {
        QString shown = rendered(*part);
        if (!shown.isEmpty()) {
            parts.append(std::move(shown));
        }
    }
    //: Joins a message's file, place and reason: a.csv：第3行：没有数据行
    return parts.join(QCoreApplication::translate("io", "："));
}

calibration::Message ioMessage(const char* source,
                               std::initializer_list<calibration::Argument> arguments) {
    return calibration::Message::in("io", source, arguments);
}

calibration::Argument shownArgument(const QString& text) {
    return toDocument(text);
}

calibration::Message shownText(const QString& text) {
    // "%1" is no marked text: the translator gives it back as it is.
    return calibration::Message::in("io", "%1", {shownArgument(text)});
}

calibration::Message followedBy(calibration::Message message, const QString& text) {
    // "%1%2" is no marked text either.
    return calibration::Message::in("io", "%1%2", {std::move(message), shownArgument(text)});
}

QString quotedForMessage(const QString& text) {
    return fromDocument(calibration::text::quoted(toDocument(text)));
}

QString shownPath(const QString& path) {
    return fromDocument(
        calibration::text::shown(toDocument(path), calibration::text::NameBytes::AsBytes));
}

} // namespace io
