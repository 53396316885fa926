#pragma once

// The calibration the windows work on: one document and its results, owned here and changed only
// through the functions below, each of which announces what changed. The tables are models over
// it, the plots, the report and the exports read it; nothing else keeps a copy of the curve.

// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/document.h"
#include "calibration/history.h"
#include "calibration/method.h"
#include "calibration/results.h"
#include "calibration/sample_columns.h"
#include "records/judging.h"
#endif

#include <QObject>
#include <QString>
#include <string>
#include <vector>

namespace analysis {

// The typed cells of a standard and of a sample row; IS and CIs are the internal standard's
// response and concentration.
enum class StandardField { C, A, IS, CIs };
using SampleField = calibration::SampleColumn;

class CurrentCalibration final : public QObject {
    Q_OBJECT
public:
    explicit CurrentCalibration(QObject* parent = nullptr);

    const calibration::Document& document() const { return document_; }
    const calibration::Results& results() const { return results_; }
    const calibration::CurveResult& curve() const { return results_.curve; }
    const std::vector<calibration::SampleResult>& sampleResults() const { return results_.samples; }
    const calibration::BatchResult& batch() const { return results_.batch; }

    // Where the standards of a change come from: the main window's own fit (which must not be
    // filled back into it), anywhere else, or the main window filled from the document (its fit
    // then only writes back the texts as the fit left them: no change, no new curve).
    enum class From { MainWindow, Elsewhere, Filling };

    // A new document: opened, restored or started anew. `modified` is false for a file as it
    // stands on disk.
    void replaceDocument(calibration::Document document, const QString& file, bool modified);

    // The standards replaced (and the unit, when given). A standard keeps its exclusion when
    // the new standards hold one with the same values (by the strict parse; among equal pairs the
    // k-th matches the k-th).
    // `source` names where they came from in the history ("main_window", "import", "paste").
    void setStandards(std::vector<calibration::Standard> standards,
                      const std::optional<std::string>& unit, From from,
                      const char* source = "paste");
    void editStandard(int row, StandardField field, const std::string& text);
    void insertStandards(int row, std::vector<calibration::Standard> standards);
    void removeStandards(std::vector<int> rows);
    void setExcluded(int row, bool excluded, const std::string& reason);
    void setUnit(const std::string& unit, From from);
    void setSettings(const calibration::Settings& settings);
    void setHeader(const calibration::ReportHeader& header);
    // The method's settings, units and analyte on the document, and its identity (name, hash,
    // validated limits): one history entry naming the method and its hash.
    void applyMethod(const calibration::Method& method);

    // A method saved from this document to `file` (its name and the SHA-256 of the bytes written)
    // is recorded in the history; saving one changes nothing of the document.
    void recordMethodSaved(const std::string& name, const QString& file, const std::string& sha256);

    // The frozen control charts the batch is judged against (records/judging.h), read from the
    // database by whoever knows it: the batch is judged at once and after every evaluation.
    const records::ChartContext& chartContext() const { return chartContext_; }
    // The top-down uncertainty's inputs (records/top_down.h), read by whoever knows the database:
    // every result's uncertainty is made with them at once and after every evaluation.
    const std::shared_ptr<const calibration::TopDownInputs>& topDownInputs() const {
        return topDown_;
    }
    void setTopDownInputs(std::shared_ptr<const calibration::TopDownInputs> inputs);
    void setChartContext(records::ChartContext context);

    // The main window's last sample (its absorbance as measured), read from every new curve
    // with the batch's blank taken off as from a sample of the list; none: no sample.
    void setCurrentSample(std::optional<double> absorbance);
    const std::optional<calibration::PointReading>& currentReading() const {
        return currentReading_;
    }

    // The reason the user gave for the changes about to be made: every history entry recorded
    // until it is cleared (set to "") carries it.
    void setReason(const std::string& reason) { reason_ = reason; }

    void appendSamples(std::vector<calibration::Sample> samples, const char* source = "paste");
    // The samples placed before row `row` (at the end when it is the row count).
    void insertSamples(int row, std::vector<calibration::Sample> samples,
                       const char* source = "paste");
    void editSample(int row, SampleField field, const std::string& text);
    // Whether editSample with these would change the row (a type is compared as it is kept).
    bool changesSample(int row, SampleField field, const std::string& text) const;
    void removeSamples(std::vector<int> rows);
    void clearSamples();

    // "样品 N" ("Sample N" in English), N one more than the highest such number in the list.
    std::string nextSampleName() const;

    // The file 保存 writes to ("" when none), and whether the document changed since it was
    // opened or saved.
    const QString& file() const { return file_; }
    bool isModified() const { return modified_; }
    // A save to `file` about to be written is recorded in the history (so that the file holds
    // it); markSaved after the write, forgetSave when it failed.
    void recordSave(const QString& file);
    void forgetSave();
    void markSaved(const QString& file);

signals:
    // Before and after rows of the standards or samples are inserted or removed, for the models.
    // A reset is a list replaced whole (a file opened, a block pasted, the main window's fit).
    void standardsAboutToBeReset();
    void standardsReset();
    void standardsAboutToBeInserted(int first, int last);
    void standardsInserted();
    void standardsAboutToBeRemoved(int first, int last);
    void standardsRemoved();
    // Texts of standards first..last changed (typed cells, exclusion); the results follow.
    void standardsEdited(int first, int last);
    void samplesAboutToBeInserted(int first, int last);
    void samplesInserted();
    void samplesAboutToBeRemoved(int first, int last);
    void samplesRemoved();
    void samplesAboutToBeReset();
    void samplesReset();
    // Texts or results of rows first..last changed (their row count did not).
    void samplesChanged(int first, int last);

    // The document's standards or unit changed; `from` says where the change came from.
    void standardsChanged(analysis::CurrentCalibration::From from);
    // The curve, the standards' checks and the samples' results are new.
    void resultsChanged();
    // Anything of the document changed: for the last worksheet, which is written after every
    // change.
    void documentChanged();
    void modifiedChanged(bool modified);
    void fileChanged(const QString& file);

private:
    void touch(bool modifies = true);
    void record(const char* kind, calibration::HistoryValues values);
    void applyStandards(std::vector<calibration::Standard> standards,
                        const std::optional<std::string>& unit, From from);
    void standardsAltered(const std::vector<calibration::Standard>& before);
    void recomputeCurve();
    void recomputeSamples(int first, int last);
    void recomputeBatch();
    void readCurrentSample();
    void curveReplaced(const std::vector<std::string>& before,
                       const std::vector<std::string>& after);

    calibration::Document document_;
    calibration::Results results_;
    QString file_;
    bool modified_ = false;
    std::string reason_;
    records::ChartContext chartContext_;
    std::shared_ptr<const calibration::TopDownInputs> topDown_;
    std::optional<double> currentSample_;
    std::optional<calibration::PointReading> currentReading_;
};

} // namespace analysis
