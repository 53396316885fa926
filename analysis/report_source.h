#pragma once

// Where a printed report comes from, as the command line and the windows hand it to the drawing:
// Qt Core only, so that the command line, which does not link the drawing, can fill it in.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace analysis {

// Where the report comes from: what ties the paper to the saved data.
struct ReportSource {
    QString fileName; // the name every page carries; "" when the data is in no file
    // Each file the data was read from and its SHA-256 in hexadecimal, or why there is none
    // ("未保存" while the document has changes not saved): {"a.lumetra", "9f86d0…"}.
    std::vector<std::pair<QString, QString>> files;
    // The command line's options that changed the result, printed beside the files:
    // {"--model quadratic", "--exclude 3"}.
    QStringList options;
    QDateTime made;
    bool history = false; // the change history as an appendix
};

} // namespace analysis
