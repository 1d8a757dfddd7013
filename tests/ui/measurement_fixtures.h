// Small measurements for the window tests, as the text of *.DIS0 and *.DIS1 files.
#pragma once

#include <QString>
#include <QStringList>

#include <cmath>

// Time of measured point i in the fixtures: 0.001 s apart, exact in the file's 6 digits.
inline double fixtureTime(int i) { return 0.001 * (i + 1); }
inline double fixtureCurrent(int i) { return 2.5e-12 * (i + 1); }

inline QString sampleHeader(const QString &title, const QStringList &fileLines, int n, int begin, int end) {
    QStringList lines{title, "% Original file: /raw/run7.txt"};
    lines << fileLines;
    lines << "% Name of measurement: K. Sato"
          << "% Date of measurement: 2006/11/16"
          << "% Name of analysis: T. Mori"
          << "% Date of Analysis: 2007/01/28"
          << "% Sample number: RT1"
          << "% Material: pentacene"
          << "% Measurement temperature [K]: 293.15"
          << "% Junction area [mm^2]: 0.785"
          << "% Sample thickness [nm]: 45.5"
          << "% Charge voltage [V]: 5"
          << "% Charging time [s]: 1800"
          << "% Discharge voltage [V]: -0.5"
          << "% note on the run"
          << QString("% Number of data: %1").arg(n) << QString("% Index of beginning data: %1").arg(begin)
          << QString("% Index of ending data: %1").arg(end);
    return lines.join("\r\n") + "\r\n";
}

inline QString dis0Text(int n, int begin, int end, const QString &storedPath) {
    QString text = sampleHeader("% Data of Discharge Current", {"% DIS0 file: " + storedPath}, n, begin, end);
    text += "% Time [s]   Current [A]   Reliability   \r\n";
    for (int i = 0; i < n; ++i)
        text += QString("%1     %2     1\r\n").arg(fixtureTime(i), 0, 'g', 6).arg(fixtureCurrent(i), 0, 'g', 6);
    return text;
}

// A decaying interpolated curve of m grid points, 0.001 decade apart from 1 ms.
inline QString dis1Text(int m, const QString &storedDis0, const QString &storedDis1) {
    QString text = sampleHeader("% Data of Interpolated Discharge Current",
                                {"% DIS0 file: " + storedDis0, "% DIS1 file: " + storedDis1}, 500, 10, 400);
    text += QString("% Number of interpolated data: %1\r\n").arg(m);
    text += "% Time [s]   Interpolated Current [A] \r\n";
    for (int g = 0; g < m; ++g) {
        const double t = std::pow(10.0, -3.0 + 0.001 * g);
        text += QString("%1     %2\r\n").arg(t, 0, 'g', 6).arg(1e-9 * std::exp(-10.0 * t) + 1e-13, 0, 'g', 6);
    }
    return text;
}
