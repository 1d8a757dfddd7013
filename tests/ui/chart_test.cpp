// The chart wrapper: points kept in ascending X, gaps for what a logarithmic axis cannot
// show, the program's label patterns, one redraw per pass of the event loop; zooming,
// panning and the hover read-out; saving images and copying the data.
#include "ui/common/chart.h"
#include "ui/common/dialogs.h"

#include "fake_dialogs.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <cmath>
#include <memory>
#include <vector>

namespace {

QStringList tickLabels(QCPAxis *axis, double lower, double upper) {
    QVector<double> ticks;
    QVector<QString> labels;
    axis->ticker()->generate(QCPRange(lower, upper), QLocale::c(), 'g', 6, ticks, nullptr, &labels);
    return QStringList(labels.begin(), labels.end());
}

QList<double> keys(const ChartSeries &series) {
    QList<double> result;
    for (auto it = series.graph()->data()->constBegin(); it != series.graph()->data()->constEnd(); ++it)
        result << it->key;
    return result;
}

// A chart laid out at a fixed size with data on both axes, ready for mouse events.
struct LaidOutChart {
    explicit LaidOutChart(AxisScale scale) {
        chart.resize(600, 400);
        chart.setBottomAxis("Discharge Time [s]", scale, AxisLabels::Grouped6);
        chart.setLeftAxis("Discharge Current [pA]", scale, AxisLabels::Scientific2);
        series = chart.addCircleSeries("Series1", Qt::red);
        for (int i = 0; i <= 60; ++i) {
            const double x = scale == AxisScale::Logarithmic ? std::pow(10.0, -3.0 + 0.1 * i) : 0.1 * i;
            series.add(x, scale == AxisScale::Logarithmic ? 1.0 / x : 6.0 - x);
        }
        chart.refreshNow();
    }
    QPoint centre() const { return chart.axisRect()->rect().center(); }
    // Decades spanned by a logarithmic axis, width of a linear one.
    static double span(const QCPAxis *axis) {
        const QCPRange range = axis->range();
        return axis->scaleType() == QCPAxis::stLogarithmic ? std::log10(range.upper / range.lower) : range.size();
    }
    Chart chart;
    ChartSeries series;
};

QPoint pixelOf(const Chart &chart, double x, double y) {
    return QPointF(chart.xAxis->coordToPixel(x), chart.yAxis->coordToPixel(y)).toPoint();
}

bool sameRange(const QCPRange &a, const QCPRange &b) {
    return std::abs(a.lower - b.lower) <= 1e-9 * std::abs(b.lower) + 1e-12 &&
           std::abs(a.upper - b.upper) <= 1e-9 * std::abs(b.upper) + 1e-12;
}

QAction *menuAction(const Chart &chart, const char *name) {
    QAction *action = chart.contextMenu()->findChild<QAction *>(name);
    if (!action)
        qFatal("no action %s", name);
    return action;
}

}  // namespace

class ChartTest : public QObject {
    Q_OBJECT

private slots:
    void pointsStaySortedByX() {
        Chart chart;
        ChartSeries series = chart.addCircleSeries("Series1", Qt::red);
        series.add(3.0, 30.0);
        series.add(1.0, 10.0);
        series.add(2.0, 20.0);
        QCOMPARE(keys(series), (QList<double>{1.0, 2.0, 3.0}));
        QCOMPARE(series.graph()->data()->at(1)->value, 20.0);

        const std::vector<double> xs{2.5, 0.5, 4.0}, ys{25.0, 5.0, 40.0};
        series.add(xs, ys);
        QCOMPARE(keys(series), (QList<double>{0.5, 1.0, 2.0, 2.5, 3.0, 4.0}));
        QCOMPARE(series.graph()->data()->at(0)->value, 5.0);
        QCOMPARE(series.count(), 6);

        series.clear();
        QCOMPARE(series.count(), 0);
        QCOMPARE(chart.series("Series1").graph(), series.graph());
        QVERIFY(!chart.series("Series9").graph());
    }

    // A value a logarithmic axis cannot show is kept as a gap (NaN), not drawn far outside.
    void logarithmicAxesShowGaps_data() {
        QTest::addColumn<bool>("logBottom");
        QTest::addColumn<bool>("logLeft");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<bool>("gap");
        QTest::newRow("log Y, positive") << false << true << 1.0 << 2.0 << false;
        QTest::newRow("log Y, zero") << false << true << 1.0 << 0.0 << true;
        QTest::newRow("log Y, negative") << false << true << 1.0 << -3.0 << true;
        QTest::newRow("log X, zero") << true << false << 0.0 << 5.0 << true;
        QTest::newRow("log X, negative") << true << false << -1.0 << 5.0 << true;
        QTest::newRow("linear, negative") << false << false << -1.0 << -5.0 << false;
    }
    void logarithmicAxesShowGaps() {
        QFETCH(bool, logBottom);
        QFETCH(bool, logLeft);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(bool, gap);
        Chart chart;
        chart.setBottomAxis("x", logBottom ? AxisScale::Logarithmic : AxisScale::Linear, AxisLabels::Grouped6);
        chart.setLeftAxis("y", logLeft ? AxisScale::Logarithmic : AxisScale::Linear, AxisLabels::Scientific2);
        ChartSeries one = chart.addLineSeries("one", Qt::black);
        ChartSeries many = chart.addLineSeries("many", Qt::black);
        one.add(x, y);
        many.add(std::vector<double>{x}, std::vector<double>{y});
        for (const ChartSeries &series : {one, many}) {
            QCOMPARE(series.count(), 1);
            QCOMPARE(series.graph()->data()->at(0)->key, x);
            QCOMPARE(std::isnan(series.graph()->data()->at(0)->value), gap);
        }
    }

    void axesUseTheLabelPatterns() {
        Chart chart;
        chart.setBottomAxis("Discharge Time [s]", AxisScale::Logarithmic, AxisLabels::Grouped6);
        chart.setLeftAxis("Emission Rate [s^-1]", AxisScale::Logarithmic, AxisLabels::Grouped4);
        QCOMPARE(chart.bottomTitle(), QString("Discharge Time [s]"));
        QCOMPARE(tickLabels(chart.xAxis, 0.001, 1000.0),
                 (QStringList{"0.001", "0.01", "0.1", "1", "10", "100", "1,000"}));
        const QStringList rates = tickLabels(chart.yAxis, 1e-4, 1e4);
        QVERIFY2(rates.contains("0.0001") && rates.contains("10,000"), qPrintable(rates.join(' ')));

        chart.setLeftAxis("Trap Sheet Density [cm^-2]", AxisScale::Linear, AxisLabels::Scientific2);
        const QStringList densities = tickLabels(chart.yAxis, -1e12, 3e12);
        QVERIFY2(densities.contains("0.00E+00") && densities.contains("1.00E+12"), qPrintable(densities.join(' ')));
        for (const QString &label : densities)
            QVERIFY2(QRegularExpression("^-?\\d\\.\\d\\dE[+-]\\d\\d$").match(label).hasMatch(), qPrintable(label));
        chart.setLeftTitle("KEST信号  [x1E12 cm^-2]");
        QCOMPARE(chart.leftTitle(), QString("KEST信号  [x1E12 cm^-2]"));
    }

    // Many changes in one handler are drawn once, and the axes then fit the data.
    void changesAreDrawnOncePerPass() {
        Chart chart;
        chart.setBottomAxis("t", AxisScale::Logarithmic, AxisLabels::Grouped6);
        ChartSeries series = chart.addCircleSeries("Series1", Qt::red);
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();  // the drawing after construction
        QSignalSpy replots(&chart, &QCustomPlot::afterReplot);
        for (int i = 1; i <= 1000; ++i)
            series.add(0.01 * i, i);
        series.clear();
        for (int i = 1; i <= 1000; ++i)
            series.add(0.01 * i, i);
        QVERIFY(replots.wait(5000));
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(replots.count(), 1);
        QVERIFY(chart.xAxis->range().contains(0.01) && chart.xAxis->range().contains(10.0));
        QVERIFY(chart.yAxis->range().contains(1.0) && chart.yAxis->range().contains(1000.0));
    }

    // One wheel step scales each axis by the zoom factor around the value under the cursor:
    // a logarithmic axis by its number of decades, a linear one by its width.
    void wheelZoomsBothAxesAroundTheCursor_data() {
        QTest::addColumn<bool>("logarithmic");
        QTest::newRow("logarithmic") << true;
        QTest::newRow("linear") << false;
    }
    void wheelZoomsBothAxesAroundTheCursor() {
        QFETCH(bool, logarithmic);
        LaidOutChart fixture(logarithmic ? AxisScale::Logarithmic : AxisScale::Linear);
        Chart &chart = fixture.chart;
        const QPoint at = fixture.centre() + QPoint(37, -23);
        const double xBefore = chart.xAxis->pixelToCoord(at.x());
        const double yBefore = chart.yAxis->pixelToCoord(at.y());
        const double xSpan = LaidOutChart::span(chart.xAxis);
        const double ySpan = LaidOutChart::span(chart.yAxis);

        QWheelEvent wheel(at, chart.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&chart, &wheel);

        const double factor = chart.axisRect()->rangeZoomFactor(Qt::Horizontal);
        QVERIFY(factor < 1.0);
        QCOMPARE(LaidOutChart::span(chart.xAxis), xSpan * factor);
        QCOMPARE(LaidOutChart::span(chart.yAxis), ySpan * chart.axisRect()->rangeZoomFactor(Qt::Vertical));
        QCOMPARE(chart.xAxis->pixelToCoord(at.x()), xBefore);
        QCOMPARE(chart.yAxis->pixelToCoord(at.y()), yBefore);
    }

    // Dragging moves both axes with the cursor without changing the span; a double-click
    // brings back the view of all the data.
    void dragPansAndDoubleClickShowsAllData() {
        LaidOutChart fixture(AxisScale::Logarithmic);
        Chart &chart = fixture.chart;
        const QCPRange fullX = chart.xAxis->range();
        const QCPRange fullY = chart.yAxis->range();
        const QPoint from = fixture.centre();
        const QPoint to = from + QPoint(-120, 60);
        const double xUnderCursor = chart.xAxis->pixelToCoord(from.x());
        const double yUnderCursor = chart.yAxis->pixelToCoord(from.y());

        QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(chart.mapToGlobal(to)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&chart, &move);
        QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, to);

        QVERIFY(!sameRange(chart.xAxis->range(), fullX));
        QCOMPARE(LaidOutChart::span(chart.xAxis), std::log10(fullX.upper / fullX.lower));
        QCOMPARE(LaidOutChart::span(chart.yAxis), std::log10(fullY.upper / fullY.lower));
        QCOMPARE(chart.xAxis->pixelToCoord(to.x()), xUnderCursor);
        QCOMPARE(chart.yAxis->pixelToCoord(to.y()), yUnderCursor);

        QTest::mouseDClick(&chart, Qt::LeftButton, Qt::NoModifier, to);
        QVERIFY(sameRange(chart.xAxis->range(), fullX));
        QVERIFY(sameRange(chart.yAxis->range(), fullY));
    }

    // The read-out picks the point nearest on screen across the visible series, skips gaps
    // and hidden series, and shows nothing when no point is near.
    void readoutShowsTheNearestPoint() {
        Chart chart;
        chart.resize(600, 400);
        chart.setBottomAxis("Discharge Time [s]", AxisScale::Logarithmic, AxisLabels::Grouped6);
        chart.setLeftAxis("Discharge Current [pA]", AxisScale::Logarithmic, AxisLabels::Scientific2);
        ChartSeries measured = chart.addCircleSeries("Series1", Qt::red);
        ChartSeries curve = chart.addLineSeries("Series6", Qt::black);
        ChartSeries hidden = chart.addCircleSeries("Series2", Qt::blue);
        measured.add(std::vector<double>{0.001, 0.01, 0.1, 1.0, 10.0}, std::vector<double>{500.0, 120.0, 0.0, 8.0, 1.5});
        curve.add(std::vector<double>{0.0125, 1.25}, std::vector<double>{118.0, 7.5});
        hidden.add(0.1, 50.0);
        hidden.graph()->setVisible(false);
        chart.refreshNow();

        struct Case {
            const char *what;
            QPoint place;
            QCPGraph *graph;
            double x, y;
        };
        const Case cases[] = {
            {"on a measured point", pixelOf(chart, 10.0, 1.5) + QPoint(3, -2), measured.graph(), 10.0, 1.5},
            {"the curve's point is nearer", pixelOf(chart, 0.0125, 118.0) + QPoint(-2, 1), curve.graph(), 0.0125, 118.0},
            {"between two series", pixelOf(chart, 1.0, 8.0) + QPoint(4, 0), measured.graph(), 1.0, 8.0},
            {"a gap and a hidden point only", pixelOf(chart, 0.1, 50.0), nullptr, 0.0, 0.0},
            {"too far from any point", pixelOf(chart, 10.0, 1.5) + QPoint(-int(Chart::kReadoutRadius) - 15, 0), nullptr, 0.0, 0.0},
            {"outside the plot", QPoint(2, 2), nullptr, 0.0, 0.0},
        };
        for (const Case &c : cases) {
            const std::optional<ChartPoint> point = chart.nearestPoint(c.place);
            QVERIFY2(point.has_value() == (c.graph != nullptr), c.what);
            if (!point)
                continue;
            QVERIFY2(point->graph == c.graph, c.what);
            QCOMPARE(point->x, c.x);
            QCOMPARE(point->y, c.y);
        }

        QCOMPARE(chart.readout({measured.graph(), 0.0125, 1234.5}),
                 QString("Discharge Time [s]: 0.0125\nDischarge Current [pA]: 1.23E+03"));

        // Hovering shows it as a tooltip.
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QPoint hover = pixelOf(chart, 10.0, 1.5) + QPoint(1, 1);
        QMouseEvent move(QEvent::MouseMove, QPointF(hover), QPointF(chart.mapToGlobal(hover)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&chart, &move);
        QTRY_COMPARE(QToolTip::text(), QString("Discharge Time [s]: 10\nDischarge Current [pA]: 1.50E+00"));
    }

    // "Copy data": a header naming series and axes, then x and y of each series side by
    // side as drawn, in the "%g" format; gaps and the rows past a shorter series empty;
    // empty series left out.
    void copyDataPutsTheSeriesAsTabSeparatedText() {
        Chart chart;
        chart.setBottomAxis("Discharge Time [s]", AxisScale::Logarithmic, AxisLabels::Grouped6);
        chart.setLeftAxis("Discharge Current [pA]", AxisScale::Logarithmic, AxisLabels::Scientific2);
        ChartSeries measured = chart.addCircleSeries("Series1", Qt::red);
        chart.addCrossSeries("Series2", Qt::magenta, 20);
        ChartSeries curve = chart.addLineSeries("Series6", Qt::black);
        measured.add(std::vector<double>{0.001, 0.0123456789, 2.5}, std::vector<double>{1234567.0, 0.0, 1e-5});
        curve.add(0.002, 3.25);
        QCOMPARE(chart.dataAsText(), QString("Series1: Discharge Time [s]\tSeries1: Discharge Current [pA]\t"
                                             "Series6: Discharge Time [s]\tSeries6: Discharge Current [pA]\n"
                                             "0.001\t1.23457e+06\t0.002\t3.25\n"
                                             "0.0123457\t\t\t\n"
                                             "2.5\t1e-05\t\t\n"));

        menuAction(chart, "CopyData")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), chart.dataAsText());

        Chart empty;
        empty.addLineSeries("Series9", Qt::black);
        QCOMPARE(empty.dataAsText(), QString());
    }

    // "Save image…": the name's ending or else the chosen filter decides between a PNG of
    // the chart's size, one of twice its pixels, and a PDF; cancelling writes nothing.
    void saveImageWritesPngOrPdf_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<int>("scale");  // 0: a PDF
        QTest::newRow("PNG") << "chart.png" << 0 << 1;
        QTest::newRow("PNG, twice the pixels") << "chart.png" << 1 << 2;
        QTest::newRow("PDF by name") << "chart.PDF" << 0 << 0;
        QTest::newRow("PDF by filter") << "chart" << 2 << 0;
        QTest::newRow("twice the pixels by filter") << "chart" << 1 << 2;
        QTest::newRow("PNG by name, PDF filter") << "chart.png" << 2 << 1;
    }
    void saveImageWritesPngOrPdf() {
        QFETCH(QString, name);
        QFETCH(int, filterIndex);
        QFETCH(int, scale);
        auto fake = std::make_unique<FakeDialogs>();
        FakeDialogs *answers = fake.get();
        setDialogs(std::move(fake));
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        LaidOutChart fixture(AxisScale::Logarithmic);
        fixture.chart.setObjectName("ChartDischarge");
        answers->saveAnswers = {path};
        answers->saveFilterAnswers = {filterIndex};

        menuAction(fixture.chart, "SaveImage")->trigger();

        QCOMPARE(answers->errors, QStringList());
        QCOMPARE(answers->saveRequests.size(), std::size_t(1));
        QCOMPARE(answers->saveRequests[0].filter, Chart::kImageFilter);
        QVERIFY(answers->saveRequests[0].proposal.endsWith("ChartDischarge.png"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (scale == 0) {
            QVERIFY(bytes.startsWith("%PDF-"));
        } else {
            QImage image;
            QVERIFY(image.loadFromData(bytes, "PNG"));
            QCOMPARE(image.size(), QSize(600, 400) * scale);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{name});  // no temporary file left

        answers->saveAnswers = {QString()};
        QVERIFY(file.remove());
        menuAction(fixture.chart, "SaveImage")->trigger();
        QVERIFY(!QFile::exists(path));
        setDialogs(nullptr);
    }

    // An image that cannot be written is an error and leaves no temporary file behind.
    void imageThatCannotBeWrittenIsAnError() {
        auto fake = std::make_unique<FakeDialogs>();
        FakeDialogs *answers = fake.get();
        setDialogs(std::move(fake));
        QTemporaryDir folder;
        LaidOutChart fixture(AxisScale::Linear);
        answers->saveAnswers = {folder.filePath("missing/chart.png")};
        menuAction(fixture.chart, "SaveImage")->trigger();
        QCOMPARE(answers->errors.size(), 1);
        QVERIFY(answers->errors[0].startsWith(folder.filePath("missing/chart.png")));

        // A folder in the way: the image is complete but cannot take its place, and its
        // temporary file goes.
        QVERIFY(QDir(folder.path()).mkdir("taken.png"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, fixture.chart.writeImage(folder.filePath("taken.png"), Chart::ImageKind::Png));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
        QVERIFY(QFileInfo(folder.filePath("taken.png")).isDir());
        setDialogs(nullptr);
    }
};

QTEST_MAIN(ChartTest)
#include "chart_test.moc"
