#include "zelt/OrderedItemsWidget.h"

#include "GridTableModel.h"
#include "GridView.h"
#include "QtMessageBoxes.h"
#include "bindings/ButtonBindings.h"
#include "bindings/ComboBoxBinding.h"
#include "bindings/DisplayBindings.h"
#include "bindings/TextBoxBinding.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace zelt {

using namespace zelt::qt;

namespace {

/// The Qt widget and binding for one abstract widget, by its kind.
std::unique_ptr<WidgetBinding> makeBinding(view::Widget& w)
{
    using K = view::WidgetKind;
    switch (w.kind()) {
    case K::TextBox: return std::make_unique<TextBoxBinding>(static_cast<view::TextBox&>(w), new QLineEdit);
    case K::ComboBox: return std::make_unique<ComboBoxBinding>(static_cast<view::ComboBox&>(w), new QComboBox);
    case K::CheckBox: return std::make_unique<CheckBoxBinding>(static_cast<view::CheckBox&>(w), new QCheckBox);
    case K::OptionButton:
        return std::make_unique<OptionButtonBinding>(static_cast<view::OptionButton&>(w), new QRadioButton);
    case K::Label: return std::make_unique<LabelBinding>(static_cast<view::Label&>(w), new QLabel);
    case K::Image: return std::make_unique<ImageBinding>(static_cast<view::Image&>(w), new QLabel);
    case K::CommandButton:
        return std::make_unique<CommandButtonBinding>(static_cast<view::CommandButton&>(w), new QPushButton);
    case K::Frame: return std::make_unique<FrameBinding>(static_cast<view::Frame&>(w), new QGroupBox);
    case K::DatePicker: return std::make_unique<DatePickerBinding>(static_cast<view::DatePicker&>(w), new QDateEdit);
    case K::MenuEntry:
    case K::Grid: break; // shown by the pop-up menu and the table view
    }
    return nullptr;
}

bool isInput(view::WidgetKind k)
{
    return k == view::WidgetKind::TextBox || k == view::WidgetKind::ComboBox || k == view::WidgetKind::DatePicker;
}

/// Lays a group's widgets out in rows: a label starts a row, a bullet goes
/// beside it, then the input; a read-only text box that mirrors a combo or a
/// date picker shares its cell; check boxes follow. Rows flow into `blocks`
/// side-by-side blocks of four columns.
void layRows(QGridLayout* grid, const std::vector<std::pair<view::Widget*, QWidget*>>& items, int blocks)
{
    struct Row {
        std::vector<std::pair<view::Widget*, QWidget*>> cells;
    };
    std::vector<Row> rows;
    for (const auto& item : items) {
        view::WidgetKind kind = item.first->kind();
        if (kind == view::WidgetKind::Label || rows.empty() || kind == view::WidgetKind::CommandButton) rows.emplace_back();
        rows.back().cells.push_back(item);
        if (kind == view::WidgetKind::CommandButton) rows.emplace_back();
    }
    std::erase_if(rows, [](const Row& r) { return r.cells.empty(); });
    const int perBlock = static_cast<int>((rows.size() + static_cast<std::size_t>(blocks) - 1) / static_cast<std::size_t>(blocks));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int gridRow = static_cast<int>(r) % std::max(perBlock, 1);
        const int base = static_cast<int>(r) / std::max(perBlock, 1) * 5;
        int col = base;
        view::WidgetKind previous = view::WidgetKind::Frame;
        int inputCol = -1;
        for (const auto& [model, widget] : rows[r].cells) {
            view::WidgetKind kind = model->kind();
            if (kind == view::WidgetKind::CommandButton) {
                grid->addWidget(widget, gridRow, base, 1, 4);
                continue;
            }
            if (kind == view::WidgetKind::Label) col = base;
            else if (kind == view::WidgetKind::Image) col = base + 1;
            else if (kind == view::WidgetKind::TextBox &&
                     (previous == view::WidgetKind::ComboBox || previous == view::WidgetKind::DatePicker) && inputCol >= 0)
                col = inputCol; // the read-only mirror shares the combo's cell
            else if (isInput(kind) && inputCol < 0) col = std::max(col, base + 2);
            else col = std::max(col, base + 2);
            grid->addWidget(widget, gridRow, col);
            if (isInput(kind) && inputCol < 0) inputCol = col;
            previous = kind;
            ++col;
        }
    }
    for (int b = 0; b < blocks; ++b) {
        grid->setColumnStretch(b * 5 + 2, 1);
        grid->setColumnMinimumWidth(b * 5 + 4, 12);
    }
}

} // namespace

/// Keyboard-only line entry: Enter in an entry field moves on to the next
/// field that takes the focus, in the on-screen order; Enter in the last one
/// writes the line; Esc closes the open line unwritten. A combo's or date
/// picker's open list keeps its own Enter and Esc: those keys go to the list.
class EntryNavigator : public QObject {
public:
    EntryNavigator(std::vector<QWidget*> order, std::vector<QWidget*> buttons, view::Form& form, QObject* parent)
        : QObject(parent), order_(std::move(order)), form_(form)
    {
        for (QWidget* w : order_) w->installEventFilter(this);
        for (QWidget* w : buttons) w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        if (form_.cmdAdd.caption() == "Add") return false; // no line open
        if (key->key() == Qt::Key_Escape) {
            WidgetBinding::safely([this] {
                if (form_.cmdEdit.caption() == "Cancel") form_.cmdEdit.userClick();
            });
            return true;
        }
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        auto at = std::find(order_.begin(), order_.end(), watched);
        if (at == order_.end()) return false;
        // The focus frame shows on every kind of widget, as after a Tab.
        static_cast<QWidget*>(watched)->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        for (auto next = std::next(at); next != order_.end(); ++next) {
            QWidget* w = *next;
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        WidgetBinding::safely([this] { form_.cmdAdd.userClick(); });
        return true;
    }

private:
    std::vector<QWidget*> order_;
    view::Form& form_;
};

struct OrderedItemsWidget::Impl {
    std::shared_ptr<QtMessageBoxes> messageBoxes = std::make_shared<QtMessageBoxes>();
    std::unique_ptr<OrderedItems> control;
    std::vector<std::unique_ptr<WidgetBinding>> bindings;
    std::map<const view::Widget*, QWidget*> qtWidgets;
    GridTableModel* gridModel = nullptr;
    GridView* gridView = nullptr;
    QMenu* popup = nullptr;
    std::map<int, QAction*> menuActions;

    std::vector<std::pair<view::Widget*, QWidget*>> group(const std::string& name)
    {
        std::vector<std::pair<view::Widget*, QWidget*>> out;
        for (view::Widget* w : control->form().widgets()) {
            if (w->group() != name || w->kind() == view::WidgetKind::Frame) continue;
            auto it = qtWidgets.find(w);
            if (it != qtWidgets.end()) out.emplace_back(w, it->second);
        }
        return out;
    }

    QGroupBox* frame(view::Frame& model, const std::string& groupName, int blocks = 1)
    {
        auto* box = static_cast<QGroupBox*>(qtWidgets.at(&model));
        auto* layout = new QGridLayout(box);
        layout->setVerticalSpacing(4);
        layRows(layout, group(groupName), blocks);
        return box;
    }

    void showPopup(view::MenuEntry&)
    {
        view::Form& f = control->form();
        f.mnuCopyMenu.forEach([this](int index, view::MenuEntry& entry) {
            QAction* action = menuActions.at(index);
            action->setSeparator(entry.isSeparator());
            action->setText(entry.isSeparator() ? QString() : QString::fromStdString(entry.caption()));
            action->setEnabled(entry.enabled());
            action->setVisible(entry.visible() || entry.isSeparator());
        });
        popup->popup(QCursor::pos());
    }
};

OrderedItemsWidget::OrderedItemsWidget(QWidget* parent, Services services) : QWidget(parent), impl_(std::make_unique<Impl>())
{
    impl_->messageBoxes->setParentWidget(this);
    if (!services.messageBoxes) services.messageBoxes = impl_->messageBoxes;
    impl_->control = std::make_unique<OrderedItems>(std::move(services));
    view::Form& f = impl_->control->form();

    for (view::Widget* w : f.widgets()) {
        if (w->group() == "Hidden" || w->group() == "Separators") continue;
        if (auto binding = makeBinding(*w)) {
            impl_->qtWidgets[w] = binding->widget();
            impl_->bindings.push_back(std::move(binding));
        }
    }

    impl_->gridModel = new GridTableModel(f.grdOrdItems, this);
    impl_->gridView = new GridView(f.grdOrdItems, impl_->gridModel, this);
    impl_->gridView->setObjectName(QStringLiteral("grdOrdItems"));
    impl_->qtWidgets[&f.grdOrdItems] = impl_->gridView;
    f.grdOrdItems.setFocus();

    impl_->popup = new QMenu(this);
    impl_->popup->setObjectName(QStringLiteral("mnuCopy"));
    f.mnuCopyMenu.forEach([this](int index, view::MenuEntry& entry) {
        QAction* action = impl_->popup->addAction(QString::fromStdString(entry.caption()));
        action->setObjectName(QString::fromStdString(entry.qualifiedName()));
        QObject::connect(action, &QAction::triggered, this, [&entry] { entry.userClick(); });
        impl_->menuActions[index] = action;
    });
    f.PopupRequested = [this](view::MenuEntry& menu) { impl_->showPopup(menu); };
    f.FocusChanged = [this](view::Widget* w) {
        auto it = impl_->qtWidgets.find(w);
        if (it != impl_->qtWidgets.end() && !it->second->hasFocus()) it->second->setFocus(Qt::OtherFocusReason);
    };

    // Order level.
    auto heading = [this](view::Label& label) {
        QWidget* w = impl_->qtWidgets.at(&label);
        QFont font = w->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.15);
        w->setFont(font);
        return w;
    };
    auto* top = new QHBoxLayout;
    top->addWidget(heading(f.Label3[0]));
    top->addStretch(1);
    top->addWidget(impl_->qtWidgets.at(&f.lblVersionNumber));

    QGroupBox* fees = impl_->frame(f.Frame2, "Frame2");
    fees->setTitle(tr("Fees"));
    QGroupBox* deposit = impl_->frame(f.Frame3, "Frame3");
    QGroupBox* taxes = impl_->frame(f.fraTaxes, "fraTaxes");
    QGroupBox* totals = impl_->frame(f.Frame5, "Frame5");
    totals->setTitle(tr("Totals"));
    QGroupBox* delivery = impl_->frame(f.Frame1, "Frame1");
    QGroupBox* rate = impl_->frame(f.frmCurrencyConversion, "frmCurrencyConversion");
    auto* currency = static_cast<QGroupBox*>(impl_->qtWidgets.at(&f.FraVendorCountryID));
    currency->setTitle(tr("Price currency"));
    auto* currencyRow = new QHBoxLayout(currency);
    for (auto& [model, widget] : impl_->group("FraVendorCountryID")) currencyRow->addWidget(widget);
    currencyRow->addStretch(1);

    auto* orderRow = new QHBoxLayout;
    orderRow->addWidget(fees, 3);
    auto* middle = new QVBoxLayout;
    middle->addWidget(taxes);
    middle->addWidget(deposit);
    middle->addStretch(1);
    orderRow->addLayout(middle, 2);
    auto* right = new QVBoxLayout;
    right->addWidget(totals);
    right->addWidget(delivery);
    right->addWidget(currency);
    right->addWidget(rate);
    right->addStretch(1);
    orderRow->addLayout(right, 2);

    // Line level.
    auto* entry = new QGroupBox(tr("Line entry"));
    entry->setObjectName(QStringLiteral("LineEntry"));
    auto* entryLayout = new QGridLayout(entry);
    entryLayout->setVerticalSpacing(4);
    layRows(entryLayout, impl_->group("LineEntry"), 3);

    auto* commands = new QHBoxLayout;
    for (auto& [model, widget] : impl_->group("LineCommands")) commands->addWidget(widget);
    commands->addStretch(1);
    const std::pair<view::CommandButton*, const char*> shortcuts[] = {
        {&f.cmdAdd, "Alt+A"}, {&f.cmdEdit, "Alt+E"}, {&f.cmdDelete, "Alt+D"}, {&f.cmdLineItemCan, "Alt+L"},
        {&f.cmdUpdateTaxes, "Alt+C"}};
    for (auto [button, keys] : shortcuts) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
        QObject::connect(shortcut, &QShortcut::activated, this, [button] { button->userClick(); });
        impl_->qtWidgets.at(button)->setToolTip(QString::fromLatin1(keys));
    }
    // Line commands from the keyboard: undo and redo, Esc closes an open
    // line, and on the grid Ctrl+V pastes rows, Enter opens a line, Delete
    // deletes it.
    OrderedItems& control = *impl_->control;
    auto onKeys = [this](const QKeySequence& keys, std::function<void()> action) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, this, [action] { WidgetBinding::safely(action); });
    };
    onKeys(QKeySequence::Undo, [&control] { control.Undo(); });
    onKeys(QKeySequence(Qt::CTRL | Qt::Key_Y), [&control] { control.Redo(); });
    onKeys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [&control] { control.Redo(); });
    impl_->gridView->PasteRequested = [&control] {
        const QString rows = QApplication::clipboard()->text();
        control.PasteLines(rows.toStdString());
    };
    impl_->gridView->OpenRequested = [&f] {
        if (f.cmdEdit.caption() == "Edit") f.cmdEdit.userClick();
    };
    impl_->gridView->DeleteRequested = [&f] { f.cmdDelete.userClick(); };
    std::vector<QWidget*> entryOrder;
    for (auto& [model, widget] : impl_->group("LineEntry"))
        if (isInput(model->kind()) || model->kind() == view::WidgetKind::CheckBox) entryOrder.push_back(widget);
    for (std::size_t i = 1; i < entryOrder.size(); ++i) QWidget::setTabOrder(entryOrder[i - 1], entryOrder[i]);
    std::vector<QWidget*> lineButtons;
    for (auto& [model, widget] : impl_->group("LineCommands")) lineButtons.push_back(widget);
    new EntryNavigator(std::move(entryOrder), std::move(lineButtons), f, this);

    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(orderRow);
    main->addWidget(line);
    main->addWidget(heading(f.Label3[1]));
    main->addWidget(entry);
    main->addWidget(impl_->gridView, 1);
    main->addLayout(commands);

    for (auto& binding : impl_->bindings) binding->sync();
}

OrderedItemsWidget::~OrderedItemsWidget()
{
    // The form outlives nothing Qt: drop the callbacks into this widget first.
    view::Form& f = impl_->control->form();
    f.PopupRequested = nullptr;
    f.FocusChanged = nullptr;
    impl_->bindings.clear();
    // The grid model watches the grid: it goes before the control does.
    delete impl_->gridView;
    delete impl_->gridModel;
}

OrderedItems& OrderedItemsWidget::control() { return *impl_->control; }
const OrderedItems& OrderedItemsWidget::control() const { return *impl_->control; }

QWidget* OrderedItemsWidget::qtWidgetFor(const view::Widget& widget) const
{
    auto it = impl_->qtWidgets.find(&widget);
    return it == impl_->qtWidgets.end() ? nullptr : it->second;
}

QTableView* OrderedItemsWidget::gridView() const { return impl_->gridView; }

} // namespace zelt
