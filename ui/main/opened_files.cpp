#include "ui/main/opened_files.h"

#include "ui/common/dialogs.h"
#include "ui/common/error_guard.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <stdexcept>

namespace {

// Text files of the program hold no zero byte; images and other binary files almost always
// do within their first block.
bool looksLikeText(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;  // the import window reports why it cannot be read
    return !file.read(65536).contains('\0');
}

// While a dialog is open (the import, a sweep's progress) the window takes no file: loading
// one would change the record under it.
bool dialogOpen() { return QApplication::activeModalWidget() != nullptr; }

// Takes the drags and drops of a file for the main window, on whichever of its widgets they
// arrive.
class FileDrops : public QObject {
public:
    explicit FileDrops(TFormMain &window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (dialogOpen() || droppedFile(drag->mimeData()).isEmpty())
                return false;
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QString path = droppedFile(drop->mimeData());
            if (dialogOpen() || path.isEmpty())
                return false;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            // Opened once the drop has ended: the import window runs modally, and the program
            // the file was dragged from waits until the drop returns.
            TFormMain *window = &window_;
            QTimer::singleShot(0, window, [window, path] {
                if (!dialogOpen())
                    guarded(window, [&] { openDroppedFile(*window, path); });
            });
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    TFormMain &window_;
};

}  // namespace

bool isMeasuredDataFile(const QString &path) { return path.endsWith(QStringLiteral(".DIS0"), Qt::CaseInsensitive); }

void openNamedFile(TFormMain &window, const QString &path) {
    if (isMeasuredDataFile(path)) {
        window.OpenDIS0(path);
        return;
    }
    if (!FormEdit)
        throw std::logic_error("The editor window has not been created");
    FormEdit->openAndShow(path);
}

QString droppedFile(const QMimeData *data) {
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QFileInfo file(urls.front().toLocalFile());
    return file.isFile() ? file.absoluteFilePath() : QString();
}

void openDroppedFile(TFormMain &window, const QString &path) {
    if (isMeasuredDataFile(path)) {
        window.OpenDIS0(path);
        return;
    }
    if (!looksLikeText(path)) {
        dialogs().error(&window, path + QStringLiteral(": not a text file"));
        return;
    }
    window.importFile(path);
}

void acceptFileDrops(TFormMain &window) {
    auto *drops = new FileDrops(window);
    window.setAcceptDrops(true);
    window.installEventFilter(drops);
    for (QWidget *control : window.findChildren<QWidget *>())
        if (control->acceptDrops())
            control->installEventFilter(drops);
}
