#include "ui/worksheet_events.h"

#include "worksheet/worksheet.h"

namespace ui {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class WorksheetEvents::Relay final : public worksheet::WorksheetListener {
public:
    explicit Relay(WorksheetEvents& events) : events_(events) {}

    void curveFitted(const calc::Curve& curve) override { emit events_.curveFitted(curve); }
    void curveCleared() override { emit events_.curveCleared(); }
    void sampleComputed(const worksheet::SampleComputed& computed) override {
        emit events_.sampleComputed(fromUtf8(computed.absorbanceText), fromUtf8(computed.result),
                                    fromUtf8(computed.unit));
    }
    void sampleCleared() override { emit events_.sampleCleared(); }

private:
    WorksheetEvents& events_;
};

WorksheetEvents::WorksheetEvents(worksheet::Worksheet& sheet, QObject* parent)
    : QObject(parent), sheet_(sheet), relay_(std::make_unique<Relay>(*this)) {
    sheet_.addListener(relay_.get());
}

WorksheetEvents::~WorksheetEvents() {
    sheet_.removeListener(relay_.get());
}

} // namespace ui
