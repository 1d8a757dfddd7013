// The help window: the user manual and the page on the method (both shipped inside the
// program), the web site's latest-information page and the laboratory's home page, in a
// web view with back and forward. The web view, and with it the browser engine, is made
// only when the first page is asked for.
#pragma once

#include <QUrl>
#include <QWidget>

class QPushButton;
class QVBoxLayout;
class QWebEngineView;

class TFormHTMLHowToUse : public QWidget {
    Q_OBJECT

public:
    explicit TFormHTMLHowToUse(QWidget *parent = nullptr);
    ~TFormHTMLHowToUse() override;

    // "How to use this application (Web)" of the main window: shows the window, or brings
    // it to the front, with whatever page it last showed.
    void showAndRaise();

    // Handlers.
    void ButtonHowToUseClick();
    void ButtonReferencesClick();
    void ButtonGetLatestInformationClick();
    void ButtonBackClick();
    void ButtonForwardClick();
    void ButtonQXLabClick();

    QWidget *Panel1;
    QPushButton *ButtonHowToUse;
    QPushButton *ButtonReferences;
    QPushButton *ButtonGetLatestInformation;
    QPushButton *ButtonBack;
    QPushButton *ButtonForward;
    QPushButton *ButtonQXLab;
    // Null until the first page button is pressed.
    QWebEngineView *CppWebBrowser = nullptr;

private:
    void navigate(const QUrl &address);

    QVBoxLayout *layout_;
    QWidget *emptyArea_;  // stands where the web view will be
};

// The program's help window while it exists; the main window opens it through this.
extern TFormHTMLHowToUse *FormHTMLHowToUse;

// For main(), before the application object exists. Chromium will not start as root with
// its sandbox on: the sandbox is turned off then, and only then.
void prepareWebEngine();
