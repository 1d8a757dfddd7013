// The main window: the "Filename" group above five tabs that take the user from a loaded
// measurement through range and reliability editing and the smoothing to the KEST signal
// and the e_ref sweeps. The workflow state is nothing but the enabled flags of the
// controls; the reset routines and the handlers move them.
#pragma once

#include "ui/common/chart.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

class Analysis;
struct Status;
class QAction;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QTabWidget;
class QWidget;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget *parent = nullptr);
    // Waits for a running sweep, which it asks to stop first.
    ~TFormMain() override;

    // Loads a measured-data file as "Load *.DIS0" does once the open dialog returned the
    // path; also used for a file named on the command line. A failure changes neither the
    // record nor the window and is shown in one error box. Returns true when loaded.
    bool OpenDIS0(const QString &path);

    // Reset routines shared by the loading, the import and "All Clear".
    void ResetMenu();
    void ResetDischargeTab();
    void ResetSignalTab();
    void ResetErefTabs();
    void EnableDischargeControls();

    // Empties the five series of ChartKEST and the series of the six e_ref charts; the
    // results held in the record stay.
    void EmptyDownstreamPlots();
    // Adds the measured points first .. last (current in pA) to Series1.
    void PlotMeasuredPoints(int first, int last);
    // LabelBegin, LabelEnd, LabelR1, LabelR2 from the two ranges.
    void ShowRangeLabels();
    // Shows a comment in EditComment whole, even one longer than the 50 characters the
    // user may type there, so that saving does not cut a loaded comment short.
    void setCommentText(const QString &comment);

    // Handlers of the menu.
    void LoadDIS0Click();
    void LoadDIS1Click();
    void AllClear1Click();
    void Print1Click();
    void Exit1Click();

    // Handlers of the side windows (version dialog, import, editor, web help).
    void ButtonDataConvertClick();
    // The import as "Open Different Type of File" starts it, with the file at path already
    // opened in the import window; a file that cannot be read changes nothing.
    void importFile(const QString &path);
    void Editor1Click();
    void About1Click();
    void HTMLHowToUseClick();

    // Time range and reliability editing.
    void ButtonRapidDecreaseShortTimeClick();
    void ButtonDecreaseShortTimeClick();
    void ButtonIncreaseShortTimeClick();
    void ButtonRapidIncreaseShortTimeClick();
    void ButtonRapidDecreaseLongTimeClick();
    void ButtonDecreaseLongTimeClick();
    void ButtonIncreaseLongTimeClick();
    void ButtonRapidIncreaseLongTimeClick();
    void ButtonStartRapidDecreaseReliabilityClick();
    void ButtonStartDecreaseReliabilityClick();
    void ButtonStartIncreaseReliabilityClick();
    void ButtonStartRapidIncreaseReliabilityClick();
    void ButtonEndRapidDecreaseReliabilityClick();
    void ButtonEndDecreaseReliabilityClick();
    void ButtonEndIncreaseReliabilityClick();
    void ButtonEndRapidIncreaseReliabilityClick();
    void ButtonChangeReliabilityClick();
    void ButtonDrawDISClick();
    void ButtonRedrawDISClick();

    // Smoothing and the KEST signal.
    void ButtonSmoothingClick();
    void ButtonErefLow1Click();
    void ButtonErefHigh1Click();
    void ButtonErefLow2Click();
    void ButtonErefHigh2Click();
    void ButtonCalculationKEST1Click();
    void ButtonCalculationKEST2Click();

    // The peak buttons of the signal tab: analysis, then peak slot, in the names.
    void ButtonPreviousPeak11Click();
    void ButtonPreviousPeak12Click();
    void ButtonPreviousPeak21Click();
    void ButtonPreviousPeak22Click();
    void ButtonPeakLow11Click();
    void ButtonPeakLow12Click();
    void ButtonPeakLow21Click();
    void ButtonPeakLow22Click();
    void ButtonPeakHigh11Click();
    void ButtonPeakHigh12Click();
    void ButtonPeakHigh21Click();
    void ButtonPeakHigh22Click();
    void ButtonNextPeak11Click();
    void ButtonNextPeak12Click();
    void ButtonNextPeak21Click();
    void ButtonNextPeak22Click();
    void ButtonAnalysis11Click();
    void ButtonAnalysis12Click();
    void ButtonAnalysis21Click();
    void ButtonAnalysis22Click();

    // The e_ref tabs. A sweep runs on a worker thread behind a window-modal progress dialog
    // ("ProgressDialogSweep", with Cancel); sweepFinished() tells when it has ended and its
    // results, or its failure, are shown.
    void ButtonPositiveErefClick();
    void ButtonNegativeErefClick();
    void ButtonErefClick();
    bool isSweepRunning() const;
    // Emission rate and density of sweep `mode` from the record onto its tab's two charts.
    void PlotSweep(int mode);

    // Saving and the sample number above the tabs.
    void ButtonSaveDISClick();
    void ButtonSaveKESTResult1Click();
    void ButtonSaveKESTResult2Click();
    void ButtonSavePositiveErefClick();
    void ButtonSaveNegativeErefClick();
    void ButtonSaveErefClick();
    void EditSampleNumberChange();

    // State of the window beyond its controls.
    double SignalScale = 0.0;  // 10^n dividing every signal value drawn on ChartKEST
    std::int32_t IndexOfStartReliability = 0;
    std::int32_t IndexOfEndReliability = 0;

    // Menu.
    QMenu *File1 = nullptr;
    QMenu *View1 = nullptr;
    QMenu *Help1 = nullptr;
    QAction *LoadDIS0 = nullptr;
    QAction *LoadDIS1 = nullptr;
    QAction *AllClear1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *Editor1 = nullptr;
    QAction *About1 = nullptr;
    QAction *HTMLHowToUse = nullptr;

    // "Filename" group.
    QLabel *LabelSampleNumber = nullptr;
    QLabel *LabelFilenameOriginal = nullptr;
    QLabel *LabelFilenameDIS0 = nullptr;
    QLabel *LabelFilenameDIS1 = nullptr;

    QTabWidget *PageControlMain = nullptr;

    // Tab "Discharge Curent".
    QPushButton *ButtonDataConvert = nullptr;
    QLineEdit *EditDateOfMeasurement = nullptr;
    QLineEdit *EditNameOfMeasurement = nullptr;
    QLineEdit *EditDateOfAnalysis = nullptr;
    QLineEdit *EditNameOfAnalysis = nullptr;
    QLineEdit *EditMaterial = nullptr;
    QLineEdit *EditSampleNumber = nullptr;
    QLineEdit *EditArea = nullptr;
    QLineEdit *EditSampleThickness = nullptr;
    QLineEdit *EditTemperature = nullptr;
    QLineEdit *EditChargeVoltage = nullptr;
    QLineEdit *EditChargeTime = nullptr;
    QLineEdit *EditDischargeVoltage = nullptr;
    QLineEdit *EditComment = nullptr;

    QPushButton *ButtonRapidDecreaseShortTime = nullptr;
    QPushButton *ButtonDecreaseShortTime = nullptr;
    QPushButton *ButtonIncreaseShortTime = nullptr;
    QPushButton *ButtonRapidIncreaseShortTime = nullptr;
    QPushButton *ButtonRapidDecreaseLongTime = nullptr;
    QPushButton *ButtonDecreaseLongTime = nullptr;
    QPushButton *ButtonIncreaseLongTime = nullptr;
    QPushButton *ButtonRapidIncreaseLongTime = nullptr;
    QLabel *LabelBegin = nullptr;
    QLabel *LabelEnd = nullptr;
    QPushButton *ButtonDrawDIS = nullptr;
    QPushButton *ButtonRedrawDIS = nullptr;

    QPushButton *ButtonStartRapidDecreaseReliability = nullptr;
    QPushButton *ButtonStartDecreaseReliability = nullptr;
    QPushButton *ButtonStartIncreaseReliability = nullptr;
    QPushButton *ButtonStartRapidIncreaseReliability = nullptr;
    QPushButton *ButtonEndRapidDecreaseReliability = nullptr;
    QPushButton *ButtonEndDecreaseReliability = nullptr;
    QPushButton *ButtonEndIncreaseReliability = nullptr;
    QPushButton *ButtonEndRapidIncreaseReliability = nullptr;
    QLabel *LabelR1 = nullptr;
    QLabel *LabelR2 = nullptr;
    QLineEdit *EditReliability = nullptr;
    QPushButton *ButtonChangeReliability = nullptr;

    QLineEdit *EditSmoothness = nullptr;
    QPushButton *ButtonSmoothing = nullptr;
    QPushButton *ButtonSaveDIS = nullptr;

    Chart *ChartDischarge = nullptr;
    ChartSeries Series1, Series2, Series3, Series4, Series5, Series6;

    // Tab "KEST Signal".
    QLineEdit *EditEref1 = nullptr;
    QPushButton *ButtonErefLow1 = nullptr;
    QPushButton *ButtonErefHigh1 = nullptr;
    QPushButton *ButtonCalculationKEST1 = nullptr;
    QPushButton *ButtonPreviousPeak11 = nullptr;
    QPushButton *ButtonPeakLow11 = nullptr;
    QPushButton *ButtonPeakHigh11 = nullptr;
    QPushButton *ButtonNextPeak11 = nullptr;
    QPushButton *ButtonAnalysis11 = nullptr;
    QLabel *LabelTrapDensity11 = nullptr;
    QLabel *LabelEmissionRate11 = nullptr;
    QPushButton *ButtonPreviousPeak12 = nullptr;
    QPushButton *ButtonPeakLow12 = nullptr;
    QPushButton *ButtonPeakHigh12 = nullptr;
    QPushButton *ButtonNextPeak12 = nullptr;
    QPushButton *ButtonAnalysis12 = nullptr;
    QLabel *LabelTrapDensity12 = nullptr;
    QLabel *LabelEmissionRate12 = nullptr;
    QPushButton *ButtonSaveKESTResult1 = nullptr;

    QLineEdit *EditEref2 = nullptr;
    QPushButton *ButtonErefLow2 = nullptr;
    QPushButton *ButtonErefHigh2 = nullptr;
    QPushButton *ButtonCalculationKEST2 = nullptr;
    QPushButton *ButtonPreviousPeak21 = nullptr;
    QPushButton *ButtonPeakLow21 = nullptr;
    QPushButton *ButtonPeakHigh21 = nullptr;
    QPushButton *ButtonNextPeak21 = nullptr;
    QPushButton *ButtonAnalysis21 = nullptr;
    QLabel *LabelTrapDensity21 = nullptr;
    QLabel *LabelEmissionRate21 = nullptr;
    QPushButton *ButtonPreviousPeak22 = nullptr;
    QPushButton *ButtonPeakLow22 = nullptr;
    QPushButton *ButtonPeakHigh22 = nullptr;
    QPushButton *ButtonNextPeak22 = nullptr;
    QPushButton *ButtonAnalysis22 = nullptr;
    QLabel *LabelTrapDensity22 = nullptr;
    QLabel *LabelEmissionRate22 = nullptr;
    QPushButton *ButtonSaveKESTResult2 = nullptr;

    Chart *ChartKEST = nullptr;
    ChartSeries Series9, Series10, Series11, Series12, Series13;

    // Tabs "Positive e_ref", "Negative e_ref" and "e_ref".
    QPushButton *ButtonPositiveEref = nullptr;
    QPushButton *ButtonSavePositiveEref = nullptr;
    Chart *ChartEmissionRateP = nullptr;
    Chart *ChartDensityP = nullptr;
    ChartSeries Series14, Series15;

    QPushButton *ButtonNegativeEref = nullptr;
    QPushButton *ButtonSaveNegativeEref = nullptr;
    Chart *ChartEmissionRateN = nullptr;
    Chart *ChartDensityN = nullptr;
    ChartSeries Series7, Series8;

    QPushButton *ButtonEref = nullptr;
    QPushButton *ButtonSaveEref = nullptr;
    Chart *ChartEmissionRate = nullptr;
    Chart *ChartDensity = nullptr;
    ChartSeries Series16, Series17;

signals:
    // The window was closed; the program ends then, whatever side windows are still open.
    void closed();
    // The sweep of that mode ended, whether it succeeded, failed or was cancelled.
    void sweepFinished(int mode);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Construction, in main_window_layout.cpp.
    void buildMenu();
    QWidget *buildFilenameGroup();
    QWidget *buildDischargeTab();
    QGroupBox *buildSampleGroup();
    QGroupBox *buildTimeRangeGroup();
    QGroupBox *buildReliabilityGroup();
    QGroupBox *buildSmoothingGroup();
    QWidget *buildSignalTab();
    QGroupBox *buildAnalysisGroup(int a);
    QWidget *buildErefTab(int mode);
    void buildCharts();
    void connectHandlers();

    // Buttons of the groups of the enabling table.
    QList<QWidget *> erefButtons(int a) const;
    QList<QWidget *> analysisButtons(int a) const;
    QList<QWidget *> dischargeControls() const;

    // One step of a stepper: the first index of a range moves down or up, bounded below by
    // 0 and above by the last index - 1; the last index moves down or up, bounded below by
    // the first index + 1 and above by NumberOfData - 1. The marker and the label follow.
    void moveFirstIndex(std::int32_t &first, std::int32_t last, int step, ChartSeries &marker, QLabel *label);
    void moveLastIndex(std::int32_t first, std::int32_t &last, int step, ChartSeries &marker, QLabel *label);
    void moveReliabilityStart(int step);
    void moveReliabilityEnd(int step);

    // Series6: the interpolated curve, current in pA.
    void PlotInterpolatedCurve();
    void stepEref(int a, bool up);
    void calculateKest(int a);

    // Peak slot p's marker (Series10, Series11) and trap curve (Series12, Series13).
    ChartSeries &peakMarkerSeries(int p);
    ChartSeries &trapCurveSeries(int p);
    // The ending every marker move shares: the record's marker of (a, p) on grid index
    // `index`, and the marker series on the scaled signal there.
    void placePeakMarker(int a, int p, int index);
    void moveToPreviousPeak(int a, int p);
    void moveToNextPeak(int a, int p);
    void movePeakDown(int a, int p);
    void movePeakUp(int a, int p);
    void analyzePeak(int a, int p);

    struct SweepRun;
    QPushButton *sweepButton(int mode) const;
    void startSweep(int mode);
    void stopSweep();
    void sweepDone();
    void takeSweepResults(int mode, Analysis &found, const Status &status, const std::exception_ptr &error);

    // Sets the record's file-name field to path and runs the writer; a failure is shown
    // with the file and the reason, and the field goes back. True when written.
    bool writeFile(std::string &filenameField, const QString &path, Status (Analysis::*writer)() const);
    // Asks for the file of one result format (".KEST0" ...) and writes it.
    bool saveResultFile(const QString &extension, std::string &filenameField, Status (Analysis::*writer)() const);

    // The file name OpenDialog1 last held.
    QString openDialogFileName_;
    // Held alone; a shared pointer only because its deleter is bound where SweepRun is complete.
    std::shared_ptr<SweepRun> sweep_;
    std::unique_ptr<QPrinter> printer_;
};

// "Desc|*.a|..." filter of the open dialog for *.DIS0 and *.DIS1 files.
inline constexpr const char *kOpenDialogFilter = "DIS0ファイル|*.DIS0|DIS1ファイル|*.DIS1";
