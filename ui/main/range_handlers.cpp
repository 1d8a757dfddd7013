// Time range and reliability editing on the "Discharge Curent" tab: sixteen steppers,
// "Change", "Draw" and "Clear".
#include "ui/main/main_window.h"

#include "engine/analysis.h"
#include "engine/dyn_array.h"
#include "engine/number_format.h"
#include "ui/common/text_conversion.h"
#include "ui/main/measured_points.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QString timeText(long long i) { return QString::fromStdString(formatGeneral(measuredTime(C, i))); }

}  // namespace

void TFormMain::moveFirstIndex(std::int32_t &first, std::int32_t last, int step, ChartSeries &marker, QLabel *label) {
    std::int32_t moved = first + step;
    if (step < 0 && moved < 0)
        moved = 0;
    if (step > 0 && moved >= last)
        moved = last - 1;
    // Read the point before anything changes, so a missing point changes nothing.
    const double time = measuredTime(C, moved);
    const double current = measuredCurrent_pA(C, moved);
    first = moved;
    marker.clear();
    marker.add(time, current);
    label->setText(timeText(moved));
}

void TFormMain::moveLastIndex(std::int32_t first, std::int32_t &last, int step, ChartSeries &marker, QLabel *label) {
    std::int32_t moved = last + step;
    if (step < 0 && moved <= first)
        moved = first + 1;
    if (step > 0 && moved >= C.NumberOfData)
        moved = C.NumberOfData - 1;
    const double time = measuredTime(C, moved);
    const double current = measuredCurrent_pA(C, moved);
    last = moved;
    marker.clear();
    marker.add(time, current);
    label->setText(timeText(moved));
}

// Moving the reliability sub-range takes the interpolated curve off the chart: it was
// smoothed with the weights the user is about to change.
void TFormMain::moveReliabilityStart(int step) {
    moveFirstIndex(IndexOfStartReliability, IndexOfEndReliability, step, Series4, LabelR1);
    Series6.clear();
}

void TFormMain::moveReliabilityEnd(int step) {
    moveLastIndex(IndexOfStartReliability, IndexOfEndReliability, step, Series5, LabelR2);
    Series6.clear();
}

void TFormMain::ButtonRapidDecreaseShortTimeClick() { moveFirstIndex(C.IndexOfBeginning, C.IndexOfEnding, -25, Series2, LabelBegin); }
void TFormMain::ButtonDecreaseShortTimeClick() { moveFirstIndex(C.IndexOfBeginning, C.IndexOfEnding, -1, Series2, LabelBegin); }
void TFormMain::ButtonIncreaseShortTimeClick() { moveFirstIndex(C.IndexOfBeginning, C.IndexOfEnding, +1, Series2, LabelBegin); }
void TFormMain::ButtonRapidIncreaseShortTimeClick() { moveFirstIndex(C.IndexOfBeginning, C.IndexOfEnding, +25, Series2, LabelBegin); }
void TFormMain::ButtonRapidDecreaseLongTimeClick() { moveLastIndex(C.IndexOfBeginning, C.IndexOfEnding, -25, Series3, LabelEnd); }
void TFormMain::ButtonDecreaseLongTimeClick() { moveLastIndex(C.IndexOfBeginning, C.IndexOfEnding, -1, Series3, LabelEnd); }
void TFormMain::ButtonIncreaseLongTimeClick() { moveLastIndex(C.IndexOfBeginning, C.IndexOfEnding, +1, Series3, LabelEnd); }
void TFormMain::ButtonRapidIncreaseLongTimeClick() { moveLastIndex(C.IndexOfBeginning, C.IndexOfEnding, +25, Series3, LabelEnd); }

void TFormMain::ButtonStartRapidDecreaseReliabilityClick() { moveReliabilityStart(-25); }
void TFormMain::ButtonStartDecreaseReliabilityClick() { moveReliabilityStart(-1); }
void TFormMain::ButtonStartIncreaseReliabilityClick() { moveReliabilityStart(+1); }
void TFormMain::ButtonStartRapidIncreaseReliabilityClick() { moveReliabilityStart(+25); }
void TFormMain::ButtonEndRapidDecreaseReliabilityClick() { moveReliabilityEnd(-25); }
void TFormMain::ButtonEndDecreaseReliabilityClick() { moveReliabilityEnd(-1); }
void TFormMain::ButtonEndIncreaseReliabilityClick() { moveReliabilityEnd(+1); }
void TFormMain::ButtonEndRapidIncreaseReliabilityClick() { moveReliabilityEnd(+25); }

void TFormMain::ButtonChangeReliabilityClick() {
    // The text is converted before any weight changes: a text that is not a number changes
    // nothing, and every weight of the sub-range gets the same value.
    const double reliability = parseReal(toStdString(EditReliability->text()));
    const long long count = static_cast<long long>(C.Reliability.size());
    if (IndexOfStartReliability < 0)
        throw DynArrayOutOfRange(IndexOfStartReliability, count);
    if (IndexOfEndReliability >= count)
        throw DynArrayOutOfRange(IndexOfEndReliability, count);
    for (std::int32_t i = IndexOfStartReliability; i <= IndexOfEndReliability; ++i)
        C.Reliability[static_cast<std::size_t>(i)] = reliability;
    Series6.clear();
    EmptyDownstreamPlots();
}

void TFormMain::ButtonDrawDISClick() {
    const MeasuredPoints points = measuredPoints(C, C.IndexOfBeginning, C.IndexOfEnding);
    for (ChartSeries *series : {&Series1, &Series2, &Series3, &Series4, &Series5, &Series6})
        series->clear();
    Series1.add(points.times, points.currents_pA);
    EmptyDownstreamPlots();
}

void TFormMain::ButtonRedrawDISClick() {
    const MeasuredPoints points = measuredPoints(C, 0, C.NumberOfData - 1);
    C.IndexOfBeginning = 0;
    C.IndexOfEnding = C.NumberOfData - 1;
    LabelBegin->setText(timeText(0));
    LabelEnd->setText(timeText(C.NumberOfData - 1));
    for (ChartSeries *series : {&Series1, &Series2, &Series3, &Series4, &Series5, &Series6})
        series->clear();
    Series1.add(points.times, points.currents_pA);
    EmptyDownstreamPlots();
}
