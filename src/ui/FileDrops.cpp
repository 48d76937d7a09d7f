// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDrops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace vandrix {

namespace {

// The file a drop brings: the first local file among its URLs; directories are passed over.
QString DroppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) {
        return {};
    }
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir()) {
            return url.toLocalFile();
        }
    }
    return {};
}

// Watches the window and its text boxes for drags that carry a file.
class FileDropFilter : public QObject {
public:
    FileDropFilter(QWidget* window, std::function<void(const QString&)> open)
        : QObject(window), open_(std::move(open)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const QString file = DroppedFile(drop->mimeData());
                if (file.isEmpty()) {
                    break;
                }
                drop->acceptProposedAction();
                if (event->type() == QEvent::Drop) {
                    open_(file);
                }
                return true;
            }
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(const QString&)> open_;
};

}  // namespace

void AcceptFileDrops(QWidget* window, std::function<void(const QString&)> open) {
    auto* filter = new FileDropFilter(window, std::move(open));
    window->setAcceptDrops(true);
    window->installEventFilter(filter);
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        box->installEventFilter(filter);
    }
}

}  // namespace vandrix
