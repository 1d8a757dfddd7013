// The chart wrapper: points kept in ascending X, gaps for what a logarithmic axis cannot
// show, the program's label patterns, and one redraw per pass of the event loop.
#include "ui/common/chart.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
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
};

QTEST_MAIN(ChartTest)
#include "chart_test.moc"
