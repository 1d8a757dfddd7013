#include "ui/help/about_box.h"

#include "engine/analysis.h"
#include "ui/common/text_conversion.h"
#include "ui/help/program_icon.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &text) {
    auto *result = new QLabel(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

}  // namespace

TAboutBox *AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent) {
    AboutBox = this;
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("バージョン情報"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFrameShadow(QFrame::Sunken);

    ProgramIcon = label(Panel1, "ProgramIcon", QString());
    ProgramIcon->setPixmap(programIconPicture());
    ProgramIcon->setFixedSize(32, 32);
    ProgramIcon->setScaledContents(true);
    ProductName = label(Panel1, "ProductName", QStringLiteral("Analysis for KEST"));
    QFont larger = ProductName->font();
    larger.setBold(true);
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    ProductName->setFont(larger);
    // The main window has set the version text before this dialog is made.
    LabelVersionInformation = label(Panel1, "LabelVersionInformation", toQString(C.Version));
    Version = label(Panel1, "Version", QStringLiteral("Since 2000/12/18"));
    Comments = label(Panel1, "Comments", QStringLiteral("Method for deteriming trap density and emission rate"));
    Comments->setWordWrap(true);
    Comments->setFixedWidth(260);

    auto *panel = new QVBoxLayout(Panel1);
    panel->setContentsMargins(16, 16, 16, 16);
    panel->setSpacing(8);
    panel->addWidget(ProgramIcon);
    panel->addWidget(ProductName);
    panel->addWidget(LabelVersionInformation);
    panel->addWidget(Version);
    panel->addWidget(Comments);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *window = new QVBoxLayout(this);
    window->addWidget(Panel1);
    window->addWidget(OKButton, 0, Qt::AlignHCenter);
    window->setSizeConstraint(QLayout::SetFixedSize);
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this)
        AboutBox = nullptr;
}

int TAboutBox::showModally() { return exec(); }

void TAboutBox::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (QScreen *shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
}
