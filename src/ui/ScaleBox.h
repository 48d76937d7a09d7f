// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>

namespace vandrix {

// A one-line text box that hands every typed character to a key-press handler first, as a
// character code (13 for Enter). The handler may set the code to 0 to discard the character.
class ScaleBox : public QLineEdit {
    Q_OBJECT

public:
    using KeyPressHandler = std::function<void(std::int16_t& key)>;

    explicit ScaleBox(QWidget* parent = nullptr) : QLineEdit(parent) {}
    void setKeyPressHandler(KeyPressHandler handler) { handler_ = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KeyPressHandler handler_;
};

}  // namespace vandrix
