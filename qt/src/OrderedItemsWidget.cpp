#include "zelt/OrderedItemsWidget.h"

#include "EntryNavigator.h"
#include "FindBar.h"
#include "FormLayout.h"
#include "GridTableModel.h"
#include "GridView.h"
#include "QtMessageBoxes.h"
#include "WindowServiceActivity.h"
#include "bindings/ButtonBindings.h"
#include "bindings/TextBoxBinding.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>
#include <QVBoxLayout>

#include <array>
#include <functional>
#include <map>
#include <vector>

// The window's translations are embedded in the library's archive; naming
// their initialiser keeps them linked into every host. It cannot be called
// from inside a namespace.
static void initTranslationResource() { Q_INIT_RESOURCE(zelt_translations); }

namespace zelt {

using namespace zelt::qt;

using WidgetPairs = std::vector<std::pair<view::Widget*, QWidget*>>;

struct OrderedItemsWidget::Impl {
    // The window's own texts are translated under the widget's name.
    Q_DECLARE_TR_FUNCTIONS(OrderedItemsWidget)

public:
    explicit Impl(OrderedItemsWidget& owner) : self(owner) {}

    OrderedItemsWidget& self;
    std::shared_ptr<QtMessageBoxes> messageBoxes = std::make_shared<QtMessageBoxes>();
    std::unique_ptr<OrderedItems> control;
    std::vector<std::unique_ptr<WidgetBinding>> bindings;
    std::map<const view::Widget*, QWidget*> qtWidgets;
    GridTableModel* gridModel = nullptr;
    GridView* gridView = nullptr;
    FindBar* findBar = nullptr;
    QScrollArea* orderScroll = nullptr;
    QMenu* popup = nullptr;
    std::map<int, QAction*> menuActions;
    QLabel* failureLine = nullptr;
    QTimer* failureTimer = nullptr;
    /// Coalesces the restyling of what depends on the order's values.
    QTimer* valuesTimer = nullptr;
    /// Observers of the form kept by the window itself (tool tips).
    std::vector<std::pair<view::Widget*, int>> observers;
    std::shared_ptr<WindowServiceActivity> activity = std::make_shared<WindowServiceActivity>();

    view::Form& form() { return control->form(); }
    QWidget* qtOf(const view::Widget& w) const { return qtWidgets.at(&w); }

    /// Something failed: one short line above the grid says so.
    void report(const QString& what)
    {
        failureLine->setText(what);
        failureLine->show();
        failureTimer->start();
    }
    std::function<void(const QString&)> reporter()
    {
        return [this](const QString& what) { report(tr("That did not work: %1").arg(what)); };
    }

    WidgetBinding* bindingOf(const view::Widget& w) const
    {
        for (const auto& b : bindings)
            if (&b->model() == &w) return b.get();
        return nullptr;
    }

    // ---- Hints ---------------------------------------------------------------------
    /// What the line buttons and the carrier link say when hovered: their
    /// keys, or why they cannot act now.
    struct Hint {
        view::CommandButton* button;
        const char* keys;
        const char* whyNot;              // disabled, or not shown in Add Mode
        const char* whyHidden = nullptr; // not shown in the other modes
    };
    std::array<Hint, 5> hints()
    {
        view::Form& f = form();
        return {{
            {&f.cmdAdd, "Alt+A", QT_TR_NOOP("Lines are not added in this mode")},
            {&f.cmdEdit, QT_TR_NOOP("Alt+E, Enter or a double click on the grid"), QT_TR_NOOP("Click a line in the grid first")},
            {&f.cmdDelete, QT_TR_NOOP("Alt+D or Delete on the grid"), QT_TR_NOOP("Click a line in the grid first"),
             QT_TR_NOOP("Lines are deleted in Add mode")},
            {&f.cmdLineItemCan, "Alt+L", QT_TR_NOOP("Click the line to cancel in the grid first")},
            {&f.cmdUpdateTaxes, "Alt+C", QT_TR_NOOP("Taxes cannot be calculated now for this order")},
        }};
    }
    /// Why a line button cannot act now, as its hint says. In Add Mode the
    /// Delete button waits hidden for a line to be selected.
    QString whyNot(const view::CommandButton& button)
    {
        const bool otherMode = control->ViewMode() != Mode::AddMode;
        for (const Hint& h : hints())
            if (h.button == &button)
                return tr(!button.visible() && otherMode && h.whyHidden ? h.whyHidden : h.whyNot);
        return {};
    }
    void updateHints()
    {
        view::Form& f = form();
        for (const Hint& h : hints())
            qtOf(*h.button)->setToolTip(h.button->enabled() ? tr(h.keys) : tr(h.whyNot));
        const bool carrierKnown = f.cboFld[3].listIndex() >= 0 || !f.txtField[8].text().empty();
        qtOf(f.lblCarrier)
            ->setToolTip(carrierKnown ? tr("Carrier Details")
                                      : tr("Select a line or a carrier to see the carrier's details"));
    }

    /// The total sales tax and the deposit show whether they still follow the
    /// order: after the clerk's changes they wait for the tax command.
    void showTaxesCurrent()
    {
        const bool stale = control->TaxesOutOfDate();
        const QString why = stale ? tr("Calculate Taxes & Fees to update") : QString();
        for (view::TextBox* box : {&form().txtField[17], &form().txtFee[6]})
            if (auto* binding = static_cast<TextBoxBinding*>(bindingOf(*box))) binding->setOutOfDate(stale, why);
    }

    // ---- Building the screen ----------------------------------------------------
    WidgetPairs group(const std::string& name)
    {
        WidgetPairs out;
        for (view::Widget* w : form().widgets()) {
            if (w->group() != name || w->kind() == view::WidgetKind::Frame) continue;
            auto it = qtWidgets.find(w);
            if (it != qtWidgets.end()) out.emplace_back(w, it->second);
        }
        return out;
    }

    QGroupBox* frame(view::Frame& model, const std::string& groupName, int blocks = 1)
    {
        auto* box = static_cast<QGroupBox*>(qtOf(model));
        auto* layout = new QGridLayout(box);
        compact(layout);
        layRows(layout, group(groupName), blocks);
        return box;
    }

    QWidget* heading(view::Label& label)
    {
        QWidget* w = qtOf(label);
        QFont font = w->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.15);
        w->setFont(font);
        return w;
    }

    void bindForm();
    void buildGrid();
    void buildPopup();
    QLayout* buildOrderLevel();
    QGroupBox* buildLineEntry();
    QLayout* buildCommands();
    void installLineKeys();
    void fitWidths();
    void buildFailureLine();
    void buildFindBar();
    void assemble(QLayout* orderLevel, QGroupBox* entry, QLayout* commands);
    void setTabOrder();
    void watchForm();

    void showPopup(view::MenuEntry&)
    {
        form().mnuCopyMenu.forEach([this](int index, view::MenuEntry& entry) {
            QAction* action = menuActions.at(index);
            action->setSeparator(entry.isSeparator());
            action->setText(entry.isSeparator() ? QString() : QString::fromStdString(entry.caption()));
            action->setEnabled(entry.enabled());
            action->setVisible(entry.visible() || entry.isSeparator());
        });
        popup->popup(QCursor::pos());
    }
};

void OrderedItemsWidget::Impl::bindForm()
{
    for (view::Widget* w : form().widgets()) {
        if (w->group() == "Hidden" || w->group() == "Separators") continue;
        if (auto binding = makeBinding(*w)) {
            qtWidgets[w] = binding->widget();
            bindings.push_back(std::move(binding));
        }
    }
    view::Form& f = form();
    f.FocusChanged = [this](view::Widget* w) {
        auto it = qtWidgets.find(w);
        if (it != qtWidgets.end() && !it->second->hasFocus()) it->second->setFocus(Qt::OtherFocusReason);
    };
}

void OrderedItemsWidget::Impl::buildGrid()
{
    view::Form& f = form();
    gridModel = new GridTableModel(f.grdOrdItems, &self);
    OrderedItems* c = control.get();
    gridModel->setStatusText([c](std::string_view code) { return QString::fromStdString(c->StatusDisplayText(code)); });
    gridView = new GridView(f.grdOrdItems, gridModel, &self);
    gridView->setObjectName(QStringLiteral("grdOrdItems"));
    qtWidgets[&f.grdOrdItems] = gridView;
    f.grdOrdItems.setFocus();
    // The grid keeps eight rows at the least and takes the height that is
    // left; below the size where everything fits, the screen scrolls.
    gridView->setMinimumHeight(gridView->verticalHeader()->defaultSectionSize() * 8 +
                               gridView->horizontalHeader()->sizeHint().height() + 4);
}

void OrderedItemsWidget::Impl::buildPopup()
{
    view::Form& f = form();
    popup = new QMenu(&self);
    popup->setObjectName(QStringLiteral("mnuCopy"));
    f.mnuCopyMenu.forEach([this](int index, view::MenuEntry& entry) {
        QAction* action = popup->addAction(QString::fromStdString(entry.caption()));
        action->setObjectName(QString::fromStdString(entry.qualifiedName()));
        QObject::connect(action, &QAction::triggered, &self, [&entry] { entry.userClick(); });
        menuActions[index] = action;
    });
    // The window's own entry, after the line commands: finding a line.
    popup->addSeparator();
    // The key is shown, not bound here: the window's own Ctrl+F does it.
    QAction* find = popup->addAction(tr("Find...") + QLatin1Char('\t') +
                                     QKeySequence(QKeySequence::Find).toString(QKeySequence::NativeText));
    find->setObjectName(QStringLiteral("mnuFind"));
    QObject::connect(find, &QAction::triggered, &self, [this] { findBar->open(); });
    f.PopupRequested = [this](view::MenuEntry& menu) { showPopup(menu); };
}

QLayout* OrderedItemsWidget::Impl::buildOrderLevel()
{
    view::Form& f = form();
    QGroupBox* fees = frame(f.Frame2, "Frame2");
    fees->setTitle(tr("Fees"));
    QGroupBox* deposit = frame(f.Frame3, "Frame3");
    QGroupBox* taxes = frame(f.fraTaxes, "fraTaxes");
    QGroupBox* totals = frame(f.Frame5, "Frame5");
    totals->setTitle(tr("Totals"));
    QGroupBox* delivery = frame(f.Frame1, "Frame1");
    // The delivery options can be long: the box keeps a set width, its list
    // shows them whole and its tip the chosen one.
    if (auto* options = qobject_cast<QComboBox*>(qtOf(f.cboFreightOptions[0]))) {
        options->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        options->setMinimumContentsLength(5);
    }
    QGroupBox* rate = frame(f.frmCurrencyConversion, "frmCurrencyConversion");
    auto* currency = static_cast<QGroupBox*>(qtOf(f.FraVendorCountryID));
    currency->setTitle(tr("Price currency"));
    auto* currencyRow = new QHBoxLayout(currency);
    for (auto& [model, widget] : group("FraVendorCountryID")) currencyRow->addWidget(widget);
    currencyRow->addStretch(1);
    // The Canada option's caption is the label beside it.
    if (auto* canada = qobject_cast<QRadioButton*>(qtOf(f.OptVndrCntryID[1]))) {
        static_cast<OptionButtonBinding*>(bindingOf(f.OptVndrCntryID[1]))->showCaption(false);
        if (auto* label = qobject_cast<QLabel*>(qtOf(f.lblCanada))) label->setBuddy(canada);
    }

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(fees, 3);
    auto* middle = new QVBoxLayout;
    middle->addWidget(taxes);
    middle->addWidget(deposit);
    middle->addStretch(1);
    row->addLayout(middle, 2);
    auto* right = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{totals, delivery, currency, rate}) right->addWidget(w);
    right->addStretch(1);
    row->addLayout(right, 2);
    return row;
}

QGroupBox* OrderedItemsWidget::Impl::buildLineEntry()
{
    auto* entry = new QGroupBox(tr("Line entry"));
    entry->setObjectName(QStringLiteral("LineEntry"));
    auto* layout = new QGridLayout(entry);
    compact(layout);
    layRows(layout, group("LineEntry"), 3);
    return entry;
}

QLayout* OrderedItemsWidget::Impl::buildCommands()
{
    auto* commands = new QHBoxLayout;
    for (auto& [model, widget] : group("LineCommands")) commands->addWidget(widget);
    commands->addStretch(1);
    view::Form& f = form();
    const std::pair<view::CommandButton*, const char*> shortcuts[] = {
        {&f.cmdAdd, "Alt+A"}, {&f.cmdEdit, "Alt+E"}, {&f.cmdDelete, "Alt+D"}, {&f.cmdLineItemCan, "Alt+L"},
        {&f.cmdUpdateTaxes, "Alt+C"}};
    for (auto [button, keys] : shortcuts) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), &self);
        QObject::connect(shortcut, &QShortcut::activated, &self,
                         [this, button] { WidgetBinding::safely([button] { button->userClick(); }, reporter()); });
    }
    return commands;
}

void OrderedItemsWidget::Impl::installLineKeys()
{
    // Undo and redo; on the grid Ctrl+V pastes rows, Enter or a double click
    // opens a line, Delete deletes it; Enter and Esc in the line entry.
    OrderedItems& c = *control;
    view::Form& f = form();
    auto onKeys = [this](const QKeySequence& keys, std::function<void()> action) {
        auto* shortcut = new QShortcut(keys, &self);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &self, [this, action] { WidgetBinding::safely(action, reporter()); });
    };
    onKeys(QKeySequence::Undo, [&c] { c.Undo(); });
    onKeys(QKeySequence(Qt::CTRL | Qt::Key_Y), [&c] { c.Redo(); });
    onKeys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [&c] { c.Redo(); });
    gridView->PasteRequested = [&c] { c.PasteLines(QApplication::clipboard()->text().toStdString()); };
    gridView->CopyRequested = [&c] { QApplication::clipboard()->setText(QString::fromStdString(c.CopyLines())); };
    gridView->OpenRequested = [&f] {
        if (f.cmdEdit.caption() == "Edit" && f.cmdEdit.enabled()) f.cmdEdit.userClick();
    };
    // Delete on the grid where the Delete button cannot act says why in a
    // tip at the current line, as the button's hint does. It is a hint, not
    // a failure: the failure line stays quiet.
    gridView->DeleteRequested = [this, &f] {
        if (f.cmdDelete.visible() && f.cmdDelete.enabled()) {
            f.cmdDelete.userClick();
            return;
        }
        const QRect cell = gridView->visualRect(gridView->currentIndex());
        const QPoint at = cell.isValid() ? cell.bottomLeft() : gridView->viewport()->rect().topLeft();
        QToolTip::showText(gridView->viewport()->mapToGlobal(at), whyNot(f.cmdDelete), gridView);
    };
    std::vector<EntryNavigator::Field> entryOrder;
    for (auto& field : group("LineEntry"))
        if (isInput(field.first->kind()) || field.first->kind() == view::WidgetKind::CheckBox) entryOrder.push_back(field);
    std::vector<QWidget*> lineButtons;
    for (auto& [model, widget] : group("LineCommands")) lineButtons.push_back(widget);
    new EntryNavigator(std::move(entryOrder), std::move(lineButtons), c, &self);
}

void OrderedItemsWidget::Impl::fitWidths()
{
    // Amount boxes show amounts into the millions whole (a longer one scrolls
    // in its box, its tip shows it whole); entry fields a useful width, and
    // the entry's lists the width of their longest entry where there is room.
    view::Form& f = form();
    const QFontMetrics metrics(self.font());
    const int amountWidth = metrics.horizontalAdvance(QStringLiteral("9,999,999.99")) + 10;
    auto fitAmount = [&](int, view::TextBox& box) {
        if (QWidget* w = self.qtWidgetFor(box)) w->setMinimumWidth(amountWidth);
    };
    f.txtFee.forEach(fitAmount);
    f.txtFieldTax.forEach(fitAmount);
    for (int i : {17, 18, 19}) fitAmount(i, f.txtField[i]);
    fitAmount(0, f.txtCurrConversionRate);
    for (auto& [model, widget] : group("LineEntry")) {
        if (!isInput(model->kind())) continue;
        widget->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Mmm 00, 0000")) + 48);
        if (auto* combo = qobject_cast<QComboBox*>(widget)) combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
}

void OrderedItemsWidget::Impl::buildFailureLine()
{
    failureLine = new QLabel;
    failureLine->setObjectName(QStringLiteral("failureLine"));
    failureLine->setWordWrap(true);
    failureLine->setStyleSheet(QStringLiteral("color: #a40000; font-weight: bold;"));
    failureLine->hide();
    failureTimer = new QTimer(&self);
    failureTimer->setSingleShot(true);
    failureTimer->setInterval(10000);
    QObject::connect(failureTimer, &QTimer::timeout, failureLine, &QLabel::hide);
    for (auto& binding : bindings) binding->setReporter(reporter());
    gridView->FailureReported = reporter();
    activity->report = [this](const QString& what) { report(what); };
}

void OrderedItemsWidget::Impl::buildFindBar()
{
    findBar = new FindBar(*control);
    findBar->Closed = [this] { gridView->setFocus(Qt::OtherFocusReason); };
    // Where the screen scrolls (a small window), the found line is scrolled
    // into sight there too, not only in the grid.
    findBar->Found = [this] {
        const QRect cell = gridView->visualRect(gridView->currentIndex());
        if (!cell.isValid() || !orderScroll) return;
        const QPoint at = gridView->viewport()->mapTo(orderScroll->widget(), cell.center());
        orderScroll->ensureVisible(at.x(), at.y(), 16, cell.height());
    };
    auto* keys = new QShortcut(QKeySequence::Find, &self);
    keys->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(keys, &QShortcut::activated, findBar, &FindBar::open);
    // F3 finds the next match from anywhere in the window once a text is set.
    const std::pair<QKeySequence, void (FindBar::*)()> moves[] = {{QKeySequence::FindNext, &FindBar::next},
                                                                  {QKeySequence::FindPrevious, &FindBar::previous}};
    for (const auto& [sequence, move] : moves) {
        auto* shortcut = new QShortcut(sequence, &self);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, findBar, move);
    }
}

void OrderedItemsWidget::Impl::assemble(QLayout* orderLevel, QGroupBox* entry, QLayout* commands)
{
    view::Form& f = form();
    auto* top = new QHBoxLayout;
    top->addWidget(heading(f.Label3[0]));
    top->addStretch(1);
    top->addWidget(qtOf(f.lblVersionNumber));
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("orderScreen"));
    auto* main = new QVBoxLayout(content);
    main->setContentsMargins(6, 6, 6, 6);
    main->addLayout(top);
    main->addLayout(orderLevel);
    main->addWidget(line);
    main->addWidget(heading(f.Label3[1]));
    main->addWidget(entry);
    main->addWidget(failureLine);
    main->addWidget(findBar);
    main->addWidget(gridView, 1);
    main->addLayout(commands);
    auto* scroll = new QScrollArea;
    orderScroll = scroll;
    scroll->setObjectName(QStringLiteral("orderScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(&self);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    // The field the focus moves to is scrolled into sight, however it got there.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll, content](QWidget*, QWidget* now) {
        if (now && content->isAncestorOf(now)) scroll->ensureWidgetVisible(now, 16, 16);
    });
}

void OrderedItemsWidget::Impl::setTabOrder()
{
    // Tab goes through the screen in reading order: the fees, the taxes and
    // the deposit, the totals, delivery, currency and rate, the line entry,
    // the grid, the line buttons. Qt skips what cannot take the focus.
    std::vector<QWidget*> reading;
    for (const char* name : {"Frame2", "fraTaxes", "Frame3", "Frame5", "Frame1", "FraVendorCountryID",
                             "frmCurrencyConversion", "LineEntry"})
        for (auto& [model, widget] : group(name)) reading.push_back(widget);
    reading.push_back(gridView);
    for (auto& [model, widget] : group("LineCommands")) reading.push_back(widget);
    for (std::size_t i = 1; i < reading.size(); ++i) QWidget::setTabOrder(reading[i - 1], reading[i]);
}

void OrderedItemsWidget::Impl::watchForm()
{
    view::Form& f = form();
    for (auto& binding : bindings) binding->sync();
    for (view::Widget* w : std::initializer_list<view::Widget*>{&f.cmdAdd, &f.cmdEdit, &f.cmdDelete, &f.cmdLineItemCan,
                                                                &f.cmdUpdateTaxes, &f.cboFld[3], &f.txtField[8],
                                                                &f.lblCarrier})
        observers.emplace_back(w, w->addObserver([this] { updateHints(); }));
    updateHints();
    // Many values can change in one action (a load, a renumbering): the
    // taxes' cue is restyled once, when the action is over.
    valuesTimer = new QTimer(&self);
    valuesTimer->setSingleShot(true);
    valuesTimer->setInterval(0);
    QObject::connect(valuesTimer, &QTimer::timeout, &self, [this] { showTaxesCurrent(); });
    f.ValuesChanged = [this] {
        if (!valuesTimer->isActive()) valuesTimer->start();
    };
    showTaxesCurrent();
}

OrderedItemsWidget::OrderedItemsWidget(QWidget* parent, Services services, const QLocale& locale)
    : QWidget(parent), impl_(std::make_unique<Impl>(*this))
{
    impl_->messageBoxes->setParentWidget(this);
    if (!services.messageBoxes) services.messageBoxes = impl_->messageBoxes;
    if (!services.activity) services.activity = impl_->activity;
    impl_->control = std::make_unique<OrderedItems>(std::move(services));
    // Amounts are shown and typed as the clerk's locale writes them.
    impl_->control->setLocale(textLocale(locale));
    setLocale(locale);

    impl_->bindForm();
    impl_->buildGrid();
    impl_->buildPopup();
    QLayout* orderLevel = impl_->buildOrderLevel();
    QGroupBox* entry = impl_->buildLineEntry();
    QLayout* commands = impl_->buildCommands();
    impl_->installLineKeys();
    impl_->fitWidths();
    impl_->buildFailureLine();
    impl_->buildFindBar();
    impl_->assemble(orderLevel, entry, commands);
    impl_->setTabOrder();
    impl_->watchForm();
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

OrderedItemsWidget::InstalledTranslations OrderedItemsWidget::installTranslations(const QLocale& locale)
{
    InstalledTranslations out;
    if (!QCoreApplication::instance()) {
        out.missing = QStringLiteral("no application is running to take the translations");
        return out;
    }
    initTranslationResource();
    // The window's texts are written in English, as are Qt's own.
    const bool english = locale.language() == QLocale::English || locale.language() == QLocale::C;
    struct Catalog {
        const char* name;
        QString folder;
        bool InstalledTranslations::*found;
    };
    constexpr std::size_t kCatalogs = 2;
    const Catalog catalogs[kCatalogs] = {
        {"zelt", QStringLiteral(":/zelt/translations"), &InstalledTranslations::window},
        {"qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath), &InstalledTranslations::qtBase},
    };
    // The translators of a previous call give way; they belong to the
    // application, so they go with it at the latest.
    static QPointer<QTranslator> installed[kCatalogs];
    for (std::size_t i = 0; i < kCatalogs; ++i) {
        if (installed[i]) {
            QCoreApplication::removeTranslator(installed[i]);
            delete installed[i];
        }
        const Catalog& catalog = catalogs[i];
        if (english) {
            out.*catalog.found = true;
            continue;
        }
        auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (translator->load(locale, QString::fromLatin1(catalog.name), QStringLiteral("_"), catalog.folder) &&
            QCoreApplication::installTranslator(translator.get())) {
            installed[i] = translator.release();
            out.*catalog.found = true;
            continue;
        }
        if (!out.missing.isEmpty()) out.missing += QStringLiteral("; ");
        out.missing += QStringLiteral("no %1 translation for %2 in %3")
                           .arg(QString::fromLatin1(catalog.name), locale.name(), catalog.folder);
    }
    return out;
}

OrderedItemsWidget::~OrderedItemsWidget()
{
    // The form outlives nothing Qt: drop the callbacks into this widget first.
    view::Form& f = impl_->control->form();
    f.PopupRequested = nullptr;
    f.FocusChanged = nullptr;
    f.ValuesChanged = nullptr;
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
