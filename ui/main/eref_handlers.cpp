// The three e_ref tabs: each run button sweeps e_ref (positive, negative, then between the
// limits the two found) and plots emission rate and trap sheet density against it.
//
// A sweep runs on a worker thread over a copy of the interpolated curve, behind a
// window-modal progress dialog with Cancel, so the window repaints and the record is
// only touched back on the window thread once the sweep has ended. Cancelling leaves the
// tab's previous results and charts as they were.
#include "ui/main/main_window.h"

#include "engine/analysis.h"
#include "ui/common/dialogs.h"
#include "ui/common/error_guard.h"
#include "ui/common/text_conversion.h"

#include <QFutureWatcher>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <utility>
#include <vector>

namespace {

constexpr int kProgressRefresh_ms = 100;

const char *const kSweepTitles[3] = {"Analysis for positive e_ref", "Analysis for negaitve e_ref",
                                     "Analysis using e_ref"};

// A run button while its sweep runs: disabled, with the busy cursor; given back on every
// way out.
class BusyButton {
public:
    explicit BusyButton(QPushButton *button) : button_(button) {
        button_->setCursor(Qt::WaitCursor);
        button_->setEnabled(false);
    }
    ~BusyButton() {
        button_->unsetCursor();
        button_->setEnabled(true);
    }
    BusyButton(const BusyButton &) = delete;
    BusyButton &operator=(const BusyButton &) = delete;

private:
    QPushButton *button_;
};

}  // namespace

// One running sweep. The worker owns nothing of the window: it reads and fills `job`,
// which both sides share until the last of them lets go.
struct TFormMain::SweepRun {
    struct Job {
        Analysis record;  // the sweep's inputs, then what it found
        Progress progress;
        Status status;
        std::exception_ptr error;
    };

    SweepRun(int sweepMode, QPushButton *button) : mode(sweepMode), busy(button) {}

    int mode;
    std::shared_ptr<Job> job = std::make_shared<Job>();
    BusyButton busy;
    std::unique_ptr<QProgressDialog> dialog;
    QProgressBar *bar = nullptr;  // owned by the dialog
    QFutureWatcher<void> watcher;
    QTimer refresh;  // declared after the dialog, so it stops before the dialog goes
};

QPushButton *TFormMain::sweepButton(int mode) const {
    return mode == 0 ? ButtonPositiveEref : mode == 1 ? ButtonNegativeEref : ButtonEref;
}

bool TFormMain::isSweepRunning() const { return sweep_ != nullptr; }

void TFormMain::startSweep(int mode) {
    if (sweep_)
        return;
    auto run = std::make_shared<SweepRun>(mode, sweepButton(mode));
    const std::shared_ptr<SweepRun::Job> job = run->job;

    // Only what the sweep reads; its result arrays start empty, so a run replaces the last.
    Analysis &input = job->record;
    input.InterpolatedTime = C.InterpolatedTime;
    input.InterpolatedCurrent = C.InterpolatedCurrent;
    input.NumberOfInterpolatedData = C.NumberOfInterpolatedData;
    input.CurrentAtEnd = C.CurrentAtEnd;
    input.Area = C.Area;
    input.LastPositiveEref = C.LastPositiveEref;
    input.LastNegativeEref = C.LastNegativeEref;

    run->dialog = std::make_unique<QProgressDialog>(this);
    QProgressDialog *dialog = run->dialog.get();
    dialog->setObjectName("ProgressDialogSweep");
    dialog->setWindowTitle(kSweepTitles[mode]);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    dialog->setMinimumDuration(0);
    run->bar = new QProgressBar(dialog);
    // The dialog's own setValue() would process events from inside the timer below.
    dialog->setBar(run->bar);
    dialog->setLabelText(QString("%1 ...").arg(kSweepTitles[mode]));
    dialog->setRange(0, 0);
    connect(dialog, &QProgressDialog::canceled, this, [job] { job->progress.cancelRequested = true; });

    QProgressBar *bar = run->bar;
    connect(&run->refresh, &QTimer::timeout, dialog, [job, dialog, bar, mode] {
        const long long total = job->progress.total;
        const long long done = job->progress.done;
        if (total <= 0)
            return;
        // A progress bar counts in int; the sweeps stay far below its limit.
        bar->setRange(0, static_cast<int>(total));
        bar->setValue(static_cast<int>(done));
        dialog->setLabelText(QString("%1: %2 of %3 e_ref values").arg(kSweepTitles[mode]).arg(done).arg(total));
    });
    // Queued, so that the watcher is not deleted while it is still sending its signal.
    connect(&run->watcher, &QFutureWatcher<void>::finished, this, &TFormMain::sweepDone, Qt::QueuedConnection);

    run->watcher.setFuture(QtConcurrent::run([job, mode] {
        try {
            job->status = job->record.AnalyzeEref(mode, &job->progress);
        } catch (...) {
            job->error = std::current_exception();
        }
    }));
    sweep_ = std::move(run);
    sweep_->refresh.start(kProgressRefresh_ms);
    dialog->show();
}

void TFormMain::stopSweep() {
    if (!sweep_)
        return;
    sweep_->job->progress.cancelRequested = true;
    sweep_->watcher.waitForFinished();
    sweep_.reset();
}

void TFormMain::sweepDone() {
    std::shared_ptr<SweepRun> run = std::move(sweep_);
    if (!run)
        return;
    const int mode = run->mode;
    const std::shared_ptr<SweepRun::Job> job = run->job;
    // A Cancel counts even when the sweep happened to end before it saw the request.
    const bool cancelled = job->progress.cancelRequested;
    run.reset();  // closes the dialog; the button gets its cursor back and is enabled again
    if (!cancelled)
        guarded(this, [&] { takeSweepResults(mode, job->record, job->status, job->error); });
    emit sweepFinished(mode);
}

void TFormMain::takeSweepResults(int mode, Analysis &found, const Status &status, const std::exception_ptr &error) {
    if (error)
        std::rethrow_exception(error);

    // What the sweep found replaces the last run's results, also when an arithmetic failure
    // stopped it part way: the entries found until then stay, as the engine leaves them.
    C.SweepEref[mode] = std::move(found.SweepEref[mode]);
    C.SweepEmissionRate[mode] = std::move(found.SweepEmissionRate[mode]);
    C.SweepDensity[mode] = std::move(found.SweepDensity[mode]);
    if (mode == 0)
        C.LastPositiveEref = found.LastPositiveEref;
    else if (mode == 1)
        C.LastNegativeEref = found.LastNegativeEref;
    if (!status) {
        dialogs().error(this, toQString(status.describe()));
        return;
    }

    PlotSweep(mode);
    switch (mode) {
    case 0:
        ButtonSavePositiveEref->setEnabled(true);
        ButtonNegativeEref->setEnabled(true);
        break;
    case 1:
        ButtonSaveNegativeEref->setEnabled(true);
        ButtonEref->setEnabled(true);
        break;
    default:
        ButtonSaveEref->setEnabled(true);
        break;
    }
}

void TFormMain::PlotSweep(int mode) {
    ChartSeries &rates = mode == 0 ? Series14 : mode == 1 ? Series7 : Series16;
    ChartSeries &densities = mode == 0 ? Series15 : mode == 1 ? Series8 : Series17;
    // The negative tab plots the magnitudes -e_ref on its logarithmic axis.
    std::vector<double> x(C.SweepEref[mode]);
    if (mode == 1)
        for (double &value : x)
            value = -value;
    rates.clear();
    densities.clear();
    rates.add(x, C.SweepEmissionRate[mode]);
    densities.add(x, C.SweepDensity[mode]);
}

void TFormMain::ButtonPositiveErefClick() { startSweep(0); }
void TFormMain::ButtonNegativeErefClick() { startSweep(1); }
void TFormMain::ButtonErefClick() { startSweep(2); }
