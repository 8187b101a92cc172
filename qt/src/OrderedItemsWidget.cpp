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
#include <QHeaderView>
#include <QLocale>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QScrollArea>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
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
// Frames keep their cells close: the order screen's three columns of frames
// and the three blocks of the line entry then fit a 1024-pixel screen.
void compact(QGridLayout* grid)
{
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
}

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
            // The focus goes where the clerk can see it and go on: the lines.
            form_.grdOrdItems.setFocus();
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

/// The control's web exchanges in the window: a busy cursor while one runs,
/// the failure line when one fails.
class WindowServiceActivity : public platform::ServiceActivity {
public:
    std::function<void(const QString&)> report;
    void exchangeStarted(std::string_view) override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void exchangeEnded() override { QApplication::restoreOverrideCursor(); }
    void exchangeFailed(std::string_view what) override
    {
        if (report) report(QObject::tr("A web service failed: %1").arg(QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size()))));
    }
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
    QLabel* failureLine = nullptr;
    QTimer* failureTimer = nullptr;
    /// Observers of the form kept by the window itself (tool tips).
    std::vector<std::pair<view::Widget*, int>> observers;

    std::shared_ptr<WindowServiceActivity> activity = std::make_shared<WindowServiceActivity>();

    /// Something failed: one short line above the grid says so.
    void report(const QString& what)
    {
        failureLine->setText(what);
        failureLine->show();
        failureTimer->start();
    }

    WidgetBinding* bindingOf(const view::Widget& w) const
    {
        for (const auto& b : bindings)
            if (&b->model() == &w) return b.get();
        return nullptr;
    }

    /// What the line buttons and the carrier link say when hovered: their
    /// keys, or why they cannot act now.
    struct Hint {
        view::CommandButton* button;
        const char* keys;
        const char* whyNot;                // disabled
        const char* whyHidden = nullptr;   // not shown in this mode, when that says more
    };
    std::array<Hint, 5> hints()
    {
        view::Form& f = control->form();
        return {{
            {&f.cmdAdd, "Alt+A", "Lines are not added in this mode"},
            {&f.cmdEdit, "Alt+E or Enter on the grid", "Click a line in the grid first"},
            {&f.cmdDelete, "Alt+D or Delete on the grid", "Click a line in the grid first (lines are deleted in Add mode)",
             "Lines are deleted in Add mode"},
            {&f.cmdLineItemCan, "Alt+L", "Click the line to cancel in the grid first"},
            {&f.cmdUpdateTaxes, "Alt+C", "Taxes cannot be calculated now for this order"},
        }};
    }
    /// Why a line button cannot act now, as its hint says.
    QString whyNot(const view::CommandButton& button)
    {
        for (const Hint& h : hints())
            if (h.button == &button)
                return QObject::tr(!button.visible() && h.whyHidden ? h.whyHidden : h.whyNot);
        return {};
    }

    void updateHints()
    {
        view::Form& f = control->form();
        for (const Hint& h : hints()) {
            QWidget* w = qtWidgets.at(h.button);
            w->setToolTip(h.button->enabled() ? QString::fromLatin1(h.keys) : QObject::tr(h.whyNot));
        }
        const bool carrierKnown = f.cboFld[3].listIndex() >= 0 || !f.txtField[8].text().empty();
        qtWidgets.at(&f.lblCarrier)
            ->setToolTip(carrierKnown ? QObject::tr("Carrier Details")
                                      : QObject::tr("Select a line or a carrier to see the carrier's details"));
    }

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
        compact(layout);
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

OrderedItemsWidget::OrderedItemsWidget(QWidget* parent, Services services, const QLocale& locale)
    : QWidget(parent), impl_(std::make_unique<Impl>())
{
    impl_->messageBoxes->setParentWidget(this);
    if (!services.messageBoxes) services.messageBoxes = impl_->messageBoxes;
    if (!services.activity) services.activity = impl_->activity;
    impl_->control = std::make_unique<OrderedItems>(std::move(services));
    // Amounts are shown and typed as the clerk's locale writes them.
    impl_->control->setLocale(textLocale(locale));
    setLocale(locale);
    view::Form& f = impl_->control->form();

    for (view::Widget* w : f.widgets()) {
        if (w->group() == "Hidden" || w->group() == "Separators") continue;
        if (auto binding = makeBinding(*w)) {
            impl_->qtWidgets[w] = binding->widget();
            impl_->bindings.push_back(std::move(binding));
        }
    }

    impl_->gridModel = new GridTableModel(f.grdOrdItems, this);
    OrderedItems* control_ = impl_->control.get();
    impl_->gridModel->setStatusText(
        [control_](std::string_view code) { return QString::fromStdString(control_->StatusDisplayText(code)); });
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
    // The delivery options can be long: the box keeps a set width and its
    // list shows them whole.
    if (auto* options = qobject_cast<QComboBox*>(qtWidgetFor(f.cboFreightOptions[0]))) {
        options->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        options->setMinimumContentsLength(5);
    }
    QGroupBox* rate = impl_->frame(f.frmCurrencyConversion, "frmCurrencyConversion");
    auto* currency = static_cast<QGroupBox*>(impl_->qtWidgets.at(&f.FraVendorCountryID));
    currency->setTitle(tr("Price currency"));
    auto* currencyRow = new QHBoxLayout(currency);
    for (auto& [model, widget] : impl_->group("FraVendorCountryID")) currencyRow->addWidget(widget);
    currencyRow->addStretch(1);

    auto* orderRow = new QHBoxLayout;
    orderRow->setSpacing(6);
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
    compact(entryLayout);
    layRows(entryLayout, impl_->group("LineEntry"), 3);

    auto* commands = new QHBoxLayout;
    for (auto& [model, widget] : impl_->group("LineCommands")) commands->addWidget(widget);
    commands->addStretch(1);
    const std::pair<view::CommandButton*, const char*> shortcuts[] = {
        {&f.cmdAdd, "Alt+A"}, {&f.cmdEdit, "Alt+E"}, {&f.cmdDelete, "Alt+D"}, {&f.cmdLineItemCan, "Alt+L"},
        {&f.cmdUpdateTaxes, "Alt+C"}};
    for (auto [button, keys] : shortcuts) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
        QObject::connect(shortcut, &QShortcut::activated, this,
                         [this, button] { WidgetBinding::safely([button] { button->userClick(); }, reporter()); });
    }
    // Line commands from the keyboard: undo and redo, Esc closes an open
    // line, and on the grid Ctrl+V pastes rows, Enter opens a line, Delete
    // deletes it.
    OrderedItems& control = *impl_->control;
    auto onKeys = [this](const QKeySequence& keys, std::function<void()> action) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, this,
                         [this, action] { WidgetBinding::safely(action, reporter()); });
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
    // Delete on the grid where the Delete button cannot act says why in a
    // tip at the current line, as the button's hint does, instead of doing
    // nothing. It is a hint, not a failure: the failure line stays quiet.
    impl_->gridView->DeleteRequested = [this, &f] {
        if (f.cmdDelete.visible() && f.cmdDelete.enabled()) {
            f.cmdDelete.userClick();
            return;
        }
        QTableView* view = impl_->gridView;
        const QRect cell = view->visualRect(view->currentIndex());
        const QPoint at = cell.isValid() ? cell.bottomLeft() : view->viewport()->rect().topLeft();
        QToolTip::showText(view->viewport()->mapToGlobal(at), impl_->whyNot(f.cmdDelete), view);
    };
    std::vector<QWidget*> entryOrder;
    for (auto& [model, widget] : impl_->group("LineEntry"))
        if (isInput(model->kind()) || model->kind() == view::WidgetKind::CheckBox) entryOrder.push_back(widget);
    std::vector<QWidget*> lineButtons;
    for (auto& [model, widget] : impl_->group("LineCommands")) lineButtons.push_back(widget);
    new EntryNavigator(std::move(entryOrder), std::move(lineButtons), f, this);

    // Amount boxes show amounts into the millions whole (a longer one scrolls
    // in its box); entry fields a useful width.
    const QFontMetrics metrics(font());
    const int amountWidth = metrics.horizontalAdvance(QStringLiteral("9,999,999.99")) + 10;
    auto fitAmount = [&](int, view::TextBox& box) {
        if (QWidget* w = qtWidgetFor(box)) w->setMinimumWidth(amountWidth);
    };
    f.txtFee.forEach(fitAmount);
    f.txtFieldTax.forEach(fitAmount);
    for (int i : {17, 18, 19}) fitAmount(i, f.txtField[i]);
    fitAmount(0, f.txtCurrConversionRate);
    for (auto& [model, widget] : impl_->group("LineEntry"))
        if (isInput(model->kind())) widget->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Mmm 00, 0000")) + 48);

    // The Canada option's caption is the label beside it.
    if (auto* canada = qobject_cast<QRadioButton*>(qtWidgetFor(f.OptVndrCntryID[1]))) {
        static_cast<OptionButtonBinding*>(impl_->bindingOf(f.OptVndrCntryID[1]))->showCaption(false);
        if (auto* label = qobject_cast<QLabel*>(qtWidgetFor(f.lblCanada))) label->setBuddy(canada);
    }

    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    impl_->failureLine = new QLabel;
    impl_->failureLine->setObjectName(QStringLiteral("failureLine"));
    impl_->failureLine->setWordWrap(true);
    impl_->failureLine->setStyleSheet(QStringLiteral("color: #a40000; font-weight: bold;"));
    impl_->failureLine->hide();
    impl_->failureTimer = new QTimer(this);
    impl_->failureTimer->setSingleShot(true);
    impl_->failureTimer->setInterval(10000);
    QObject::connect(impl_->failureTimer, &QTimer::timeout, impl_->failureLine, &QLabel::hide);
    for (auto& binding : impl_->bindings) binding->setReporter(reporter());
    impl_->gridView->FailureReported = reporter();
    impl_->activity->report = [this](const QString& what) { impl_->report(what); };

    // The grid keeps eight rows at the least and takes the height that is
    // left; below the size where everything fits, the screen scrolls.
    impl_->gridView->setMinimumHeight(impl_->gridView->verticalHeader()->defaultSectionSize() * 8 +
                                      impl_->gridView->horizontalHeader()->sizeHint().height() + 4);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("orderScreen"));
    auto* main = new QVBoxLayout(content);
    main->setContentsMargins(6, 6, 6, 6);
    main->addLayout(top);
    main->addLayout(orderRow);
    main->addWidget(line);
    main->addWidget(heading(f.Label3[1]));
    main->addWidget(entry);
    main->addWidget(impl_->failureLine);
    main->addWidget(impl_->gridView, 1);
    main->addLayout(commands);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("orderScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    // The field the focus moves to is scrolled into sight, however it got there.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll, content](QWidget*, QWidget* now) {
        if (now && content->isAncestorOf(now)) scroll->ensureWidgetVisible(now, 16, 16);
    });

    // Tab goes through the screen in reading order: the fees, the taxes and
    // the deposit, the totals, delivery, currency and rate, the line entry,
    // the grid, the line buttons. Qt skips what cannot take the focus.
    std::vector<QWidget*> reading;
    for (const char* group : {"Frame2", "fraTaxes", "Frame3", "Frame5", "Frame1", "FraVendorCountryID",
                              "frmCurrencyConversion", "LineEntry"})
        for (auto& [model, widget] : impl_->group(group)) reading.push_back(widget);
    reading.push_back(impl_->gridView);
    for (auto& [model, widget] : impl_->group("LineCommands")) reading.push_back(widget);
    for (std::size_t i = 1; i < reading.size(); ++i) QWidget::setTabOrder(reading[i - 1], reading[i]);

    for (auto& binding : impl_->bindings) binding->sync();
    for (view::Widget* w : std::initializer_list<view::Widget*>{&f.cmdAdd, &f.cmdEdit, &f.cmdDelete, &f.cmdLineItemCan,
                                                                &f.cmdUpdateTaxes, &f.cboFld[3], &f.txtField[8],
                                                                &f.lblCarrier})
        impl_->observers.emplace_back(w, w->addObserver([this] { impl_->updateHints(); }));
    impl_->updateHints();
}

std::function<void(const QString&)> OrderedItemsWidget::reporter()
{
    return [this](const QString& what) { impl_->report(tr("That did not work: %1").arg(what)); };
}

text::Locale OrderedItemsWidget::textLocale(const QLocale& locale)
{
    if (locale.language() == QLocale::French && locale.territory() == QLocale::Canada) return text::Locale::frCA();
    if (locale.language() == QLocale::English && locale.territory() == QLocale::UnitedStates) return text::Locale::enUS();
    if (locale.language() == QLocale::C) return text::Locale::enUS();
    text::Locale out;
    out.name = locale.name().replace(QLatin1Char('_'), QLatin1Char('-')).toStdString();
    out.decimalSeparator = locale.decimalPoint().toStdString();
    out.groupSeparator = locale.groupSeparator().toStdString();
    if (out.groupSeparator == "\u00A0" || out.groupSeparator == "\u202F") out.alternativeGroupSeparators = {" "};
    out.currencySymbol = locale.currencySymbol().toStdString();
    out.currencySymbolAfter = locale.toCurrencyString(1.0).endsWith(locale.currencySymbol());
    out.shortDateMonthFirst = locale.dateFormat(QLocale::ShortFormat).startsWith(QLatin1Char('M'));
    return out;
}

OrderedItemsWidget::~OrderedItemsWidget()
{
    // The form outlives nothing Qt: drop the callbacks into this widget first.
    view::Form& f = impl_->control->form();
    f.PopupRequested = nullptr;
    f.FocusChanged = nullptr;
    for (auto [w, id] : impl_->observers) w->removeObserver(id);
    impl_->activity->report = nullptr;
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
