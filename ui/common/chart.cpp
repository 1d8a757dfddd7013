#include "ui/common/chart.h"

#include "engine/number_format.h"
#include "ui/common/dialogs.h"
#include "ui/common/error_guard.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QPainterPath>
#include <QTemporaryFile>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

QString tickLabel(AxisLabels labels, double tick) {
    switch (labels) {
    case AxisLabels::Grouped6:
        return QString::fromStdString(formatGrouped(tick, 6));
    case AxisLabels::Grouped4:
        return QString::fromStdString(formatGrouped(tick, 4));
    case AxisLabels::Scientific2:
        return QString::fromStdString(formatScientific(tick, 2));
    }
    return {};
}

// Linear ticks labelled with one of the program's patterns.
class LinearTicker : public QCPAxisTicker {
public:
    explicit LinearTicker(AxisLabels labels) : labels_(labels) {}

protected:
    QString getTickLabel(double tick, const QLocale &, QChar, int) override { return tickLabel(labels_, tick); }

    // A tick meant to be 0 may come out as a rounding residue such as 1e-17, which the
    // scientific pattern would print as such.
    QVector<double> createTickVector(double tickStep, const QCPRange &range) override {
        QVector<double> ticks = QCPAxisTicker::createTickVector(tickStep, range);
        for (double &tick : ticks)
            if (std::abs(tick) < std::abs(tickStep) * 1e-9)
                tick = 0.0;
        return ticks;
    }

private:
    AxisLabels labels_;
};

// Decade ticks with eight sub-ticks, labelled with one of the program's patterns.
class LogTicker : public QCPAxisTickerLog {
public:
    explicit LogTicker(AxisLabels labels) : labels_(labels) {
        setLogBase(10.0);
        setSubTickCount(8);
    }

protected:
    QString getTickLabel(double tick, const QLocale &, QChar, int) override { return tickLabel(labels_, tick); }

private:
    AxisLabels labels_;
};

void setAxis(QCPAxis *axis, const QString &title, AxisScale scale, AxisLabels labels) {
    axis->setLabel(title);
    // Each axis gets its own ticker: tickers are shared pointers and carry the pattern.
    if (scale == AxisScale::Logarithmic) {
        axis->setScaleType(QCPAxis::stLogarithmic);
        axis->setTicker(QSharedPointer<QCPAxisTicker>(new LogTicker(labels)));
        axis->setRange(0.1, 10.0);
    } else {
        axis->setScaleType(QCPAxis::stLinear);
        axis->setTicker(QSharedPointer<QCPAxisTicker>(new LinearTicker(labels)));
        axis->setRange(0.0, 1.0);
    }
}

// Widens a fitted range a little so that markers at its ends, such as a peak marker on
// the largest value, are not cut off.
void addMargin(QCPAxis *axis) {
    const QCPRange range = axis->range();
    if (axis->scaleType() == QCPAxis::stLogarithmic) {
        if (range.lower > 0.0 && range.upper > range.lower) {
            const double factor = std::pow(range.upper / range.lower, 0.03);
            axis->setRange(range.lower / factor, range.upper * factor);
        }
    } else if (range.upper > range.lower) {
        const double margin = (range.upper - range.lower) * 0.05;
        axis->setRange(range.lower - margin, range.upper + margin);
    }
}

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

QString dataCell(double value) { return std::isnan(value) ? QString() : QString::fromStdString(formatData(value)); }

QString titleOr(const QString &title, const char *fallback) {
    return title.isEmpty() ? QString::fromLatin1(fallback) : title;
}

// Runs write(temporaryPath) on a fresh file beside path and moves it over path when write
// succeeded; otherwise the temporary file goes and path stays as it was.
template <class Write>
void replaceFile(const QString &path, Write &&write) {
    const QFileInfo target(path);
    QTemporaryFile temporary(QDir(target.absolutePath()).filePath(target.fileName() + ".tmp-XXXXXX"));
    if (!temporary.open())
        throw std::runtime_error(QString("%1: %2").arg(path, temporary.errorString()).toStdString());
    temporary.close();
    if (!write(temporary.fileName()))
        throw std::runtime_error(QString("%1: the image could not be written").arg(path).toStdString());
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        throw std::runtime_error(QString("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))).toStdString());
    temporary.setAutoRemove(false);
}

}  // namespace

const QString Chart::kImageFilter =
    QStringLiteral("PNG image|*.png|PNG image, twice the pixels|*.png|PDF document|*.pdf");

void ChartSeries::clear() {
    graph_->data()->clear();
    chart_->scheduleRefresh();
}

void ChartSeries::add(double x, double y) {
    if (std::isnan(x))
        return;
    // A single point lands at its place in ascending X, as the container keeps its keys sorted.
    graph_->addData(x, chart_->shownValue(x, y));
    chart_->scheduleRefresh();
}

void ChartSeries::add(std::span<const double> xs, std::span<const double> ys) {
    QVector<QCPGraphData> points;
    points.reserve(static_cast<qsizetype>(std::min(xs.size(), ys.size())));
    bool sorted = true;
    for (std::size_t i = 0; i < xs.size() && i < ys.size(); ++i) {
        if (std::isnan(xs[i]))
            continue;
        if (!points.isEmpty() && xs[i] < points.back().key)
            sorted = false;
        points.append(QCPGraphData(xs[i], chart_->shownValue(xs[i], ys[i])));
    }
    graph_->data()->add(points, sorted);
    chart_->scheduleRefresh();
}

int ChartSeries::count() const { return graph_ ? graph_->dataCount() : 0; }

QString ChartSeries::name() const { return graph_ ? graph_->name() : QString(); }

Chart::Chart(QWidget *parent) : QCustomPlot(parent) {
    setLocale(QLocale::c());
    // The user may drag and zoom; the next change of the data fits the axes again.
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    setNoAntialiasingOnDrag(true);
    legend->setVisible(false);
    // Only the bottom and left axes carry titles and ticks; the top and right ones close the frame.
    xAxis2->setVisible(true);
    yAxis2->setVisible(true);
    xAxis2->setTicks(false);
    yAxis2->setTicks(false);
    xAxis2->setTickLabels(false);
    yAxis2->setTickLabels(false);
    setBottomAxis(QString(), AxisScale::Linear, AxisLabels::Grouped6);
    setLeftAxis(QString(), AxisScale::Linear, AxisLabels::Scientific2);

    setMouseTracking(true);
    connect(this, &QCustomPlot::mouseMove, this, &Chart::showReadout);
    connect(this, &QCustomPlot::mouseDoubleClick, this, [this] { showAllData(); });

    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName("ChartMenu");
    QAction *saveImage = contextMenu_->addAction(QStringLiteral("Save image…"));
    saveImage->setObjectName("SaveImage");
    QAction *copyData = contextMenu_->addAction(QStringLiteral("Copy data"));
    copyData->setObjectName("CopyData");
    onTriggered(saveImage, this, &Chart::SaveImageClick);
    onTriggered(copyData, this, &Chart::CopyDataClick);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { contextMenu_->popup(mapToGlobal(at)); });
}

void Chart::setBottomAxis(const QString &title, AxisScale scale, AxisLabels labels) {
    logBottom_ = scale == AxisScale::Logarithmic;
    bottomLabels_ = labels;
    setAxis(xAxis, title, scale, labels);
    xAxis2->setScaleType(xAxis->scaleType());
    scheduleRefresh();
}

void Chart::setLeftAxis(const QString &title, AxisScale scale, AxisLabels labels) {
    logLeft_ = scale == AxisScale::Logarithmic;
    leftLabels_ = labels;
    setAxis(yAxis, title, scale, labels);
    yAxis2->setScaleType(yAxis->scaleType());
    scheduleRefresh();
}

void Chart::setBottomTitle(const QString &title) {
    xAxis->setLabel(title);
    scheduleRefresh();
}

void Chart::setLeftTitle(const QString &title) {
    yAxis->setLabel(title);
    scheduleRefresh();
}

QString Chart::bottomTitle() const { return xAxis->label(); }

QString Chart::leftTitle() const { return yAxis->label(); }

ChartSeries Chart::addSeries(const QString &name, const QColor &colour) {
    QCPGraph *graph = addGraph(xAxis, yAxis);
    graph->setName(name);
    graph->setPen(QPen(colour, 1.0));
    graph->setBrush(Qt::NoBrush);
    graph->setAdaptiveSampling(true);
    return ChartSeries(this, graph);
}

ChartSeries Chart::addCircleSeries(const QString &name, const QColor &colour) {
    ChartSeries series = addSeries(name, colour);
    series.graph()->setLineStyle(QCPGraph::lsNone);
    series.graph()->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, colour, colour, 6.0));
    return series;
}

ChartSeries Chart::addCrossSeries(const QString &name, const QColor &colour, int heightPixels) {
    ChartSeries series = addSeries(name, colour);
    series.graph()->setLineStyle(QCPGraph::lsNone);
    // A custom scatter path is drawn scaled by size / 6: the upright bar spans six units, so
    // the marker is heightPixels high, with a crossbar nine pixels wide.
    const double halfBar = 4.5 * 6.0 / heightPixels;
    QPainterPath cross;
    cross.moveTo(0.0, -3.0);
    cross.lineTo(0.0, 3.0);
    cross.moveTo(-halfBar, 0.0);
    cross.lineTo(halfBar, 0.0);
    QPen pen(colour, 2.0);
    pen.setCosmetic(true);
    series.graph()->setScatterStyle(QCPScatterStyle(cross, pen, Qt::NoBrush, heightPixels));
    return series;
}

ChartSeries Chart::addLineSeries(const QString &name, const QColor &colour) {
    ChartSeries series = addSeries(name, colour);
    series.graph()->setLineStyle(QCPGraph::lsLine);
    series.graph()->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    return series;
}

ChartSeries Chart::series(const QString &name) {
    for (int i = 0; i < graphCount(); ++i)
        if (graph(i)->name() == name)
            return ChartSeries(this, graph(i));
    return {};
}

double Chart::shownValue(double x, double y) const {
    if ((logBottom_ && !(x > 0.0)) || (logLeft_ && !(y > 0.0)))
        return kGap;
    return y;
}

void Chart::scheduleRefresh() {
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, &Chart::refresh);
}

void Chart::refresh() {
    if (!refreshPending_)
        return;
    refreshPending_ = false;
    fitAxes();
    replot(QCustomPlot::rpRefreshHint);
}

void Chart::refreshNow() {
    refreshPending_ = false;
    fitAxes();
    replot(QCustomPlot::rpImmediateRefresh);
}

void Chart::fitAxes() {
    bool any = false;
    for (int i = 0; i < graphCount(); ++i)
        any = any || !graph(i)->data()->isEmpty();
    if (!any)
        return;
    rescaleAxes(true);
    addMargin(xAxis);
    addMargin(yAxis);
    xAxis2->setRange(xAxis->range());
    yAxis2->setRange(yAxis->range());
}

void Chart::showAllData() {
    fitAxes();
    replot(QCustomPlot::rpQueuedReplot);
}

std::optional<ChartPoint> Chart::nearestPoint(const QPointF &place) const {
    const QRect plot = axisRect()->rect();
    if (!plot.contains(place.toPoint()))
        return std::nullopt;
    std::optional<ChartPoint> nearest;
    double nearestDistance2 = kReadoutRadius * kReadoutRadius;
    for (int i = 0; i < graphCount(); ++i) {
        QCPGraph *series = graph(i);
        if (!series->visible() || series->data()->isEmpty())
            continue;
        QCPAxis *keyAxis = series->keyAxis();
        QCPAxis *valueAxis = series->valueAxis();
        // Only the points within the radius horizontally can be nearer than it: a binary
        // search finds them, so that hovering stays quick over 200,000 points.
        const double from = keyAxis->pixelToCoord(place.x() - kReadoutRadius);
        const double to = keyAxis->pixelToCoord(place.x() + kReadoutRadius);
        const auto end = series->data()->findEnd(std::max(from, to), false);
        for (auto it = series->data()->findBegin(std::min(from, to), false); it != end; ++it) {
            if (std::isnan(it->value))
                continue;
            const QPointF at(keyAxis->coordToPixel(it->key), valueAxis->coordToPixel(it->value));
            if (!plot.contains(at.toPoint()))
                continue;
            const double dx = at.x() - place.x();
            const double dy = at.y() - place.y();
            if (dx * dx + dy * dy <= nearestDistance2) {
                nearestDistance2 = dx * dx + dy * dy;
                nearest = ChartPoint{series, it->key, it->value};
            }
        }
    }
    return nearest;
}

QString Chart::readout(const ChartPoint &point) const {
    return QString("%1: %2\n%3: %4")
        .arg(titleOr(bottomTitle(), "x"), tickLabel(bottomLabels_, point.x), titleOr(leftTitle(), "y"),
             tickLabel(leftLabels_, point.y));
}

void Chart::showReadout(QMouseEvent *event) {
    // Not while panning: the points move under the cursor.
    if (event->buttons() != Qt::NoButton) {
        QToolTip::hideText();
        return;
    }
    const std::optional<ChartPoint> point = nearestPoint(event->position());
    if (point)
        QToolTip::showText(event->globalPosition().toPoint(), readout(*point), this);
    else
        QToolTip::hideText();
}

QString Chart::dataAsText() const {
    QList<QCPGraph *> shown;
    int rows = 0;
    for (int i = 0; i < graphCount(); ++i) {
        if (graph(i)->data()->isEmpty())
            continue;
        shown << graph(i);
        rows = std::max(rows, graph(i)->dataCount());
    }
    if (shown.isEmpty())
        return {};

    const QString x = titleOr(bottomTitle(), "x");
    const QString y = titleOr(leftTitle(), "y");
    QStringList header;
    for (QCPGraph *series : shown)
        header << series->name() + ": " + x << series->name() + ": " + y;
    QString text = header.join('\t') + '\n';
    for (int row = 0; row < rows; ++row) {
        QStringList cells;
        for (QCPGraph *series : shown) {
            if (row < series->dataCount()) {
                const auto point = series->data()->at(row);
                cells << dataCell(point->key) << dataCell(point->value);
            } else {
                cells << QString() << QString();
            }
        }
        text += cells.join('\t') + '\n';
    }
    return text;
}

Chart::ImageKind Chart::imageKind(const QString &path, int filterIndex) {
    if (path.endsWith(".pdf", Qt::CaseInsensitive))
        return ImageKind::Pdf;
    if (path.endsWith(".png", Qt::CaseInsensitive))
        return filterIndex == 1 ? ImageKind::PngTwiceThePixels : ImageKind::Png;
    switch (filterIndex) {
    case 1:
        return ImageKind::PngTwiceThePixels;
    case 2:
        return ImageKind::Pdf;
    default:
        return ImageKind::Png;
    }
}

void Chart::writeImage(const QString &path, ImageKind kind) {
    if (kind == ImageKind::Pdf) {
        // Cosmetic pens would keep their screen width at any zoom of the PDF.
        replaceFile(path, [this](const QString &temporary) { return savePdf(temporary, 0, 0, QCP::epNoCosmetic); });
        return;
    }
    // Twice the pixels at twice the resolution: the same size on paper, sharper.
    const double scale = kind == ImageKind::PngTwiceThePixels ? 2.0 : 1.0;
    const int dotsPerInch = kind == ImageKind::PngTwiceThePixels ? 192 : 96;
    replaceFile(path, [this, scale, dotsPerInch](const QString &temporary) {
        return savePng(temporary, 0, 0, scale, -1, dotsPerInch);
    });
}

void Chart::SaveImageClick() {
    // Proposed in the folder of the last image saved from any chart.
    static QString lastFolder;
    const QString name = (objectName().isEmpty() ? QStringLiteral("chart") : objectName()) + ".png";
    int filterIndex = 0;
    const QString path =
        dialogs().saveFileNameAndFilter(this, kImageFilter, lastFolder.isEmpty() ? name : QDir(lastFolder).filePath(name), filterIndex);
    if (path.isEmpty())
        return;
    writeImage(path, imageKind(path, filterIndex));
    lastFolder = QFileInfo(path).absolutePath();
}

void Chart::CopyDataClick() { QGuiApplication::clipboard()->setText(dataAsText()); }
