#pragma once

// "归档批次" in the analysis window: the document's batch filed in the quality-control database
// configured for this workstation (records/configured.h), and the mark that says whether it is.
//
// Filing takes a document saved as it stands (the action is enabled only for a saved document
// without unsaved changes), so that the record names a file that holds exactly what was filed.
// The mark reads "未归档" until the batch is filed, then "已归档（批次 12）"; whether a document
// opened again was filed is what this workstation remembers (records/filing.h), keyed by the
// database, so no database is reached to show it. A batch filed already files nothing and says
// "此批次已归档" with its id; a fault (a locked file, a full disk, a server that cannot be reached)
// says so and changes nothing: the document stays as it is and can be filed later.
//
// The batch is judged against the frozen control charts of that database as it is evaluated: the
// charts of its group and series are read when the document's group or series change, when the
// window becomes active again (limits frozen meanwhile in 质控图, filings of other workstations)
// and after a filing, and handed to the current calibration (CurrentCalibration::
// setChartContext). A database that does not exist yet holds no charts; one that cannot be read
// is said beside the mark and not tried again until the document, the window's activation after a
// change of the setting, or a filing asks.

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QEvent;
class QLabel;
class QWidget;

namespace records {
class Store;
struct DatabaseUrl;
} // namespace records

namespace ui {
class Prompts;
}

namespace analysis {

class CurrentCalibration;

class BatchFiling final : public QObject {
    Q_OBJECT
public:
    BatchFiling(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* window);
    ~BatchFiling() override;

    // "归档批次", for the menu and the button beside it.
    QAction* action() const { return action_; }
    // The action's button, the mark and the note on the charts beside it, in the menu bar's corner.
    QWidget* bar() const { return bar_; }

    // Files the document's batch.
    void file();
    // Reads the frozen charts again.
    void refreshCharts();

    // The mark as shown ("未归档", "已归档（批次 12）", "" without a curve).
    QString mark() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void documentChanged();
    void resultsChanged();
    void updateMark();
    // The store of the configured database, opened when first needed and kept while the setting
    // names the same database; nullptr with the reason.
    records::Store* store(const records::DatabaseUrl& url, QString& whyNot);
    void readCharts(bool force);
    void readTopDown(bool force);

    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    QWidget* window_;
    QAction* action_ = nullptr;
    QWidget* bar_ = nullptr;
    QLabel* mark_ = nullptr;
    QLabel* chartNote_ = nullptr;
    std::unique_ptr<records::Store> store_;
    std::string identity_; // of the document as saved; "" while it has unsaved changes
    std::optional<std::int64_t> filed_, supersedes_;
    QString chartFault_;       // why the charts could not be read; "" when they could
    QString faultDatabase_;    // the database they could not be read from
    double topDownFactor_ = 0; // the result factor the top-down inputs were read with
    bool reading_ = false;     // the charts being read (the calibration evaluates again meanwhile)
};

} // namespace analysis
