#pragma once

#include "calc/curve.h"
#include "worksheet/listener.h"

#include <QObject>
#include <QString>
#include <memory>

namespace worksheet {
class Worksheet;
}

namespace ui {

// The worksheet's announcements as Qt signals, for any number of views; with the unit list's
// text besides, which the worksheet reads only when it shows a result.
class WorksheetEvents final : public QObject {
    Q_OBJECT
public:
    // Listens to the worksheet from now until it is destroyed; the worksheet must outlive it.
    WorksheetEvents(worksheet::Worksheet& sheet, QObject* parent);
    ~WorksheetEvents() override;

signals:
    // After a fit that stored a curve, once everything it shows is written.
    void curveFitted(const calc::Curve& curve);
    // After the table was cleared (command5).
    void curveCleared();
    // After Text8 received a result and the unit beside it was written.
    void sampleComputed(const QString& absorbanceText, const QString& result, const QString& unit);
    // After the sample frame was cleared (Command8).
    void sampleCleared();
    // Whenever the text of the unit list changes, chosen or typed.
    void unitChanged(const QString& unit);

private:
    class Relay;
    worksheet::Worksheet& sheet_;
    std::unique_ptr<Relay> relay_;
};

} // namespace ui
