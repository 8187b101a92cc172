#pragma once

#include <zelt/view/MessageBoxService.h>

class QWidget;

namespace zelt::qt {

/// Message boxes as QMessageBox dialogs, modal to the control's window.
class QtMessageBoxes : public view::MessageBoxService {
public:
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    view::MessageBoxAnswer show(const view::MessageBoxRequest& request) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace zelt::qt
