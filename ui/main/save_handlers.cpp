// Saving every stage of the analysis ("Save interpolation", "Save results", the three
// e_ref saves), the sample number shown above the tabs, and "Print".
#include "ui/main/main_window.h"

#include "engine/analysis.h"
#include "engine/number_format.h"
#include "ui/common/dialogs.h"
#include "ui/common/text_conversion.h"
#include "ui/main/file_names.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace {

// The window is laid out at 96 pixels per inch; printed, it keeps that size.
constexpr double kLayoutPixelsPerInch = 96.0;

}  // namespace

bool TFormMain::writeFile(std::string &filenameField, const QString &path, Status (Analysis::*writer)() const) {
    // The writer takes its target from the record's field; a file that was not written
    // leaves the field naming the file saved before, if any.
    std::string previous = std::exchange(filenameField, toStdString(path));
    Status status;
    try {
        status = (C.*writer)();
    } catch (...) {
        filenameField = std::move(previous);
        throw;
    }
    if (!status) {
        filenameField = std::move(previous);
        dialogs().error(this, toQString(status.describe()));
        return false;
    }
    return true;
}

bool TFormMain::saveResultFile(const QString &extension, std::string &filenameField, Status (Analysis::*writer)() const) {
    const QString path = dialogs().saveFileName(this, "*" + extension, withExtension(toQString(C.FilenameDIS0), extension));
    if (path.isEmpty())
        return false;
    return writeFile(filenameField, path, writer);
}

void TFormMain::ButtonSaveDISClick() {
    C.DateOfMeasurement = toStdString(EditDateOfMeasurement->text());
    C.NameOfMeasurement = toStdString(EditNameOfMeasurement->text());
    C.DateOfAnalysis = toStdString(EditDateOfAnalysis->text());
    C.NameOfAnalysis = toStdString(EditNameOfAnalysis->text());
    C.Material = toStdString(EditMaterial->text());
    C.SampleNumber = toStdString(EditSampleNumber->text());

    // Each number is stored before the next field is looked at. Only an empty text counts
    // as missing; blanks go to the conversion, which refuses them.
    const struct {
        QLineEdit *edit;
        double &field;
        const char *missing;
    } numbers[] = {
        {EditArea, C.Area, "Input Junction Area!"},
        {EditSampleThickness, C.SampleThickness, "Input Sample Thickness!"},
        {EditTemperature, C.Temperature, "Input Measurement Temperature!"},
        {EditChargeVoltage, C.ChargeVoltage, "Input Voltage during charging!"},
        {EditChargeTime, C.ChargeTime, "Input Charge Time!"},
        {EditDischargeVoltage, C.DischargeVoltage, "Input Dicharege Voltage!"},
    };
    for (const auto &number : numbers) {
        const QString text = number.edit->text();
        if (text.isEmpty()) {
            dialogs().error(this, number.missing);
            return;
        }
        number.field = parseReal(toStdString(text));
    }
    C.Comment = toStdString(EditComment->text());

    const QString dis0 = dialogs().saveFileName(this, "*.DIS0", "*.DIS0");
    if (dis0.isEmpty() || !writeFile(C.FilenameDIS0, dis0, &Analysis::WriteDIS0))
        return;
    LabelFilenameDIS0->setText(dis0);

    C.Smoothness = parseReal(toStdString(EditSmoothness->text()));
    const QString dis1 = dialogs().saveFileName(this, "*.DIS1", withExtension(toQString(C.FilenameDIS0), ".DIS1"));
    if (dis1.isEmpty() || !writeFile(C.FilenameDIS1, dis1, &Analysis::WriteDIS1))
        return;
    LabelFilenameDIS1->setText(dis1);

    for (QPushButton *button : {ButtonErefLow1, ButtonErefHigh1, ButtonCalculationKEST1, ButtonPositiveEref})
        button->setEnabled(true);
}

void TFormMain::ButtonSaveKESTResult1Click() {
    // Saving the first analysis is what makes the second one available.
    if (saveResultFile(".KEST0", C.FilenameKEST0, &Analysis::WriteKEST0))
        for (QPushButton *button : {ButtonCalculationKEST2, ButtonErefLow2, ButtonErefHigh2})
            button->setEnabled(true);
}

void TFormMain::ButtonSaveKESTResult2Click() { saveResultFile(".KEST1", C.FilenameKEST1, &Analysis::WriteKEST1); }

void TFormMain::ButtonSavePositiveErefClick() { saveResultFile(".ErefP", C.FilenameErefP, &Analysis::WriteErefP); }

void TFormMain::ButtonSaveNegativeErefClick() { saveResultFile(".ErefN", C.FilenameErefN, &Analysis::WriteErefN); }

void TFormMain::ButtonSaveErefClick() { saveResultFile(".Eref", C.FilenameEref, &Analysis::WriteEref); }

void TFormMain::EditSampleNumberChange() { LabelSampleNumber->setText(EditSampleNumber->text()); }

void TFormMain::Print1Click() {
    // One printer for the session, so the set-up chosen last is offered again. Landscape
    // first: the window is wider than a portrait page.
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageOrientation(QPageLayout::Landscape);
    }
    if (!dialogs().printerSetup(this, *printer_))
        return;

    const QPixmap image = centralWidget()->grab();
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        dialogs().error(this, "The printer cannot be started, so nothing was printed.");
        return;
    }
    const double scaleX = printer_->logicalDpiX() / kLayoutPixelsPerInch;
    const double scaleY = printer_->logicalDpiY() / kLayoutPixelsPerInch;
    // On-screen size on paper, unless the page is too small for it: then smaller, whole.
    const QSizeF size = image.deviceIndependentSize();
    const QRectF page = printer_->pageRect(QPrinter::DevicePixel);
    const double fit = std::min({1.0, page.width() / (size.width() * scaleX), page.height() / (size.height() * scaleY)});
    painter.scale(scaleX * fit, scaleY * fit);
    painter.drawPixmap(0, 0, image);
    if (!painter.end())
        dialogs().error(this, "The page could not be printed.");
}
