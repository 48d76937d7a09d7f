#include "Viewer.h"

namespace vandrix {

Viewer::Viewer() : form_(std::make_unique<FormMain>(state_, dialogs_)) {
    dialogs_.setParentWidget(form_.get());
}

Viewer::~Viewer() = default;

void Viewer::start() {
    form_->Form_Load();
    form_->show();
}

}  // namespace vandrix
