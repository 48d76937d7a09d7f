// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaleBox.h"

#include <QKeyEvent>

namespace vandrix {

void ScaleBox::keyPressEvent(QKeyEvent* event) {
    std::int16_t key = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        key = 13;
    } else if (!event->text().isEmpty()) {
        key = static_cast<std::int16_t>(event->text().front().unicode());
    }
    if (key != 0 && handler_) {
        handler_(key);
        if (key == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace vandrix
