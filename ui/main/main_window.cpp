#include "ui/main/main_window.h"

#include "engine/analysis.h"
#include "engine/number_format.h"
#include "ui/common/error_guard.h"
#include "ui/main/measured_points.h"
#include "ui/main/opened_files.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kCommentMaxLength = 50;

void enableAll(const QList<QWidget *> &controls, bool enabled) {
    for (QWidget *control : controls)
        control->setEnabled(enabled);
}

}  // namespace

TFormMain::TFormMain(QWidget *parent) : QMainWindow(parent) {
    setObjectName("FormMain");
    setWindowTitle("Kestometry (KEST)");
    buildMenu();

    auto *central = new QWidget;
    central->setObjectName("PanelMain");
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(buildFilenameGroup());
    PageControlMain = new QTabWidget;
    PageControlMain->setObjectName("PageControlMain");
    PageControlMain->addTab(buildDischargeTab(), "Discharge Curent");
    PageControlMain->addTab(buildSignalTab(), "KEST Signal");
    PageControlMain->addTab(buildErefTab(0), "Positive e_ref");
    PageControlMain->addTab(buildErefTab(1), "Negative e_ref");
    PageControlMain->addTab(buildErefTab(2), "e_ref");
    layout->addWidget(PageControlMain, 1);
    setCentralWidget(central);
    // Tight margins, so that the first tab's groups fit the window's initial height.
    for (QGroupBox *group : findChildren<QGroupBox *>())
        group->layout()->setContentsMargins(6, 2, 6, 3);
    for (int tab = 0; tab < PageControlMain->count(); ++tab)
        PageControlMain->widget(tab)->layout()->setContentsMargins(4, 4, 4, 4);
    buildCharts();
    connectHandlers();
    acceptFileDrops(*this);
    // The limit applies to typing; a longer loaded comment may be shortened, not lengthened,
    // and once it fits the limit holds again.
    EditComment->setMaxLength(kCommentMaxLength);
    connect(EditComment, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.size() <= kCommentMaxLength)
            EditComment->setMaxLength(kCommentMaxLength);
    });

    resize(946, 730);
    move(0, 0);

    ResetMenu();
    ResetDischargeTab();
    ResetSignalTab();
    ResetErefTabs();
    C.Version = kVersionText;
}

TFormMain::~TFormMain() { stopSweep(); }

void TFormMain::connectHandlers() {
    onTriggered(LoadDIS0, this, &TFormMain::LoadDIS0Click);
    onTriggered(LoadDIS1, this, &TFormMain::LoadDIS1Click);
    onTriggered(AllClear1, this, &TFormMain::AllClear1Click);
    onTriggered(Print1, this, &TFormMain::Print1Click);
    onTriggered(Exit1, this, &TFormMain::Exit1Click);
    onTriggered(Editor1, this, &TFormMain::Editor1Click);
    onTriggered(About1, this, &TFormMain::About1Click);
    onTriggered(HTMLHowToUse, this, &TFormMain::HTMLHowToUseClick);
    onClick(ButtonDataConvert, this, &TFormMain::ButtonDataConvertClick);

    onClick(ButtonRapidDecreaseShortTime, this, &TFormMain::ButtonRapidDecreaseShortTimeClick);
    onClick(ButtonDecreaseShortTime, this, &TFormMain::ButtonDecreaseShortTimeClick);
    onClick(ButtonIncreaseShortTime, this, &TFormMain::ButtonIncreaseShortTimeClick);
    onClick(ButtonRapidIncreaseShortTime, this, &TFormMain::ButtonRapidIncreaseShortTimeClick);
    onClick(ButtonRapidDecreaseLongTime, this, &TFormMain::ButtonRapidDecreaseLongTimeClick);
    onClick(ButtonDecreaseLongTime, this, &TFormMain::ButtonDecreaseLongTimeClick);
    onClick(ButtonIncreaseLongTime, this, &TFormMain::ButtonIncreaseLongTimeClick);
    onClick(ButtonRapidIncreaseLongTime, this, &TFormMain::ButtonRapidIncreaseLongTimeClick);
    onClick(ButtonStartRapidDecreaseReliability, this, &TFormMain::ButtonStartRapidDecreaseReliabilityClick);
    onClick(ButtonStartDecreaseReliability, this, &TFormMain::ButtonStartDecreaseReliabilityClick);
    onClick(ButtonStartIncreaseReliability, this, &TFormMain::ButtonStartIncreaseReliabilityClick);
    onClick(ButtonStartRapidIncreaseReliability, this, &TFormMain::ButtonStartRapidIncreaseReliabilityClick);
    onClick(ButtonEndRapidDecreaseReliability, this, &TFormMain::ButtonEndRapidDecreaseReliabilityClick);
    onClick(ButtonEndDecreaseReliability, this, &TFormMain::ButtonEndDecreaseReliabilityClick);
    onClick(ButtonEndIncreaseReliability, this, &TFormMain::ButtonEndIncreaseReliabilityClick);
    onClick(ButtonEndRapidIncreaseReliability, this, &TFormMain::ButtonEndRapidIncreaseReliabilityClick);
    onClick(ButtonChangeReliability, this, &TFormMain::ButtonChangeReliabilityClick);
    onClick(ButtonDrawDIS, this, &TFormMain::ButtonDrawDISClick);
    onClick(ButtonRedrawDIS, this, &TFormMain::ButtonRedrawDISClick);

    onClick(ButtonSmoothing, this, &TFormMain::ButtonSmoothingClick);
    onClick(ButtonErefLow1, this, &TFormMain::ButtonErefLow1Click);
    onClick(ButtonErefHigh1, this, &TFormMain::ButtonErefHigh1Click);
    onClick(ButtonErefLow2, this, &TFormMain::ButtonErefLow2Click);
    onClick(ButtonErefHigh2, this, &TFormMain::ButtonErefHigh2Click);
    onClick(ButtonCalculationKEST1, this, &TFormMain::ButtonCalculationKEST1Click);
    onClick(ButtonCalculationKEST2, this, &TFormMain::ButtonCalculationKEST2Click);

    onClick(ButtonPreviousPeak11, this, &TFormMain::ButtonPreviousPeak11Click);
    onClick(ButtonPreviousPeak12, this, &TFormMain::ButtonPreviousPeak12Click);
    onClick(ButtonPreviousPeak21, this, &TFormMain::ButtonPreviousPeak21Click);
    onClick(ButtonPreviousPeak22, this, &TFormMain::ButtonPreviousPeak22Click);
    onClick(ButtonPeakLow11, this, &TFormMain::ButtonPeakLow11Click);
    onClick(ButtonPeakLow12, this, &TFormMain::ButtonPeakLow12Click);
    onClick(ButtonPeakLow21, this, &TFormMain::ButtonPeakLow21Click);
    onClick(ButtonPeakLow22, this, &TFormMain::ButtonPeakLow22Click);
    onClick(ButtonPeakHigh11, this, &TFormMain::ButtonPeakHigh11Click);
    onClick(ButtonPeakHigh12, this, &TFormMain::ButtonPeakHigh12Click);
    onClick(ButtonPeakHigh21, this, &TFormMain::ButtonPeakHigh21Click);
    onClick(ButtonPeakHigh22, this, &TFormMain::ButtonPeakHigh22Click);
    onClick(ButtonNextPeak11, this, &TFormMain::ButtonNextPeak11Click);
    onClick(ButtonNextPeak12, this, &TFormMain::ButtonNextPeak12Click);
    onClick(ButtonNextPeak21, this, &TFormMain::ButtonNextPeak21Click);
    onClick(ButtonNextPeak22, this, &TFormMain::ButtonNextPeak22Click);
    onClick(ButtonAnalysis11, this, &TFormMain::ButtonAnalysis11Click);
    onClick(ButtonAnalysis12, this, &TFormMain::ButtonAnalysis12Click);
    onClick(ButtonAnalysis21, this, &TFormMain::ButtonAnalysis21Click);
    onClick(ButtonAnalysis22, this, &TFormMain::ButtonAnalysis22Click);

    onClick(ButtonPositiveEref, this, &TFormMain::ButtonPositiveErefClick);
    onClick(ButtonNegativeEref, this, &TFormMain::ButtonNegativeErefClick);
    onClick(ButtonEref, this, &TFormMain::ButtonErefClick);

    onClick(ButtonSaveDIS, this, &TFormMain::ButtonSaveDISClick);
    onClick(ButtonSaveKESTResult1, this, &TFormMain::ButtonSaveKESTResult1Click);
    onClick(ButtonSaveKESTResult2, this, &TFormMain::ButtonSaveKESTResult2Click);
    onClick(ButtonSavePositiveEref, this, &TFormMain::ButtonSavePositiveErefClick);
    onClick(ButtonSaveNegativeEref, this, &TFormMain::ButtonSaveNegativeErefClick);
    onClick(ButtonSaveEref, this, &TFormMain::ButtonSaveErefClick);
    connect(EditSampleNumber, &QLineEdit::textChanged, this,
            [this] { guarded(this, [this] { EditSampleNumberChange(); }); });
}

QList<QWidget *> TFormMain::erefButtons(int a) const {
    if (a == 0)
        return {ButtonErefLow1, ButtonErefHigh1, ButtonCalculationKEST1};
    return {ButtonErefLow2, ButtonErefHigh2, ButtonCalculationKEST2};
}

QList<QWidget *> TFormMain::analysisButtons(int a) const {
    // In the order "Calculate KEST" enables them.
    if (a == 0)
        return {ButtonPreviousPeak11, ButtonPeakLow11,  ButtonPeakHigh11,      ButtonNextPeak11,
                ButtonPreviousPeak12, ButtonPeakLow12,  ButtonPeakHigh12,      ButtonNextPeak12,
                ButtonSaveKESTResult1, ButtonAnalysis11, ButtonAnalysis12};
    return {ButtonPreviousPeak21, ButtonPeakLow21,  ButtonPeakHigh21,      ButtonNextPeak21,
            ButtonPreviousPeak22, ButtonPeakLow22,  ButtonPeakHigh22,      ButtonNextPeak22,
            ButtonSaveKESTResult2, ButtonAnalysis21, ButtonAnalysis22};
}

QList<QWidget *> TFormMain::dischargeControls() const {
    return {ButtonRapidDecreaseShortTime,
            ButtonDecreaseShortTime,
            ButtonIncreaseShortTime,
            ButtonRapidIncreaseShortTime,
            ButtonRapidDecreaseLongTime,
            ButtonDecreaseLongTime,
            ButtonIncreaseLongTime,
            ButtonRapidIncreaseLongTime,
            ButtonDrawDIS,
            ButtonRedrawDIS,
            ButtonStartRapidDecreaseReliability,
            ButtonStartDecreaseReliability,
            ButtonStartIncreaseReliability,
            ButtonStartRapidIncreaseReliability,
            ButtonEndRapidDecreaseReliability,
            ButtonEndDecreaseReliability,
            ButtonEndIncreaseReliability,
            ButtonEndRapidIncreaseReliability,
            ButtonChangeReliability,
            ButtonSmoothing,
            ButtonSaveDIS};
}

void TFormMain::ResetMenu() {
    LoadDIS0->setEnabled(true);
    LoadDIS1->setEnabled(false);
}

void TFormMain::ResetDischargeTab() {
    for (QLabel *label : {LabelSampleNumber, LabelFilenameOriginal, LabelFilenameDIS0, LabelFilenameDIS1})
        label->clear();
    ButtonDataConvert->setEnabled(true);
    for (QLineEdit *edit : {EditDateOfMeasurement, EditNameOfMeasurement, EditDateOfAnalysis, EditNameOfAnalysis,
                            EditMaterial, EditSampleNumber, EditTemperature, EditSampleThickness, EditArea,
                            EditDischargeVoltage, EditChargeVoltage, EditChargeTime, EditComment})
        edit->clear();
    LabelBegin->clear();
    LabelEnd->clear();
    LabelR1->clear();
    LabelR2->clear();
    EditReliability->setText("1");
    EditSmoothness->setText("0.001");
    enableAll(dischargeControls(), false);
    for (ChartSeries *series : {&Series1, &Series2, &Series3, &Series4, &Series5, &Series6})
        series->clear();
}

void TFormMain::ResetSignalTab() {
    EditEref1->setText("0");
    EditEref2->setText("0");
    for (int a = 0; a < 2; ++a) {
        enableAll(erefButtons(a), false);
        enableAll(analysisButtons(a), false);
    }
    for (QLabel *label : {LabelTrapDensity11, LabelEmissionRate11, LabelTrapDensity12, LabelEmissionRate12,
                          LabelTrapDensity21, LabelEmissionRate21, LabelTrapDensity22, LabelEmissionRate22})
        label->clear();
    for (ChartSeries *series : {&Series9, &Series10, &Series11, &Series12, &Series13})
        series->clear();
}

void TFormMain::ResetErefTabs() {
    enableAll({ButtonPositiveEref, ButtonSavePositiveEref, ButtonNegativeEref, ButtonSaveNegativeEref, ButtonEref,
                ButtonSaveEref},
               false);
    for (ChartSeries *series : {&Series14, &Series15, &Series7, &Series8, &Series16, &Series17})
        series->clear();
}

void TFormMain::EnableDischargeControls() { enableAll(dischargeControls(), true); }

void TFormMain::EmptyDownstreamPlots() {
    for (ChartSeries *series :
         {&Series9, &Series10, &Series11, &Series12, &Series13, &Series14, &Series15, &Series7, &Series8, &Series16, &Series17})
        series->clear();
}

void TFormMain::PlotMeasuredPoints(int first, int last) {
    const MeasuredPoints points = measuredPoints(C, first, last);
    Series1.add(points.times, points.currents_pA);
}

void TFormMain::ShowRangeLabels() {
    LabelBegin->setText(QString::fromStdString(formatGeneral(measuredTime(C, C.IndexOfBeginning))));
    LabelEnd->setText(QString::fromStdString(formatGeneral(measuredTime(C, C.IndexOfEnding))));
    LabelR1->setText(QString::fromStdString(formatGeneral(measuredTime(C, IndexOfStartReliability))));
    LabelR2->setText(QString::fromStdString(formatGeneral(measuredTime(C, IndexOfEndReliability))));
}

void TFormMain::setCommentText(const QString &comment) {
    EditComment->setMaxLength(std::max<int>(kCommentMaxLength, static_cast<int>(comment.size())));
    EditComment->setText(comment);
}

void TFormMain::AllClear1Click() {
    C.Clear();
    ResetDischargeTab();
    ResetSignalTab();
    ResetErefTabs();
}

void TFormMain::Exit1Click() { close(); }

void TFormMain::closeEvent(QCloseEvent *event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
