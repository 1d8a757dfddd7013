// Scripted answers for the program's modal dialogs, so window tests never block.
#pragma once

#include "ui/common/dialogs.h"

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <deque>

class FakeDialogs : public Dialogs {
public:
    // Answers handed out in order; an empty string stands for "Cancel".
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    // Filters chosen in the save dialogs that report one; when empty the user keeps the first offered.
    std::deque<int> saveFilterAnswers;
    // What the program asked.
    struct Request {
        QString filter;
        int filterIndex;
        QString proposal;
    };
    std::deque<Request> openRequests, saveRequests;
    QStringList errors, messages;
    bool acceptPrinterSetup = true;
    bool acceptPrint = true;
    QString printToPdf;  // when set, the printer is switched to PDF output at this path

    QString openFileName(QWidget *, const QString &filter, int filterIndex, const QString &proposal) override {
        openRequests.push_back({filter, filterIndex, proposal});
        return take(openAnswers);
    }
    QString saveFileName(QWidget *, const QString &filter, const QString &proposal) override {
        saveRequests.push_back({filter, 0, proposal});
        return take(saveAnswers);
    }
    QString saveFileNameAndFilter(QWidget *, const QString &filter, const QString &proposal, int &filterIndex) override {
        saveRequests.push_back({filter, filterIndex, proposal});
        if (!saveFilterAnswers.empty()) {
            filterIndex = saveFilterAnswers.front();
            saveFilterAnswers.pop_front();
        }
        return take(saveAnswers);
    }
    void error(QWidget *, const QString &message) override { errors << message; }
    void message(QWidget *, const QString &message) override { messages << message; }
    bool printerSetup(QWidget *, QPrinter &printer) override {
        preparePdf(printer);
        return acceptPrinterSetup;
    }
    bool print(QWidget *, QPrinter &printer) override {
        preparePdf(printer);
        return acceptPrint;
    }

private:
    static QString take(std::deque<QString> &answers) {
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void preparePdf(QPrinter &printer) const {
        if (!printToPdf.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printToPdf);
        }
    }
};
