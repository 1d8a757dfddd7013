#include "ui/common/dialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>

namespace {

QStringList qtFilterEntries(const QString &filter) {
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        entries << parts[i] + " (" + patterns + ")";
    }
    if (parts.size() == 1 && !parts[0].isEmpty())
        entries << parts[0];
    return entries;
}

class QtDialogs final : public Dialogs {
public:
    QString openFileName(QWidget *parent, const QString &filter, int filterIndex, const QString &proposal) override {
        QString selected = qtFilterEntry(filter, filterIndex);
        return QFileDialog::getOpenFileName(parent, QString(), proposal, qtFilter(filter), &selected);
    }

    QString saveFileName(QWidget *parent, const QString &filter, const QString &proposal) override {
        QString selected = qtFilterEntry(filter, 0);
        return QFileDialog::getSaveFileName(parent, QString(), proposal, qtFilter(filter), &selected);
    }

    QString saveFileNameAndFilter(QWidget *parent, const QString &filter, const QString &proposal,
                                  int &filterIndex) override {
        QString selected = qtFilterEntry(filter, filterIndex);
        const QString path = QFileDialog::getSaveFileName(parent, QString(), proposal, qtFilter(filter), &selected);
        if (const qsizetype chosen = qtFilterEntries(filter).indexOf(selected); chosen >= 0)
            filterIndex = static_cast<int>(chosen);
        return path;
    }

    void error(QWidget *parent, const QString &message) override {
        QMessageBox::critical(parent, QStringLiteral("Error"), message, QMessageBox::Ok);
    }

    void message(QWidget *parent, const QString &message) override {
        QMessageBox::information(parent, QString(), message, QMessageBox::Ok);
    }

    bool printerSetup(QWidget *parent, QPrinter &printer) override {
        // A page set-up alone cannot choose the printer, nor a PDF file where there is no
        // printer: the print dialog can, restricted to what a set-up decides.
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Printer Setup"));
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
            if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        return dialog.exec() == QDialog::Accepted;
    }

    bool print(QWidget *parent, QPrinter &printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

std::unique_ptr<Dialogs> &installed() {
    static std::unique_ptr<Dialogs> current = std::make_unique<QtDialogs>();
    return current;
}

}  // namespace

Dialogs &dialogs() { return *installed(); }

void setDialogs(std::unique_ptr<Dialogs> replacement) {
    installed() = replacement ? std::move(replacement) : std::make_unique<QtDialogs>();
}

QString qtFilter(const QString &filter) { return qtFilterEntries(filter).join(";;"); }

QString qtFilterEntry(const QString &filter, int filterIndex) {
    const QStringList entries = qtFilterEntries(filter);
    return filterIndex >= 0 && filterIndex < entries.size() ? entries[filterIndex] : QString();
}
