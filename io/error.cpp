#include "io/error.h"

#include "calibration/text.h"
#include "io/document_text.h"

#include <QCoreApplication>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace io {

QString Error::message() const {
    QStringList parts;
    if (!file.isEmpty()) {
        parts.append(shownPath(file));
    }
    for (const QString* part : {&location, &reason}) {
        if (!part->isEmpty()) {
            parts.append(*part);
        }
    }
    //: Joins a message's file, place and reason: a.csv：第3行：没有数据行
    return parts.join(QCoreApplication::translate("io", "："));
}

QString quotedForMessage(const QString& text) {
    return fromDocument(calibration::text::quoted(toDocument(text)));
}

QString shownPath(const QString& path) {
    return fromDocument(
        calibration::text::shown(toDocument(path), calibration::text::NameBytes::AsBytes));
}

} // namespace io
