#pragma once

#include "OrderStore.h"

#include <QCoreApplication>
#include <QDialog>

#include <cstdint>
#include <optional>
#include <vector>

class QTreeWidget;

namespace zelt::demo {

/// Lists the stored orders by name and time saved, the newest first, and
/// lets the clerk pick one: arrows to move, Enter (or a double click) to open,
/// Esc to leave.
class OpenOrderDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(OpenOrderDialog)

public:
    OpenOrderDialog(const std::vector<OrderStore::Entry>& entries, QWidget* parent);
    /// The order picked, once the dialog was accepted.
    std::optional<std::int64_t> chosen() const;

private:
    QTreeWidget* list_;
};

} // namespace zelt::demo
