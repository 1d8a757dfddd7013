// The version dialog: program name, version and what the method is for. Created once at
// start-up, after the main window has set the record's version text, and shown modally.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
    ~TAboutBox() override;

    // "Version Information" of the main window.
    int showModally();

    QFrame *Panel1;
    QLabel *ProgramIcon;
    QLabel *ProductName;
    QLabel *LabelVersionInformation;
    QLabel *Version;
    QLabel *Comments;
    QPushButton *OKButton;

protected:
    void showEvent(QShowEvent *event) override;
};

// The program's version dialog while it exists; the main window opens it through this.
extern TAboutBox *AboutBox;
