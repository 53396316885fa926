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

} // namespace io
