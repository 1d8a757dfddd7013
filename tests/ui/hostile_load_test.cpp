// Hostile measured-data and interpolated-data files through the main window's load
// handlers: each gives one error box naming the file, and the analysis on screen and in the
// record stays as it was. Files whose header reads but whose data cannot be smoothed load,
// and the smoothing then refuses them with one error box.
#include "engine/analysis.h"
#include "ui/common/chart.h"
#include "ui/common/dialogs.h"
#include "ui/main/main_window.h"

#include "../engine/hostile_files.h"
#include "fake_dialogs.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class HostileLoadTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TFormMain> window;
    FakeDialogs *answers = nullptr;
    QTemporaryDir folder;
    QString good;

    QString write(const QString &name, const std::string &bytes) {
        const QString path = folder.filePath(name);
        writeBytes(path.toStdString(), bytes);
        return path;
    }
    QString label(const char *name) { return window->findChild<QLabel *>(name)->text(); }
    int curvePoints() { return window->findChild<Chart *>("ChartDischarge")->series("Series6").count(); }

private slots:
    void init() {
        C = Analysis();
        FilenameOriginal.clear();
        auto fake = std::make_unique<FakeDialogs>();
        answers = fake.get();
        setDialogs(std::move(fake));
        window = std::make_unique<TFormMain>();
        good = write("good.DIS0", readBytes(testData("golden.DIS0")));
        answers->openAnswers.push_back(good);
        window->LoadDIS0->trigger();
        QVERIFY(answers->errors.isEmpty());
        QTest::mouseClick(window->findChild<QPushButton *>("ButtonSmoothing"), Qt::LeftButton);
        QVERIFY2(answers->errors.isEmpty(), qPrintable(answers->errors.join('\n')));
    }
    void cleanup() {
        window.reset();
        setDialogs(nullptr);
    }

    void measuredDataFiles() {
        const std::string golden = readBytes(testData("golden.DIS0"));
        for (const Hostile &c : kDis0) {
            const QString path = write("hostile.DIS0", c.make(golden));
            const Analysis before = C;
            const int curve = curvePoints();
            answers->errors.clear();
            answers->openAnswers.push_back(path);
            window->LoadDIS0->trigger();
            if (answers->errors.isEmpty()) {
                // The file was read; its data must then be refused by the smoothing.
                QTest::mouseClick(window->findChild<QPushButton *>("ButtonSmoothing"), Qt::LeftButton);
                QVERIFY2(answers->errors.size() == 1, c.name);
                QVERIFY2(answers->errors[0].contains(c.expected), qPrintable(answers->errors[0]));
                QCOMPARE(curvePoints(), 0);
                answers->errors.clear();
                answers->openAnswers.push_back(good);
                window->LoadDIS0->trigger();
                QTest::mouseClick(window->findChild<QPushButton *>("ButtonSmoothing"), Qt::LeftButton);
                QVERIFY(answers->errors.isEmpty());
                continue;
            }
            QVERIFY2(answers->errors.size() == 1, c.name);
            QVERIFY2(answers->errors[0].startsWith(path + ": "), qPrintable(answers->errors[0]));
            QVERIFY2(answers->errors[0].contains(c.expected), qPrintable(answers->errors[0]));
            QCOMPARE(C.FilenameDIS0, before.FilenameDIS0);
            QCOMPARE(C.Time, before.Time);
            QCOMPARE(C.NumberOfInterpolatedData, before.NumberOfInterpolatedData);
            QCOMPARE(label("LabelFilenameDIS0"), good);
            QCOMPARE(curvePoints(), curve);
        }
    }

    void interpolatedDataFiles() {
        const std::string golden = readBytes(testData("golden.DIS1"));
        for (const Hostile &c : kDis1) {
            const QString path = write("hostile.DIS1", c.make(golden));
            const Analysis before = C;
            answers->errors.clear();
            answers->openAnswers.push_back(path);
            window->LoadDIS1->trigger();
            QVERIFY2(answers->errors.size() == 1, c.name);
            QVERIFY2(answers->errors[0].startsWith(path + ": "), qPrintable(answers->errors[0]));
            QVERIFY2(answers->errors[0].contains(c.expected), qPrintable(answers->errors[0]));
            QCOMPARE(C.NumberOfInterpolatedData, before.NumberOfInterpolatedData);
            QCOMPARE(C.FilenameDIS1, before.FilenameDIS1);
            QVERIFY(!window->findChild<QPushButton *>("ButtonCalculationKEST1")->isEnabled());
        }
    }

    void pathsThatAreNotFiles() {
        const QString directory = folder.filePath("folder.DIS0");
        QDir().mkpath(directory);
        answers->openAnswers.push_back(directory);
        window->LoadDIS0->trigger();
        QCOMPARE(answers->errors, QStringList{directory + ": is a directory, not a file"});
        QCOMPARE(label("LabelFilenameDIS0"), good);
    }
};

QTEST_MAIN(HostileLoadTest)
#include "hostile_load_test.moc"
