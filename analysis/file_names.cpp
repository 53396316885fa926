#include "analysis/file_names.h"

#include "io/document_text.h"

namespace analysis {

QString fileNameOf(const QString& text) {
    QString name;
    name.reserve(text.size());
    for (const QChar ch : text) {
        const bool refused =
            ch.unicode() < 0x20 || ch.unicode() == 0x7F || QStringView(u"/\\:*?\"<>|").contains(ch);
        name += refused ? u'-' : ch;
    }
    name = name.trimmed();
    while (name.endsWith(u'.')) {
        name.chop(1);
    }
    return name.trimmed();
}

QString proposedName(const calibration::Document& document) {
    const calibration::ReportHeader& header = document.header;
    if (const QString batch = fileNameOf(io::fromDocument(header.project)); !batch.isEmpty()) {
        return batch;
    }
    const QString analyte = io::fromDocument(header.analyte).trimmed();
    if (analyte.isEmpty()) {
        return {};
    }
    const std::string& date = header.analysisDate.empty() ? document.created : header.analysisDate;
    return fileNameOf((analyte + u' ' + io::fromDocument(date)).trimmed());
}

} // namespace analysis
