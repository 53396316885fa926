#include "io/error.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace io {

QString Error::message() const {
    QStringList parts;
    for (const QString* part : {&file, &location, &reason}) {
        if (!part->isEmpty()) {
            parts.append(*part);
        }
    }
    return parts.join(u"："_s);
}

QString quotedForMessage(const QString& text) {
    constexpr qsizetype kShown = 40;
    return u'"' + (text.size() > kShown ? text.first(kShown) + u'…' : text) + u'"';
}

} // namespace io
