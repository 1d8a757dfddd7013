// "Load *.DIS0" and "Load *.DIS1": bring a saved measurement or interpolated curve back
// into the record and show it.
#include "ui/main/main_window.h"

#include "engine/analysis.h"
#include "engine/number_format.h"
#include "ui/common/dialogs.h"
#include "ui/common/text_conversion.h"
#include "ui/main/file_names.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

void TFormMain::LoadDIS0Click() {
    const QString path = dialogs().openFileName(this, kOpenDialogFilter, 0, openDialogFileName_);
    if (path.isEmpty())
        return;
    OpenDIS0(path);
}

bool TFormMain::OpenDIS0(const QString &path) {
    openDialogFileName_ = path;

    // The file is read into a cleared copy, so that a file that cannot be read leaves the
    // record, and with it the window, exactly as it was.
    Analysis loaded = C;
    loaded.Clear();
    loaded.FilenameDIS0 = toStdString(path);
    if (const Status status = loaded.ReadDIS0(); !status) {
        dialogs().error(this, toQString(status.describe()));
        return false;
    }
    C = std::move(loaded);

    ResetDischargeTab();
    LabelSampleNumber->setText(toQString(C.SampleNumber));
    LabelFilenameOriginal->setText(toQString(FilenameOriginal));
    LabelFilenameDIS0->setText(path);

    EditDateOfMeasurement->setText(toQString(C.DateOfMeasurement));
    EditNameOfMeasurement->setText(toQString(C.NameOfMeasurement));
    EditDateOfAnalysis->setText(toQString(C.DateOfAnalysis));
    EditNameOfAnalysis->setText(toQString(C.NameOfAnalysis));
    EditMaterial->setText(toQString(C.Material));
    EditSampleNumber->setText(toQString(C.SampleNumber));
    EditTemperature->setText(QString::fromStdString(formatGeneral(C.Temperature)));
    EditSampleThickness->setText(QString::fromStdString(formatGeneral(C.SampleThickness)));
    EditArea->setText(QString::fromStdString(formatGeneral(C.Area)));
    EditDischargeVoltage->setText(QString::fromStdString(formatGeneral(C.DischargeVoltage)));
    EditChargeVoltage->setText(QString::fromStdString(formatGeneral(C.ChargeVoltage)));
    EditChargeTime->setText(QString::fromStdString(formatGeneral(C.ChargeTime)));
    setCommentText(toQString(C.Comment));
    // Long texts show their beginning.
    for (QLineEdit *edit : {EditDateOfMeasurement, EditNameOfMeasurement, EditDateOfAnalysis, EditNameOfAnalysis,
                            EditMaterial, EditSampleNumber, EditComment})
        edit->setCursorPosition(0);

    IndexOfStartReliability = C.IndexOfBeginning;
    IndexOfEndReliability = C.IndexOfEnding;
    ShowRangeLabels();
    EditReliability->setText("1");
    EditSmoothness->setText("0.001");

    PlotMeasuredPoints(0, C.NumberOfData - 1);
    EnableDischargeControls();
    LoadDIS1->setEnabled(true);
    return true;
}

void TFormMain::LoadDIS1Click() {
    const QString path =
        dialogs().openFileName(this, kOpenDialogFilter, 1, withExtension(toQString(C.FilenameDIS0), ".DIS1"));
    if (path.isEmpty())
        return;
    openDialogFileName_ = path;

    // The reader changes the record only when the whole file was read; the path it reads
    // from goes back when it was not.
    const std::string previousPath = std::exchange(C.FilenameDIS1, toStdString(path));
    Status status;
    try {
        status = C.ReadDIS1();
    } catch (...) {
        C.FilenameDIS1 = previousPath;
        throw;
    }
    if (!status) {
        C.FilenameDIS1 = previousPath;
        dialogs().error(this, toQString(status.describe()));
        return;
    }

    LabelFilenameDIS1->setText(path);
    PlotInterpolatedCurve();
    for (QPushButton *button : {ButtonErefLow1, ButtonErefHigh1, ButtonCalculationKEST1, ButtonPositiveEref})
        button->setEnabled(true);
}
