// Construction of the main window's controls: the menu, the "Filename" group and the five
// tabs with their groups and charts. Every control carries its name as objectName, so code
// and tests find it by name. Groups sit on the left of each tab in a scroll area, so a
// small window never cuts them off; the charts take the remaining space.
#include "ui/main/main_window.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kStepperWidth = 30;
constexpr int kShortEditWidth = 76;

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QPushButton *makeStepper(QWidget *parent, const QString &name, const QString &caption) {
    QPushButton *button = makeButton(parent, name, caption);
    button->setFixedWidth(kStepperWidth);
    return button;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text = QString()) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A label showing a value that changes: wide enough for a 15-digit number, so the layout
// does not jump as values come and go.
QLabel *makeValueLabel(QWidget *parent, const QString &name, int minimumWidth = 110) {
    QLabel *label = makeLabel(parent, name);
    label->setMinimumWidth(minimumWidth);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLineEdit *makeEdit(QWidget *parent, const QString &name, int width = 0) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

QGroupBox *makeGroup(QWidget *parent, const QString &name, const QString &title) {
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

Chart *makeChart(QWidget *parent, const QString &name) {
    auto *chart = new Chart(parent);
    chart->setObjectName(name);
    chart->setMinimumSize(240, 160);
    return chart;
}

// The groups of a tab, top to bottom, in a scroll area on the left of the tab.
QScrollArea *makeControlColumn(const QString &name, const QList<QWidget *> &groups) {
    auto *content = new QWidget;
    content->setObjectName(name + "Content");
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 4, 0);
    column->setSpacing(2);
    for (QWidget *group : groups)
        column->addWidget(group);
    column->addStretch(1);
    auto *scroll = new QScrollArea;
    scroll->setObjectName(name);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Wide enough for the widest group, plus a vertical scroll bar when the window is low.
    scroll->setMinimumWidth(content->sizeHint().width() + 20);
    scroll->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return scroll;
}

QAction *makeAction(QMenu *menu, const QString &name, const QString &caption) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

}  // namespace

void TFormMain::buildMenu() {
    menuBar()->setObjectName("MainMenu1");
    File1 = menuBar()->addMenu("File");
    File1->setObjectName("File1");
    LoadDIS0 = makeAction(File1, "LoadDIS0", "Load *.DIS0");
    LoadDIS1 = makeAction(File1, "LoadDIS1", "Load *.DIS1");
    AllClear1 = makeAction(File1, "AllClear1", "All Clear");
    Print1 = makeAction(File1, "Print1", "Print");
    File1->addSeparator();
    Exit1 = makeAction(File1, "Exit1", "Exit");

    View1 = menuBar()->addMenu("View");
    View1->setObjectName("View1");
    Editor1 = makeAction(View1, "Editor1", "Editor");

    Help1 = menuBar()->addMenu("Help");
    Help1->setObjectName("Help1");
    About1 = makeAction(Help1, "About1", "Version Information");
    HTMLHowToUse = makeAction(Help1, "HTMLHowToUse", "How to use this application (Web)");
}

QWidget *TFormMain::buildFilenameGroup() {
    QGroupBox *group = makeGroup(nullptr, "GroupBoxFilename", "Filename");
    auto *grid = new QGridLayout(group);
    grid->setVerticalSpacing(0);
    LabelSampleNumber = makeLabel(group, "LabelSampleNumber");
    LabelFilenameOriginal = makeLabel(group, "LabelFilenameOriginal");
    LabelFilenameDIS0 = makeLabel(group, "LabelFilenameDIS0");
    LabelFilenameDIS1 = makeLabel(group, "LabelFilenameDIS1");
    const std::pair<const char *, QString> captions[] = {
        {"LabelCaptionSampleNumber", QString()},
        {"LabelCaptionFilenameOriginal", "Original Filemane"},
        {"LabelCaptionFilenameDIS0", "*.DIS0"},
        {"LabelCaptionFilenameDIS1", "*.DIS1"},
    };
    QLabel *values[] = {LabelSampleNumber, LabelFilenameOriginal, LabelFilenameDIS0, LabelFilenameDIS1};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(makeLabel(group, captions[row].first, captions[row].second), row, 0);
        // A long path must not widen the window; it is cut at the window's edge instead.
        values[row]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        values[row]->setMinimumHeight(values[row]->fontMetrics().height());
        values[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(values[row], row, 1);
    }
    grid->setColumnStretch(1, 1);
    return group;
}

QGroupBox *TFormMain::buildSampleGroup() {
    QGroupBox *group = makeGroup(nullptr, "GroupBoxSample", "Information on Sample");
    auto *grid = new QGridLayout(group);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(4);
    EditDateOfMeasurement = makeEdit(group, "EditDateOfMeasurement", kShortEditWidth);
    EditNameOfMeasurement = makeEdit(group, "EditNameOfMeasurement", kShortEditWidth);
    EditDateOfAnalysis = makeEdit(group, "EditDateOfAnalysis", kShortEditWidth);
    EditNameOfAnalysis = makeEdit(group, "EditNameOfAnalysis", kShortEditWidth);
    EditMaterial = makeEdit(group, "EditMaterial", kShortEditWidth);
    EditSampleNumber = makeEdit(group, "EditSampleNumber", kShortEditWidth);
    EditArea = makeEdit(group, "EditArea", kShortEditWidth);
    EditSampleThickness = makeEdit(group, "EditSampleThickness", kShortEditWidth);
    EditTemperature = makeEdit(group, "EditTemperature", kShortEditWidth);
    EditChargeVoltage = makeEdit(group, "EditChargeVoltage", kShortEditWidth);
    EditChargeTime = makeEdit(group, "EditChargeTime", kShortEditWidth);
    EditDischargeVoltage = makeEdit(group, "EditDischargeVoltage", kShortEditWidth);
    EditComment = makeEdit(group, "EditComment");

    struct Field {
        const char *captionName;
        const char *caption;
        QLineEdit *edit;
        const char *unitName;
        const char *unit;
    };
    // Three fields a row, each caption above its edit: the texts first, then the six
    // numbers, in the order "Save interpolation" takes them.
    const Field fields[] = {
        {"LabelCaptionDateOfMeasurement", "Date of Measurement", EditDateOfMeasurement, nullptr, nullptr},
        {"LabelCaptionNameOfMeasurement", "Name of Measurement", EditNameOfMeasurement, nullptr, nullptr},
        {"LabelCaptionDateOfAnalysis", "Date of Analysis", EditDateOfAnalysis, nullptr, nullptr},
        {"LabelCaptionNameOfAnalysis", "Name of Analysis", EditNameOfAnalysis, nullptr, nullptr},
        {"LabelCaptionMaterial", "Material", EditMaterial, nullptr, nullptr},
        {"LabelCaptionSampleNumberEdit", "Sample Number", EditSampleNumber, nullptr, nullptr},
        {"LabelCaptionArea", "Electrode Area", EditArea, "LabelUnitArea", "mm^2"},
        {"LabelCaptionSampleThickness", "Thickness of Sample", EditSampleThickness, "LabelUnitSampleThickness", "nm"},
        {"LabelCaptionTemperature", "Temperature", EditTemperature, "LabelUnitTemperature", "K"},
        {"LabelCaptionChargeVoltage", "Charge Voltage", EditChargeVoltage, "LabelUnitChargeVoltage", "V"},
        {"LabelCaptionChargeTime", "Charge Time", EditChargeTime, "LabelUnitChargeTime", "s"},
        {"LabelCaptionDischargeVoltage", "Discharge Voltage", EditDischargeVoltage, "LabelUnitDischargeVoltage", "V"},
    };
    constexpr int kColumns = 3;
    int index = 0;
    for (const Field &field : fields) {
        const int row = (index / kColumns) * 2;
        const int column = (index % kColumns) * 2;
        grid->addWidget(makeLabel(group, field.captionName, field.caption), row, column, 1, 2);
        grid->addWidget(field.edit, row + 1, column);
        if (field.unit)
            grid->addWidget(makeLabel(group, field.unitName, field.unit), row + 1, column + 1);
        ++index;
    }
    const int commentRow = (index / kColumns) * 2;
    grid->addWidget(makeLabel(group, "LabelCaptionComment", "Comment"), commentRow, 0, 1, 2);
    grid->addWidget(EditComment, commentRow + 1, 0, 1, 2 * kColumns);
    return group;
}

QGroupBox *TFormMain::buildTimeRangeGroup() {
    QGroupBox *group = makeGroup(nullptr, "GroupBoxTimeRange", "Change of Time  Range for Analysis");
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    ButtonRapidDecreaseShortTime = makeStepper(group, "ButtonRapidDecreaseShortTime", "<<");
    ButtonDecreaseShortTime = makeStepper(group, "ButtonDecreaseShortTime", "<");
    ButtonIncreaseShortTime = makeStepper(group, "ButtonIncreaseShortTime", ">");
    ButtonRapidIncreaseShortTime = makeStepper(group, "ButtonRapidIncreaseShortTime", ">>");
    ButtonRapidDecreaseLongTime = makeStepper(group, "ButtonRapidDecreaseLongTime", "<<");
    ButtonDecreaseLongTime = makeStepper(group, "ButtonDecreaseLongTime", "<");
    ButtonIncreaseLongTime = makeStepper(group, "ButtonIncreaseLongTime", ">");
    ButtonRapidIncreaseLongTime = makeStepper(group, "ButtonRapidIncreaseLongTime", ">>");
    LabelBegin = makeValueLabel(group, "LabelBegin");
    LabelEnd = makeValueLabel(group, "LabelEnd");
    ButtonDrawDIS = makeButton(group, "ButtonDrawDIS", "Draw");
    ButtonRedrawDIS = makeButton(group, "ButtonRedrawDIS", "Clear");

    grid->addWidget(makeLabel(group, "LabelCaptionShortestTime", "Shortest Time"), 0, 0);
    grid->addWidget(ButtonRapidDecreaseShortTime, 0, 1);
    grid->addWidget(ButtonDecreaseShortTime, 0, 2);
    grid->addWidget(ButtonIncreaseShortTime, 0, 3);
    grid->addWidget(ButtonRapidIncreaseShortTime, 0, 4);
    grid->addWidget(LabelBegin, 0, 5);
    grid->addWidget(makeLabel(group, "LabelCaptionLongestTime", "Longest Time"), 1, 0);
    grid->addWidget(ButtonRapidDecreaseLongTime, 1, 1);
    grid->addWidget(ButtonDecreaseLongTime, 1, 2);
    grid->addWidget(ButtonIncreaseLongTime, 1, 3);
    grid->addWidget(ButtonRapidIncreaseLongTime, 1, 4);
    grid->addWidget(LabelEnd, 1, 5);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonDrawDIS);
    buttons->addWidget(ButtonRedrawDIS);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 0, 1, 6);
    grid->setColumnStretch(5, 1);
    return group;
}

QGroupBox *TFormMain::buildReliabilityGroup() {
    QGroupBox *group = makeGroup(nullptr, "GroupBoxReliability", "Change of Reliability");
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    ButtonStartRapidDecreaseReliability = makeStepper(group, "ButtonStartRapidDecreaseReliability", "<<");
    ButtonStartDecreaseReliability = makeStepper(group, "ButtonStartDecreaseReliability", "<");
    ButtonStartIncreaseReliability = makeStepper(group, "ButtonStartIncreaseReliability", ">");
    ButtonStartRapidIncreaseReliability = makeStepper(group, "ButtonStartRapidIncreaseReliability", ">>");
    ButtonEndRapidDecreaseReliability = makeStepper(group, "ButtonEndRapidDecreaseReliability", "<<");
    ButtonEndDecreaseReliability = makeStepper(group, "ButtonEndDecreaseReliability", "<");
    ButtonEndIncreaseReliability = makeStepper(group, "ButtonEndIncreaseReliability", ">");
    ButtonEndRapidIncreaseReliability = makeStepper(group, "ButtonEndRapidIncreaseReliability", ">>");
    LabelR1 = makeValueLabel(group, "LabelR1");
    LabelR2 = makeValueLabel(group, "LabelR2");
    EditReliability = makeEdit(group, "EditReliability", kShortEditWidth);
    ButtonChangeReliability = makeButton(group, "ButtonChangeReliability", "Change");

    QLabel *startCaption = makeLabel(group, "LabelCaptionStartReliability", "Beginning of Time Range Revised");
    QLabel *endCaption = makeLabel(group, "LabelCaptionEndReliability", "End of Time Range Revised");
    startCaption->setWordWrap(true);
    endCaption->setWordWrap(true);
    grid->addWidget(startCaption, 0, 0);
    grid->addWidget(ButtonStartRapidDecreaseReliability, 0, 1);
    grid->addWidget(ButtonStartDecreaseReliability, 0, 2);
    grid->addWidget(ButtonStartIncreaseReliability, 0, 3);
    grid->addWidget(ButtonStartRapidIncreaseReliability, 0, 4);
    grid->addWidget(LabelR1, 0, 5);
    grid->addWidget(endCaption, 1, 0);
    grid->addWidget(ButtonEndRapidDecreaseReliability, 1, 1);
    grid->addWidget(ButtonEndDecreaseReliability, 1, 2);
    grid->addWidget(ButtonEndIncreaseReliability, 1, 3);
    grid->addWidget(ButtonEndRapidIncreaseReliability, 1, 4);
    grid->addWidget(LabelR2, 1, 5);
    auto *change = new QHBoxLayout;
    change->addWidget(EditReliability);
    change->addWidget(ButtonChangeReliability);
    change->addWidget(makeLabel(group, "LabelHintReliability", "Close to Zero if data are not reliable"));
    change->addStretch(1);
    grid->addLayout(change, 2, 0, 1, 6);
    grid->setColumnStretch(5, 1);
    return group;
}

QGroupBox *TFormMain::buildSmoothingGroup() {
    QGroupBox *group = makeGroup(nullptr, "GroupBoxSmoothing", "Smoothing");
    auto *grid = new QGridLayout(group);
    grid->setVerticalSpacing(1);
    EditSmoothness = makeEdit(group, "EditSmoothness", kShortEditWidth);
    ButtonSmoothing = makeButton(group, "ButtonSmoothing", "Calculation");
    ButtonSaveDIS = makeButton(group, "ButtonSaveDIS", "Save interpolation");
    auto *row = new QHBoxLayout;
    row->addWidget(makeLabel(group, "LabelCaptionSmoothness", "smoothness"));
    row->addWidget(EditSmoothness);
    row->addWidget(ButtonSmoothing);
    row->addWidget(ButtonSaveDIS);
    row->addStretch(1);
    grid->addLayout(row, 0, 0);
    grid->addWidget(makeLabel(group, "LabelHintSmoothing", "Please chack the difference between data and simulatied result"), 1, 0);
    return group;
}

QWidget *TFormMain::buildDischargeTab() {
    auto *tab = new QWidget;
    tab->setObjectName("TabSheetDischarge");
    ButtonDataConvert = makeButton(tab, "ButtonDataConvert", "Open Different Type of File");
    ButtonDataConvert->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QScrollArea *controls = makeControlColumn(
        "ScrollBoxDischarge",
        {ButtonDataConvert, buildSampleGroup(), buildTimeRangeGroup(), buildReliabilityGroup(), buildSmoothingGroup()});
    ChartDischarge = makeChart(tab, "ChartDischarge");
    auto *layout = new QHBoxLayout(tab);
    layout->addWidget(controls);
    layout->addWidget(ChartDischarge, 1);
    return tab;
}

QGroupBox *TFormMain::buildAnalysisGroup(int a) {
    const QString n = QString::number(a + 1);
    QGroupBox *group = makeGroup(nullptr, "GroupBoxAnalysis" + n, "Analysis" + n);
    auto *layout = new QVBoxLayout(group);
    layout->setSpacing(3);

    QLineEdit *editEref = makeEdit(group, "EditEref" + n, kShortEditWidth);
    QPushButton *low = makeStepper(group, "ButtonErefLow" + n, "<<");
    QPushButton *high = makeStepper(group, "ButtonErefHigh" + n, ">>");
    QPushButton *calculate = makeButton(group, "ButtonCalculationKEST" + n, "Calculate KEST");
    auto *erefRow = new QHBoxLayout;
    erefRow->addWidget(makeLabel(group, "LabelCaptionEref" + n, "e_ref"));
    erefRow->addWidget(editEref);
    erefRow->addWidget(makeLabel(group, "LabelUnitEref" + n, "s^-1"));
    erefRow->addWidget(low);
    erefRow->addWidget(high);
    erefRow->addWidget(calculate);
    erefRow->addStretch(1);
    layout->addLayout(erefRow);

    struct PeakControls {
        QPushButton *previous, *low, *high, *next, *analysis;
        QLabel *density, *rate;
    };
    PeakControls peaks[2];
    auto *peakRow = new QHBoxLayout;
    for (int p = 0; p < 2; ++p) {
        const QString np = n + QString::number(p + 1);
        QGroupBox *peakGroup = makeGroup(group, "GroupBoxPeak" + np, "Peak" + QString::number(p + 1));
        auto *grid = new QGridLayout(peakGroup);
        grid->setHorizontalSpacing(3);
        grid->setVerticalSpacing(3);
        PeakControls &c = peaks[p];
        // "次のピーク" is the caption of the second analysis's first "Next peak" button.
        c.previous = makeButton(peakGroup, "ButtonPreviousPeak" + np, "Previous peak");
        c.low = makeStepper(peakGroup, "ButtonPeakLow" + np, "<<");
        c.high = makeStepper(peakGroup, "ButtonPeakHigh" + np, ">>");
        c.next = makeButton(peakGroup, "ButtonNextPeak" + np, np == "21" ? QStringLiteral("次のピーク") : QStringLiteral("Next peak"));
        c.analysis = makeButton(peakGroup, "ButtonAnalysis" + np, "Analysis");
        c.density = makeValueLabel(peakGroup, "LabelTrapDensity" + np, 70);
        c.rate = makeValueLabel(peakGroup, "LabelEmissionRate" + np, 70);
        // Towards shorter times on the left, towards longer times on the right.
        auto *moves = new QGridLayout;
        moves->setSpacing(3);
        moves->addWidget(c.previous, 0, 0);
        moves->addWidget(c.next, 0, 1);
        moves->addWidget(c.low, 1, 0);
        moves->addWidget(c.high, 1, 1);
        c.low->setMinimumWidth(0);
        c.low->setMaximumWidth(QWIDGETSIZE_MAX);
        c.high->setMinimumWidth(0);
        c.high->setMaximumWidth(QWIDGETSIZE_MAX);
        grid->addLayout(moves, 0, 0, 1, 3);
        grid->addWidget(c.analysis, 1, 0, 1, 3);
        grid->addWidget(makeLabel(peakGroup, "LabelCaptionTrapDensity" + np, "Trap sheet density"), 2, 0, 1, 3);
        grid->addWidget(c.density, 3, 0, 1, 2);
        grid->addWidget(makeLabel(peakGroup, "LabelUnitTrapDensity" + np, "cm^-2"), 3, 2);
        grid->addWidget(makeLabel(peakGroup, "LabelCaptionEmissionRate" + np, np == "11" ? "Emssion rate" : "Emission rate"), 4, 0, 1, 3);
        grid->addWidget(c.rate, 5, 0, 1, 2);
        grid->addWidget(makeLabel(peakGroup, "LabelUnitEmissionRate" + np, "s^-1"), 5, 2);
        peakRow->addWidget(peakGroup);
    }
    layout->addLayout(peakRow);

    QPushButton *save = makeButton(group, "ButtonSaveKESTResult" + n, "Save results");
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(save);
    saveRow->addStretch(1);
    layout->addLayout(saveRow);

    if (a == 0) {
        EditEref1 = editEref;
        ButtonErefLow1 = low;
        ButtonErefHigh1 = high;
        ButtonCalculationKEST1 = calculate;
        ButtonPreviousPeak11 = peaks[0].previous;
        ButtonPeakLow11 = peaks[0].low;
        ButtonPeakHigh11 = peaks[0].high;
        ButtonNextPeak11 = peaks[0].next;
        ButtonAnalysis11 = peaks[0].analysis;
        LabelTrapDensity11 = peaks[0].density;
        LabelEmissionRate11 = peaks[0].rate;
        ButtonPreviousPeak12 = peaks[1].previous;
        ButtonPeakLow12 = peaks[1].low;
        ButtonPeakHigh12 = peaks[1].high;
        ButtonNextPeak12 = peaks[1].next;
        ButtonAnalysis12 = peaks[1].analysis;
        LabelTrapDensity12 = peaks[1].density;
        LabelEmissionRate12 = peaks[1].rate;
        ButtonSaveKESTResult1 = save;
    } else {
        EditEref2 = editEref;
        ButtonErefLow2 = low;
        ButtonErefHigh2 = high;
        ButtonCalculationKEST2 = calculate;
        ButtonPreviousPeak21 = peaks[0].previous;
        ButtonPeakLow21 = peaks[0].low;
        ButtonPeakHigh21 = peaks[0].high;
        ButtonNextPeak21 = peaks[0].next;
        ButtonAnalysis21 = peaks[0].analysis;
        LabelTrapDensity21 = peaks[0].density;
        LabelEmissionRate21 = peaks[0].rate;
        ButtonPreviousPeak22 = peaks[1].previous;
        ButtonPeakLow22 = peaks[1].low;
        ButtonPeakHigh22 = peaks[1].high;
        ButtonNextPeak22 = peaks[1].next;
        ButtonAnalysis22 = peaks[1].analysis;
        LabelTrapDensity22 = peaks[1].density;
        LabelEmissionRate22 = peaks[1].rate;
        ButtonSaveKESTResult2 = save;
    }
    return group;
}

QWidget *TFormMain::buildSignalTab() {
    auto *tab = new QWidget;
    tab->setObjectName("TabSheetKEST");
    QScrollArea *controls = makeControlColumn("ScrollBoxKEST", {buildAnalysisGroup(0), buildAnalysisGroup(1)});
    ChartKEST = makeChart(tab, "ChartKEST");
    auto *layout = new QHBoxLayout(tab);
    layout->addWidget(controls);
    layout->addWidget(ChartKEST, 1);
    return tab;
}

QWidget *TFormMain::buildErefTab(int mode) {
    struct TabText {
        const char *tabName, *groupName, *groupTitle, *runName, *runCaption, *saveName, *saveCaption, *rateName,
            *densityName;
    };
    static const TabText texts[] = {
        {"TabSheetPositiveEref", "GroupBoxPositiveEref", "Analysis for positive e_ref", "ButtonPositiveEref", "Analysis",
         "ButtonSavePositiveEref", "Save (*.ErefP)", "ChartEmissionRateP", "ChartDensityP"},
        {"TabSheetNegativeEref", "GroupBoxNegativeEref", "Analysis for negaitve e_ref", "ButtonNegativeEref", "Analusis",
         "ButtonSaveNegativeEref", "Save (*.ErefN)", "ChartEmissionRateN", "ChartDensityN"},
        {"TabSheetEref", "GroupBoxEref", "Analysis using e_ref", "ButtonEref", "Analysis", "ButtonSaveEref",
         "Save(*.Eref)", "ChartEmissionRate", "ChartDensity"},
    };
    const TabText &t = texts[mode];
    auto *tab = new QWidget;
    tab->setObjectName(t.tabName);
    QGroupBox *group = makeGroup(nullptr, t.groupName, t.groupTitle);
    auto *buttons = new QVBoxLayout(group);
    QPushButton *run = makeButton(group, t.runName, t.runCaption);
    QPushButton *save = makeButton(group, t.saveName, t.saveCaption);
    buttons->addWidget(run);
    buttons->addWidget(save);
    QScrollArea *controls = makeControlColumn(QString("ScrollBox") + (t.tabName + 8), {group});
    Chart *rate = makeChart(tab, t.rateName);
    Chart *density = makeChart(tab, t.densityName);
    auto *charts = new QVBoxLayout;
    charts->addWidget(rate, 1);
    charts->addWidget(density, 1);
    auto *layout = new QHBoxLayout(tab);
    layout->addWidget(controls);
    layout->addLayout(charts, 1);

    switch (mode) {
    case 0:
        ButtonPositiveEref = run;
        ButtonSavePositiveEref = save;
        ChartEmissionRateP = rate;
        ChartDensityP = density;
        break;
    case 1:
        ButtonNegativeEref = run;
        ButtonSaveNegativeEref = save;
        ChartEmissionRateN = rate;
        ChartDensityN = density;
        break;
    default:
        ButtonEref = run;
        ButtonSaveEref = save;
        ChartEmissionRate = rate;
        ChartDensity = density;
        break;
    }
    return tab;
}

void TFormMain::buildCharts() {
    const QColor red(255, 0, 0), fuchsia(255, 0, 255), yellow(255, 255, 0), blue(0, 0, 255), lime(0, 255, 0),
        black(0, 0, 0);
    using enum AxisScale;
    using enum AxisLabels;

    ChartDischarge->setBottomAxis("Discharge Time [s]", Logarithmic, Grouped6);
    ChartDischarge->setLeftAxis("Discharge Current [pA]", Logarithmic, Scientific2);
    Series1 = ChartDischarge->addCircleSeries("Series1", red);
    Series2 = ChartDischarge->addCrossSeries("Series2", fuchsia, 20);
    Series3 = ChartDischarge->addCrossSeries("Series3", yellow, 20);
    Series4 = ChartDischarge->addCrossSeries("Series4", blue, 20);
    Series5 = ChartDischarge->addCrossSeries("Series5", lime, 20);
    Series6 = ChartDischarge->addLineSeries("Series6", black);

    ChartKEST->setBottomAxis("Discharge Time [s]", Logarithmic, Grouped6);
    ChartKEST->setLeftAxis("KEST Signal [cm^-2]", Linear, Scientific2);
    Series9 = ChartKEST->addLineSeries("Series9", black);
    Series10 = ChartKEST->addCrossSeries("Series10", red, 30);
    Series11 = ChartKEST->addCrossSeries("Series11", blue, 30);
    Series12 = ChartKEST->addLineSeries("Series12", red);
    Series13 = ChartKEST->addLineSeries("Series13", blue);

    ChartEmissionRateP->setBottomAxis("e_ref [s^-1]", Logarithmic, Grouped6);
    ChartEmissionRateP->setLeftAxis("Emission Rate [s^-1]", Logarithmic, Grouped4);
    Series14 = ChartEmissionRateP->addCircleSeries("Series14", red);
    ChartDensityP->setBottomAxis("e_ref [s^-1]", Logarithmic, Grouped6);
    ChartDensityP->setLeftAxis("Trap Sheet Density [cm^-2]", Linear, Scientific2);
    Series15 = ChartDensityP->addCircleSeries("Series15", blue);

    ChartEmissionRateN->setBottomAxis("-e_ref [s]", Logarithmic, Grouped6);
    ChartEmissionRateN->setLeftAxis("Emission Rate [s]", Logarithmic, Grouped4);
    Series7 = ChartEmissionRateN->addCircleSeries("Series7", red);
    ChartDensityN->setBottomAxis("-e_ref [s]", Logarithmic, Grouped6);
    ChartDensityN->setLeftAxis("Trap Sheet Density [cm^-2]", Linear, Scientific2);
    Series8 = ChartDensityN->addCircleSeries("Series8", blue);

    ChartEmissionRate->setBottomAxis("e_ref [s^-1]", Linear, Grouped6);
    ChartEmissionRate->setLeftAxis("Emission Rate [s^-1]", Logarithmic, Grouped4);
    Series16 = ChartEmissionRate->addCircleSeries("Series16", red);
    ChartDensity->setBottomAxis("e_ref [s^-1]", Linear, Grouped6);
    ChartDensity->setLeftAxis("Trap Sheet Density [cm^-2]", Linear, Scientific2);
    Series17 = ChartDensity->addCircleSeries("Series17", blue);
}
