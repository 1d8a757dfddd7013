// Every modal dialog of the program goes through this interface, so that tests can script
// the user's answers and no test ever blocks on a real dialog. The application installs
// the Qt dialogs; a test installs a fake with setDialogs().
#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Filters use the program's own notation "Description|*.ext;*.ext2|Other|*.*";
    // filterIndex is 0-based. An empty result means the user cancelled.
    virtual QString openFileName(QWidget *parent, const QString &filter, int filterIndex, const QString &proposal) = 0;
    // Asks before an existing file is overwritten.
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &proposal) = 0;
    // The same, for a caller that needs the filter the user chose: filterIndex selects the
    // filter at first and holds the chosen one afterwards.
    virtual QString saveFileNameAndFilter(QWidget *parent, const QString &filter, const QString &proposal,
                                          int &filterIndex) = 0;

    // Modal error box with one OK button.
    virtual void error(QWidget *parent, const QString &message) = 0;
    // Plain modal message box with one OK button.
    virtual void message(QWidget *parent, const QString &message) = 0;

    // Printer set-up and print dialogs: false when cancelled. The printer keeps the choice.
    virtual bool printerSetup(QWidget *parent, QPrinter &printer) = 0;
    virtual bool print(QWidget *parent, QPrinter &printer) = 0;
};

// The dialogs in use: the Qt ones unless a test installed others.
Dialogs &dialogs();
void setDialogs(std::unique_ptr<Dialogs> replacement);

// "Description|*.a;*.b|..." as a Qt filter "Description (*.a *.b);;...".
QString qtFilter(const QString &filter);
// The Qt filter entry at filterIndex of a filter in the program's notation.
QString qtFilterEntry(const QString &filter, int filterIndex);
