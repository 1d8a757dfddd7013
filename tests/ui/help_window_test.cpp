// The help window and the version dialog. The pages are shown by Chromium; where it cannot
// start, the browser tests are skipped with a message that ctest reports as a skip.
#include "engine/analysis.h"
#include "fake_dialogs.h"
#include "ui/help/about_box.h"
#include "ui/help/help_pages.h"
#include "ui/help/help_window.h"
#include "ui/help/program_icon.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <memory>

namespace {

// Records every address the browser asks for and keeps it off the network.
class OfflineInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    QList<QUrl> requested;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override {
        requested << info.requestUrl();
        if (info.requestUrl().scheme() != QLatin1String("qrc"))
            info.block(true);
    }
};

constexpr int kPageTimeout_ms = 60000;

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TFormHTMLHowToUse> window;
    OfflineInterceptor interceptor;

    // Presses a page button and waits until the page is shown.
    bool loadPage(QPushButton *button, bool expectSuccess = true) {
        QWebEngineView *before = window->CppWebBrowser;
        QTest::mouseClick(button, Qt::LeftButton);
        QWebEngineView *view = window->CppWebBrowser;
        if (!view || (before && before != view))
            return false;
        return waitForLoad(view, expectSuccess);
    }
    bool waitForLoad(QWebEngineView *view, bool expectSuccess = true) {
        QSignalSpy finished(view, &QWebEngineView::loadFinished);
        QSignalSpy crashed(view->page(), &QWebEnginePage::renderProcessTerminated);
        if (!finished.wait(kPageTimeout_ms) || !crashed.isEmpty()) {
            cannotStart = true;
            return false;
        }
        return finished.first().first().toBool() == expectSuccess;
    }
    bool cannotStart = false;

#define LOAD_OR_SKIP(call)                                                                       \
    do {                                                                                         \
        const bool loaded = (call);                                                              \
        if (cannotStart)                                                                         \
            QSKIP("WebEngine cannot start here: no page was rendered");                          \
        QVERIFY(loaded);                                                                         \
    } while (false)

private slots:
    void initTestCase() {
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&interceptor);
        C.Version = kVersionText;
    }
    void init() {
        interceptor.requested.clear();
        window = std::make_unique<TFormHTMLHowToUse>();
    }
    void cleanup() { window.reset(); }

    void startsEmptyWithoutABrowser() {
        QCOMPARE(window->windowTitle(), QStringLiteral("How To Use This Application via Web"));
        QStringList captions;
        for (QPushButton *b : window->Panel1->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly))
            captions << b->objectName() + '=' + b->text();
        QCOMPARE(captions, (QStringList{"ButtonHowToUse=How To Use", "ButtonReferences=References to KEST",
                                        "ButtonGetLatestInformation=Get latest information", "ButtonBack=<< Back",
                                        "ButtonForward=Forward >>", "ButtonQXLab=Go to Tesmar Laboratory"}));
        window->showAndRaise();
        QVERIFY(window->isVisible());
        QTest::mouseClick(window->ButtonBack, Qt::LeftButton);
        QTest::mouseClick(window->ButtonForward, Qt::LeftButton);
        window->close();
        window->showAndRaise();
        QVERIFY(!window->CppWebBrowser);
        QVERIFY(!window->findChild<QWebEngineView *>());
        QVERIFY(interceptor.requested.isEmpty());
        QVERIFY(!window->testAttribute(Qt::WA_QuitOnClose));
    }

    void everyLinkOfTheManualLeadsToAPage() {
        initHelpResources();
        const QRegularExpression link(QStringLiteral(R"((?:href|src)="([^"#:]+)(#[^"]*)?")"));
        int pages = 0;
        for (const char *page : {"index.html", "theory.html"}) {
            QFile file(QStringLiteral(":/kest/manual/") + QLatin1String(page));
            QVERIFY2(file.open(QIODevice::ReadOnly), page);
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY(!html.contains(QLatin1String("TODO")));
            for (const QRegularExpressionMatch &m : link.globalMatch(html)) {
                const QString target = QStringLiteral(":/kest/manual/") + m.captured(1);
                QVERIFY2(QFile::exists(target), qPrintable(QLatin1String(page) + QStringLiteral(" -> ") + m.captured(1)));
            }
            ++pages;
        }
        QCOMPARE(pages, 2);
    }

    void showsTheManualAndKeepsItWhileClosed() {
        window->showAndRaise();
        LOAD_OR_SKIP(loadPage(window->ButtonHowToUse));
        QWebEngineView *view = window->CppWebBrowser;
        QCOMPARE(view->url(), QUrl(QString::fromLatin1(kHowToUseAddress)));
        QCOMPARE(view->title(), QStringLiteral("Analysis for KEST — User manual"));

        LOAD_OR_SKIP(loadPage(window->ButtonReferences));
        QCOMPARE(view->url(), QUrl(QString::fromLatin1(kReferencesAddress)));

        window->close();
        window->showAndRaise();
        QCOMPARE(window->CppWebBrowser, view);
        QCOMPARE(view->url(), QUrl(QString::fromLatin1(kReferencesAddress)));

        QTest::mouseClick(window->ButtonBack, Qt::LeftButton);
        LOAD_OR_SKIP(waitForLoad(view));
        QCOMPARE(view->url(), QUrl(QString::fromLatin1(kHowToUseAddress)));
        QTest::mouseClick(window->ButtonForward, Qt::LeftButton);
        LOAD_OR_SKIP(waitForLoad(view));
        QCOMPARE(view->url(), QUrl(QString::fromLatin1(kReferencesAddress)));
    }

    void webButtonsAskForTheSiteAddresses() {
        window->showAndRaise();
        LOAD_OR_SKIP(loadPage(window->ButtonGetLatestInformation, false));
        LOAD_OR_SKIP(loadPage(window->ButtonQXLab, false));
        QVERIFY(interceptor.requested.contains(QUrl(QString::fromLatin1(kLatestInformationAddress))));
        QVERIFY(interceptor.requested.contains(QUrl(QString::fromLatin1(kLaboratoryAddress))));
        for (const QUrl &address : interceptor.requested)
            QVERIFY2(address.host().endsWith(QLatin1String("example.org")), qPrintable(address.toString()));
    }

    void versionInformationShowsTheVersionOfStartUp() {
        C.Version = "left over";
        TFormMain main;
        TAboutBox box(&main);
        C.Version = "changed later";
        QString shown;
        QTimer::singleShot(0, &box, [&] {
            shown = box.LabelVersionInformation->text();
            QTest::mouseClick(box.OKButton, Qt::LeftButton);
            if (box.isVisible())
                box.reject();
        });
        main.About1->trigger();
        QCOMPARE(shown, QStringLiteral("Version 1.00 (2007/1/23)"));
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));

        QCOMPARE(box.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(box.LabelVersionInformation->text(), QStringLiteral("Version 1.00 (2007/1/23)"));
        QCOMPARE(box.ProductName->text(), QStringLiteral("Analysis for KEST"));
        QCOMPARE(box.Version->text(), QStringLiteral("Since 2000/12/18"));
        QCOMPARE(box.Comments->text(), QStringLiteral("Method for deteriming trap density and emission rate"));
        QVERIFY(box.Comments->wordWrap());
        QCOMPARE(box.ProgramIcon->pixmap().size(), QSize(32, 32));
        QCOMPARE(box.ProgramIcon->size(), QSize(32, 32));
        QVERIFY(box.OKButton->isDefault());
        QCOMPARE(box.layout()->sizeConstraint(), QLayout::SetFixedSize);
        C.Version = kVersionText;
    }

    void helpOfTheMainWindowShowsTheWindowWithoutLoading() {
        TFormMain main;
        main.HTMLHowToUse->trigger();
        QVERIFY(window->isVisible());
        QVERIFY(!window->CppWebBrowser);
        QVERIFY(interceptor.requested.isEmpty());
    }

    void programIconComesInEverySize() {
        const QIcon icon = programIcon();
        for (int size : {16, 32, 256})
            QCOMPARE(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
    }
};

int main(int argc, char **argv) {
    prepareWebEngine();
    QApplication app(argc, argv);
    HelpWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "help_window_test.moc"
