// The program's charts: a QCustomPlot with a bottom and a left axis and a few named series,
// offering only what the windows do with them: empty a series, add a point, set an axis
// title. Axes are linear or logarithmic with one of the program's label patterns; a value
// that a logarithmic axis cannot show becomes a gap. Changes are collected and drawn once
// per pass of the event loop, so a handler that adds 200,000 points draws once.
//
// The user looks closer without changing anything: the wheel zooms and dragging pans both
// axes (a logarithmic axis by factors, so evenly in decades), a double-click shows all the
// data again, and hovering shows the nearest point. The context menu saves the chart as an
// image and copies the series as tab-separated text.
#pragma once

#include <QColor>
#include <QString>

#include <qcustomplot.h>

#include <optional>
#include <span>

class Chart;

enum class AxisScale { Linear, Logarithmic };

// Tick label patterns of the axes.
enum class AxisLabels {
    Grouped6,     // "#,##0.######"
    Grouped4,     // "#,##0.####"
    Scientific2,  // "0.00E+00"
};

// A handle on one series of a chart; cheap to copy, valid as long as its chart.
class ChartSeries {
public:
    ChartSeries() = default;
    ChartSeries(Chart *chart, QCPGraph *graph) : chart_(chart), graph_(graph) {}

    void clear();
    // Adds one point at its place in ascending X.
    void add(double x, double y);
    // Adds the points (xs[i], ys[i]) in one go.
    void add(std::span<const double> xs, std::span<const double> ys);

    int count() const;
    QString name() const;
    QCPGraph *graph() const { return graph_; }

private:
    Chart *chart_ = nullptr;
    QCPGraph *graph_ = nullptr;
};

// A point of a series as drawn, in data coordinates.
struct ChartPoint {
    QCPGraph *graph = nullptr;
    double x = 0.0;
    double y = 0.0;
};

class Chart : public QCustomPlot {
    Q_OBJECT
public:
    explicit Chart(QWidget *parent = nullptr);

    void setBottomAxis(const QString &title, AxisScale scale, AxisLabels labels);
    void setLeftAxis(const QString &title, AxisScale scale, AxisLabels labels);
    void setBottomTitle(const QString &title);
    void setLeftTitle(const QString &title);
    QString bottomTitle() const;
    QString leftTitle() const;
    bool isBottomLogarithmic() const { return logBottom_; }
    bool isLeftLogarithmic() const { return logLeft_; }

    // Points drawn as filled circles.
    ChartSeries addCircleSeries(const QString &name, const QColor &colour);
    // Points drawn as upright crosses of the given height in pixels.
    ChartSeries addCrossSeries(const QString &name, const QColor &colour, int heightPixels);
    // A thin line through the points.
    ChartSeries addLineSeries(const QString &name, const QColor &colour);

    // The series of that name, or an empty handle.
    ChartSeries series(const QString &name);
    int seriesCount() const { return graphCount(); }

    // Fits the axes to the data and draws now instead of at the next pass of the event loop.
    void refreshNow();
    // Back to the whole data after zooming or panning, as a double-click does.
    void showAllData();

    // The point of a visible series nearest on screen to a place on the chart, when one is
    // drawn inside the plot within kReadoutRadius pixels of it.
    static constexpr double kReadoutRadius = 20.0;
    std::optional<ChartPoint> nearestPoint(const QPointF &place) const;
    // "bottom title: x" and "left title: y" on two lines, in the axes' label patterns.
    QString readout(const ChartPoint &point) const;

    // The series that hold points as tab-separated text: a header line, then one line per
    // point index with an x and a y column per series, as drawn, in the files' "%g" format.
    // A gap and the rows beyond a shorter series are empty cells.
    QString dataAsText() const;

    // "Save image…": the kinds of image in the order of its filters.
    enum class ImageKind { Png, PngTwiceThePixels, Pdf };
    static const QString kImageFilter;
    // The kind a name asks for: its ending ".png" or ".pdf", otherwise the chosen filter.
    static ImageKind imageKind(const QString &path, int filterIndex);
    // Writes the chart as it is shown: a PNG of its size on screen or of twice its pixels,
    // or a vector PDF. The file is replaced only once the image is complete. Throws
    // std::runtime_error on failure.
    void writeImage(const QString &path, ImageKind kind);

    // Context menu handlers.
    void SaveImageClick();
    void CopyDataClick();
    QMenu *contextMenu() const { return contextMenu_; }

private:
    friend class ChartSeries;
    ChartSeries addSeries(const QString &name, const QColor &colour);
    // The point as drawn: a value that an axis cannot show (<= 0 on a logarithmic axis)
    // leaves a gap.
    double shownValue(double x, double y) const;
    void scheduleRefresh();
    void refresh();
    void fitAxes();
    void showReadout(QMouseEvent *event);

    bool logBottom_ = false;
    bool logLeft_ = false;
    AxisLabels bottomLabels_ = AxisLabels::Grouped6;
    AxisLabels leftLabels_ = AxisLabels::Scientific2;
    QMenu *contextMenu_ = nullptr;
    bool refreshPending_ = false;
};
