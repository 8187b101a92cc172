#include "OpenOrderDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelt::demo {

OpenOrderDialog::OpenOrderDialog(const std::vector<OrderStore::Entry>& entries, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this))
{
    setWindowTitle(tr("Open order"));
    list_->setHeaderLabels({tr("Order"), tr("Saved"), tr("Numbers")});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    for (const OrderStore::Entry& entry : entries) {
        // Saved in UTC; shown in the clerk's time.
        const QDateTime saved = QDateTime::fromString(QString::fromStdString(entry.savedAt), Qt::ISODateWithMs);
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(entry.name),
                                                 QLocale().toString(saved.toLocalTime(), QLocale::ShortFormat),
                                                 QString::fromStdString(entry.locale)});
        item->setData(0, Qt::UserRole, QVariant::fromValue<qint64>(entry.id));
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setEnabled(list_->topLevelItemCount() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(520, 320);
    list_->setFocus();
}

std::optional<std::int64_t> OpenOrderDialog::chosen() const
{
    if (result() != QDialog::Accepted || !list_->currentItem()) return std::nullopt;
    return list_->currentItem()->data(0, Qt::UserRole).toLongLong();
}

} // namespace zelt::demo
