#include "ui/help/help_window.h"

#include "ui/common/error_guard.h"
#include "ui/help/help_pages.h"
#include "ui/help/program_icon.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include <unistd.h>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption) {
    auto *result = new QPushButton(caption, parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

}  // namespace

TFormHTMLHowToUse *FormHTMLHowToUse = nullptr;

void prepareWebEngine() {
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

TFormHTMLHowToUse::TFormHTMLHowToUse(QWidget *parent) : QWidget(parent) {
    FormHTMLHowToUse = this;
    initHelpResources();
    setObjectName(QStringLiteral("FormHTMLHowToUse"));
    setWindowTitle(QStringLiteral("How To Use This Application via Web"));
    // The help lives beside the main window; closing the main window ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(960, 720);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    ButtonHowToUse = button(Panel1, "ButtonHowToUse", QStringLiteral("How To Use"));
    ButtonReferences = button(Panel1, "ButtonReferences", QStringLiteral("References to KEST"));
    ButtonGetLatestInformation = button(Panel1, "ButtonGetLatestInformation", QStringLiteral("Get latest information"));
    ButtonBack = button(Panel1, "ButtonBack", QStringLiteral("<< Back"));
    ButtonForward = button(Panel1, "ButtonForward", QStringLiteral("Forward >>"));
    ButtonQXLab = button(Panel1, "ButtonQXLab", QStringLiteral("Go to Tesmar Laboratory"));
    auto *buttons = new QHBoxLayout(Panel1);
    for (QPushButton *b : {ButtonHowToUse, ButtonReferences, ButtonGetLatestInformation, ButtonBack, ButtonForward, ButtonQXLab})
        buttons->addWidget(b);
    buttons->addStretch(1);

    emptyArea_ = new QWidget(this);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(Panel1);
    layout_->addWidget(emptyArea_, 1);

    onClick(ButtonHowToUse, this, &TFormHTMLHowToUse::ButtonHowToUseClick);
    onClick(ButtonReferences, this, &TFormHTMLHowToUse::ButtonReferencesClick);
    onClick(ButtonGetLatestInformation, this, &TFormHTMLHowToUse::ButtonGetLatestInformationClick);
    onClick(ButtonBack, this, &TFormHTMLHowToUse::ButtonBackClick);
    onClick(ButtonForward, this, &TFormHTMLHowToUse::ButtonForwardClick);
    onClick(ButtonQXLab, this, &TFormHTMLHowToUse::ButtonQXLabClick);
}

TFormHTMLHowToUse::~TFormHTMLHowToUse() {
    if (FormHTMLHowToUse == this)
        FormHTMLHowToUse = nullptr;
}

void TFormHTMLHowToUse::showAndRaise() {
    show();
    raise();
    activateWindow();
}

void TFormHTMLHowToUse::ButtonHowToUseClick() { navigate(QUrl(QString::fromLatin1(kHowToUseAddress))); }
void TFormHTMLHowToUse::ButtonReferencesClick() { navigate(QUrl(QString::fromLatin1(kReferencesAddress))); }
void TFormHTMLHowToUse::ButtonGetLatestInformationClick() { navigate(QUrl(QString::fromLatin1(kLatestInformationAddress))); }
void TFormHTMLHowToUse::ButtonQXLabClick() { navigate(QUrl(QString::fromLatin1(kLaboratoryAddress))); }

void TFormHTMLHowToUse::ButtonBackClick() {
    if (CppWebBrowser)
        CppWebBrowser->back();
}

void TFormHTMLHowToUse::ButtonForwardClick() {
    if (CppWebBrowser)
        CppWebBrowser->forward();
}

void TFormHTMLHowToUse::navigate(const QUrl &address) {
    if (!CppWebBrowser) {
        CppWebBrowser = new QWebEngineView(this);
        CppWebBrowser->setObjectName(QStringLiteral("CppWebBrowser"));
        delete layout_->replaceWidget(emptyArea_, CppWebBrowser);
        delete emptyArea_;
        emptyArea_ = nullptr;
    }
    CppWebBrowser->load(address);
}
