// The window drives the real control: clicks, keys, picks, focus and the grid
// reach the model's entry points, and program changes show at once.
#include "FaultServer.h"
#include "GridTableModel.h"
#include "QtMessageBoxes.h"
#include "WidgetTestServices.h"
#include "WindowServiceActivity.h"

#include <zelt/OrderedItems.h>
#include <zelt/OrderedItemsWidget.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QProgressDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

using namespace zelt;

using testing::line;

class OrderedItemsWidgetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OrderedItemsWidget> widget;
    view::Form& form() { return widget->control().form(); }
    template <typename T>
    T* qt(const view::Widget& w)
    {
        return qobject_cast<T*>(widget->qtWidgetFor(w));
    }

    /// A shown window with the lookups, in Update Mode with the lines given.
    void makeWidget(Services services = {}, const QLocale& locale = QLocale(),
                    const std::string& lines = line(1, "1", "Desk") + line(2, "3", "Lamp") + line(3, "1", "Chair"))
    {
        widget = std::make_unique<OrderedItemsWidget>(nullptr, services, locale);
        widget->resize(1280, 800);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        widget->control().GetComboContent(testing::kLookups);
        widget->control().setViewMode(Mode::UpdateMode);
        widget->control().setReadData(lines);
    }
    /// Answers the next message box with `button`, keeping what it showed in `shown`.
    struct Shown {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    static void answerNextBox(QMessageBox::StandardButton button, Shown* shown)
    {
        QTimer::singleShot(0, [button, shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (shown) *shown = {box->text(), box->windowTitle(), box->icon()};
            box->button(button)->click();
        });
    }
    /// Clicks the description cell of a table row.
    void clickLine(int tableRow, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTableView* view = widget->gridView();
        QTest::mouseClick(view->viewport(), button, mods, view->visualRect(view->model()->index(tableRow, 12)).center());
    }

private slots:
    void init() { makeWidget(); }
    void cleanup() { widget.reset(); }

    void gridShowsTextsHiddenColumnsAndShading()
    {
        QTableView* view = widget->gridView();
        auto* model = view->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->headerData(12, Qt::Horizontal).toString(), QStringLiteral("Description")); // grid row 0
        auto shown = [model](int row, int col) { return model->data(model->index(row, col)).toString(); };
        for (int c : {0, 13}) QVERIFY(view->isColumnHidden(c));
        QVERIFY2(view->columnWidth(12) > view->columnWidth(6), "Description is the widest column");
        // The clerk also sees the line number, the status by name and the exempt mark.
        for (int c : {1, 2, 12, 21}) QVERIFY(!view->isColumnHidden(c));
        for (auto [row, col, text] : {std::tuple{0, 12, "Desk"}, {0, 20, "20.00"}, {0, 1, "1"}, {1, 2, "Cancelled"}, {0, 21, ""}})
            QCOMPARE(shown(row, col), QString::fromUtf8(text));
        // The line that is not priced is greyed.
        QVERIFY(model->data(model->index(1, 6), Qt::BackgroundRole).isValid());
        QVERIFY(!model->data(model->index(0, 6), Qt::BackgroundRole).isValid());
        form().grdOrdItems.setText(1, 12, "Oak desk");
        QCOMPARE(shown(0, 12), QStringLiteral("Oak desk"));
        form().grdOrdItems.setText(1, 21, "\xC3\xBE");
        QCOMPARE(shown(0, 21), QStringLiteral("\u2611"));
    }

    void typingGoesKeyByKeyThroughTheModel()
    {
        view::TextBox& description = form().txtField[1];
        description.setLocked(false);
        auto* edit = qt<QLineEdit>(description);
        QVERIFY(edit);
        QVERIFY(!edit->isReadOnly());
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("Oak"));
        QTest::keyClick(edit, Qt::Key_Return); // no line break: Enter moves on
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral(" desk"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(description.text(), std::string("Oak des"));
        QCOMPARE(edit->text(), QStringLiteral("Oak des"));
        QVERIFY(widget->control().IsDirty());
        QVERIFY(form().txtField[1].hasFocus());
        // A paste replaces the selected text.
        QApplication::clipboard()->setText(QStringLiteral("Pine"));
        edit->setSelection(0, 3);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(description.text(), std::string("Pine des"));
        description.setLocked(true);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QCOMPARE(description.text(), std::string("Pine des"));
        // A key the model discards never appears.
        view::TextBox& box = form().txtFee[3];
        box.setLocked(false);
        box.KeyPress = [](int& key) {
            if (key < '0' || key > '9') key = 0;
        };
        auto* fee = qt<QLineEdit>(box);
        fee->setFocus();
        fee->selectAll();
        QTest::keyClicks(fee, QStringLiteral("1a2"));
        QCOMPARE(fee->text(), QStringLiteral("12"));
        QCOMPARE(box.text(), std::string("12"));
        // Alt with a key that is no shortcut types nothing, in the box or the model
        box.KeyPress = nullptr;
        QTest::keyClick(fee, Qt::Key_U, Qt::AltModifier);
        QCOMPARE(fee->text(), QStringLiteral("12"));
        QCOMPARE(box.text(), std::string("12"));
    }

    void picksClicksAndFocusMovesReachTheModel()
    {
        view::ComboBox& issues = form().cboFld[4];
        auto* combo = qt<QComboBox>(issues);
        QVERIFY(combo);
        QCOMPARE(combo->count(), 2);
        issues.setLocked(false); // as the Direction box leaves it
        int clicks = 0;
        issues.Click = [&] { ++clicks; };
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(issues.listIndex(), 1);
        QCOMPARE(issues.text(), std::string("Fall 2024"));
        QCOMPARE(clicks, 2);
        issues.setListIndex(0); // a program selection shows in the window
        QCOMPARE(combo->currentIndex(), 0);
        // A click on a check box changes the model's value.
        view::CheckBox& box = form().chkDutyFee;
        clicks = 0;
        box.Click = [&] { ++clicks; };
        auto* check = qt<QCheckBox>(box);
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(box.value(), 1);
        QCOMPARE(clicks, 1);
        // A handler that puts the value back is what the window shows.
        box.Click = [&box] { box.setValue(0); };
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(box.value(), 0);
        QVERIFY(!check->isChecked());
        QCOMPARE(check->text(), QStringLiteral("Over Ridden"));
        // Focus moves reach the model.
        std::vector<std::string> events;
        form().txtField[2].setLocked(false);
        form().txtField[3].setLocked(false);
        form().txtField[2].LostFocus = [&] { events.push_back("lost model"); };
        form().txtField[3].GotFocus = [&] { events.push_back("got quantity"); };
        qt<QLineEdit>(form().txtField[2])->setFocus();
        QTest::mouseClick(qt<QLineEdit>(form().txtField[3]), Qt::LeftButton);
        QCOMPARE(events, (std::vector<std::string>{"lost model", "got quantity"}));
        form().txtField[2].setFocus(); // the program moves the focus too
        QTRY_VERIFY(qt<QLineEdit>(form().txtField[2])->hasFocus());
    }

    void gridMouseEventsCarryTheRowAndColumnUnderThePointer()
    {
        view::Grid& grid = form().grdOrdItems;
        std::vector<std::string> events;
        grid.MouseDown = [&](view::MouseButton b) {
            events.push_back("down " + std::to_string(static_cast<int>(b)) + " " + std::to_string(grid.mouseRow()) + "," +
                             std::to_string(grid.mouseCol()));
        };
        grid.MouseUp = [&](view::MouseButton b) {
            events.push_back("up " + std::to_string(static_cast<int>(b)) + " " + std::to_string(grid.mouseRow()));
            if (b == view::MouseButton::Right) grid.form()->popupMenu(grid.form()->mnuCopy);
        };
        grid.Click = [&] { events.push_back("click " + std::to_string(grid.row())); };
        clickLine(1);
        clickLine(2, Qt::RightButton);
        // Grid rows 2 and 3 (row 0 is the header row); a right click selects the line under the pointer first.
        QCOMPARE(events, (std::vector<std::string>{"down 1 2,12", "up 1 2", "click 2", "click 3", "down 2 3,12", "up 2 3"}));
        QCOMPARE(qt<QLineEdit>(form().txtField[1])->text(), QStringLiteral("Chair"));
        auto* menu = widget->findChild<QMenu*>(QStringLiteral("mnuCopy"));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Copy"));
        QVERIFY(!menu->actions().at(0)->isEnabled());
        QVERIFY(menu->actions().at(2)->isSeparator());
        QVERIFY(menu->actions().at(2)->text().isEmpty());
        menu->hide();
    }

    void anOverrideBoxUnlocksItsFeeTheTotalsFollowAndFrenchCanadaTypesTheDecimalComma()
    {
        // An order whose vendor charges a service fee of 2 per unit and 10 % handling
        OrderedItems& control = widget->control();
        control.LetSalesTaxesNFees(testing::serviceAndHandlingFees());
        control.setReadData(line(1, "1", "Desk") + line(2, "1", "Chair"));
        auto* serviceFee = qt<QLineEdit>(form().txtFee[3]);
        auto* handlingFee = qt<QLineEdit>(form().txtFee[5]);
        QCOMPARE(serviceFee->text(), QStringLiteral("8.00"));
        QCOMPARE(handlingFee->text(), QStringLiteral("4.80"));
        QVERIFY(serviceFee->isReadOnly());
        QTest::mouseClick(qt<QCheckBox>(form().chkServiceFee), Qt::LeftButton);
        QVERIFY(!serviceFee->isReadOnly());
        QCOMPARE(serviceFee->text(), QStringLiteral("0.00"));
        QTRY_VERIFY(serviceFee->hasFocus());
        QCOMPARE(handlingFee->text(), QStringLiteral("4.00"));
        serviceFee->selectAll();
        QTest::keyClicks(serviceFee, QStringLiteral("12"));
        QCOMPARE(serviceFee->text(), QStringLiteral("12"));
        QCOMPARE(handlingFee->text(), QStringLiteral("5.20"));
        QVERIFY(control.IsDirty());
        // An emptied box shows 0 and takes the next amount whole: 75, not 750
        QTest::keyClick(serviceFee, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(serviceFee, Qt::Key_Delete);
        QCOMPARE(serviceFee->text(), QStringLiteral("0"));
        QTest::keyClicks(serviceFee, QStringLiteral("75"));
        QCOMPARE(serviceFee->text(), QStringLiteral("75"));
        QCOMPARE(form().txtFee[3].text(), "75");
        // A French-Canadian clerk types the amount with the decimal comma: 12,50, not 1250.
        makeWidget({}, QLocale(QLocale::French, QLocale::Canada), "");
        QCOMPARE(widget->control().locale().decimalSeparator, std::string(","));
        QCOMPARE(qt<QLineEdit>(form().txtFee[0])->text(), QStringLiteral("0,00"));
        widget->control().LetSalesTaxesNFees(testing::serviceAndHandlingFees(","));
        QTest::mouseClick(qt<QCheckBox>(form().chkServiceFee), Qt::LeftButton);
        serviceFee = qt<QLineEdit>(form().txtFee[3]);
        QTRY_VERIFY(serviceFee->hasFocus());
        QTest::keyClicks(serviceFee, QStringLiteral("12,50"));
        QCOMPARE(serviceFee->text(), QStringLiteral("12,50"));
        QCOMPARE(text::toNumber(form().txtFee[3].text(), widget->control().locale()), 12.5);
    }

    void theKeyboardMovesThroughTheGridAfterALoad()
    {
        // A 200-line order just loaded: highlight style 0, nothing drawn selected
        std::string lines;
        for (int i = 1; i <= 200; ++i) lines += line(i, "1", "Line");
        widget->control().setReadData(lines);
        view::Grid& grid = form().grdOrdItems;
        QCOMPARE(grid.highlightStyle(), 0);
        QTableView* view = widget->gridView();
        QVERIFY(!view->selectionModel()->hasSelection());
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());
        for (auto [key, row] : {std::pair{Qt::Key_Home, 1}, {Qt::Key_Down, 2}, {Qt::Key_PageDown, -1}, {Qt::Key_PageUp, 2},
                                {Qt::Key_End, 200}, {Qt::Key_Up, 199}}) {
            QTest::keyClick(view, key);
            if (row > 0) QCOMPARE(grid.row(), row);
            else QVERIFY2(grid.row() > 3, "a page moves by more than one row");
            QCOMPARE(view->currentIndex().row(), grid.row() - 1);
            QVERIFY(view->viewport()->rect().intersects(view->visualRect(view->currentIndex())));
        }
    }

    void aClerkAddsALineWithTheKeyboardOnly()
    {
        QCOMPARE(form().grdOrdItems.rows(), 4);
        QTest::keyClick(widget.get(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(form().cmdAdd.caption(), std::string("Add to Grid"));
        auto* description = qt<QLineEdit>(form().txtField[1]);
        QTRY_VERIFY(description->hasFocus());
        auto typeAndEnter = [](QString text) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            if (!text.isEmpty()) QTest::keyClicks(focused, text);
            QTest::keyClick(focused, Qt::Key_Return);
        };
        typeAndEnter(QStringLiteral("Desk lamp"));
        QVERIFY(qt<QLineEdit>(form().txtField[2])->hasFocus());
        typeAndEnter(QStringLiteral("DL-1"));
        QVERIFY(qt<QLineEdit>(form().txtField[3])->hasFocus());
        typeAndEnter(QStringLiteral("2"));
        typeAndEnter(QStringLiteral("12.5"));
        auto* unit = qt<QComboBox>(form().cboFld[2]);
        QVERIFY(unit->hasFocus());
        typeAndEnter(QStringLiteral("B"));
        QCOMPARE(form().cboFld[2].text(), std::string("Box"));
        // Enter through the remaining fields writes the line at the last one,
        // passing by the issue list the Direction box leaves locked.
        for (int i = 0; i < 12 && form().cmdAdd.caption() != "Add"; ++i) {
            QVERIFY(QApplication::focusWidget() != widget->qtWidgetFor(form().cboFld[4]));
            typeAndEnter({});
        }
        QCOMPARE(form().cmdAdd.caption(), std::string("Add"));
        QCOMPARE(form().grdOrdItems.rows(), 5);
        for (auto [col, shown] : {std::pair{12, "Desk lamp"}, {7, "Box"}, {20, "25.00"}})
            QCOMPARE(form().grdOrdItems.text(4, col), std::string(shown));
        QCOMPARE(widget->gridView()->model()->rowCount(), 4);
        // The clerk goes on from the new line in the grid, where the taxes
        // wait for the tax command
        QTRY_VERIFY(widget->gridView()->hasFocus());
        QCOMPARE(form().grdOrdItems.row(), 4);
        auto* deposit = qt<QLineEdit>(form().txtFee[6]);
        QTRY_VERIFY(deposit->font().italic());
        QCOMPARE(deposit->toolTip(), QStringLiteral("Calculate Taxes & Fees to update"));
        QTest::mouseDClick(widget->gridView()->viewport(), Qt::LeftButton, {},
                           widget->gridView()->visualRect(widget->gridView()->model()->index(0, 12)).center());
        QCOMPARE(form().cmdAdd.caption(), std::string("Update"));
        widget->control().CancelOpenLine();
        QTest::keyClick(widget->gridView(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form().grdOrdItems.rows(), 4);
        QTest::keyClick(widget->gridView(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(form().grdOrdItems.rows(), 5);
    }

    void enterLeavesADatePickerAFailingCheckFocusesItsFieldAndEscClosesTheLineButNotAnOpenList()
    {
        QTest::keyClick(widget.get(), Qt::Key_A, Qt::AltModifier);
        QTest::keyClicks(qt<QLineEdit>(form().txtField[1]), QStringLiteral("Shelf"));
        // Enter leaves a date picker in one press.
        auto* picker = qobject_cast<QDateEdit*>(widget->qtWidgetFor(form().DTPckrPriceListDate));
        QVERIFY(picker);
        picker->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(picker->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(qt<QLineEdit>(form().txtField[7])->hasFocus());
        Shown shown;
        answerNextBox(QMessageBox::Ok, &shown);
        QTest::mouseClick(qt<QPushButton>(form().cmdAdd), Qt::LeftButton);
        QCOMPARE(shown.text, QStringLiteral("The quantity of the line item is required."));
        QTRY_VERIFY2(qt<QLineEdit>(form().txtField[3])->hasFocus(),
                     QApplication::focusWidget() ? qPrintable(QApplication::focusWidget()->objectName()) : "none");
        // Esc in an open list closes only the list; the line stays open with what was typed
        auto* unit = qt<QComboBox>(form().cboFld[2]);
        unit->setFocus();
        unit->showPopup();
        QTRY_VERIFY(unit->view()->isVisible());
        QTest::keyClick(unit->view(), Qt::Key_Escape);
        QTRY_VERIFY(!unit->view()->isVisible());
        QCOMPARE(form().cmdAdd.caption(), std::string("Add to Grid"));
        QCOMPARE(form().txtField[1].text(), std::string("Shelf"));
        QVERIFY(!widget->gridView()->isEnabled());
        // Esc again in the combo: No keeps the line open, the focus in the combo
        answerNextBox(QMessageBox::No, nullptr);
        QTest::keyClick(unit, Qt::Key_Escape);
        QCOMPARE(form().cmdAdd.caption(), std::string("Add to Grid"));
        QTRY_VERIFY(unit->hasFocus());
        // Esc in a box, the typing let go: the line closes unwritten, the grid takes clicks again and has the focus
        qt<QLineEdit>(form().txtField[3])->setFocus();
        answerNextBox(QMessageBox::Yes, &shown);
        QTest::keyClick(qt<QLineEdit>(form().txtField[3]), Qt::Key_Escape);
        QCOMPARE(shown.text, QStringLiteral("Discard the changes to this line item?"));
        QCOMPARE(form().cmdAdd.caption(), std::string("Add"));
        QCOMPARE(form().grdOrdItems.rows(), 4);
        QVERIFY(widget->gridView()->isEnabled());
        QTRY_VERIFY(widget->gridView()->hasFocus());
    }

    void theTaxButtonAsksAboutFactoryPickupAndFillsTheTaxes()
    {
        // An order whose first line is a member factory pickup, AvaTax and a freight rule
        Services services;
        services.avaTax = [] { return std::make_shared<testing::StateTax>(); };
        services.freight = std::make_shared<testing::FlatFreight>();
        makeWidget(services);
        OrderedItems& control = widget->control();
        control.setZeltEvent("PurchaseOrder");
        control.setCustomerOrderedDate("2024-05-01");
        control.setCenterID("12");
        std::string pickup = line(1, "1", "Desk");
        pickup.replace(pickup.find("$F$1$F$0$F$"), 11, "$F$22$F$0$F$");
        control.setReadData(pickup + line(2, "1", "Lamp"));
        form().cboFreightOptions[0].addItem("Home Delivery", 7);
        form().cboFreightOptions[0].setListIndex(0);
        control.EnableUpdateTaxes(true);
        Shown asked;
        answerNextBox(QMessageBox::Yes, &asked);
        QTest::mouseClick(qt<QPushButton>(form().cmdUpdateTaxes), Qt::LeftButton);
        // Every line goes as a factory pickup without freight; 4% of the first line's 20.00
        QCOMPARE(asked.title, QStringLiteral("Information Validation"));
        QCOMPARE(form().grdOrdItems.text(2, 3), std::string("22"));
        QCOMPARE(qt<QLineEdit>(form().txtFee[4])->text(), QStringLiteral("0.00"));
        QCOMPARE(qt<QLineEdit>(form().txtFee[2])->text(), QStringLiteral("5.00"));
        QCOMPARE(qt<QLineEdit>(form().txtFieldTax[13])->text(), QStringLiteral("0.80"));
        QCOMPARE(qt<QLineEdit>(form().txtField[17])->text(), QStringLiteral("0.80"));
        QVERIFY(!qt<QPushButton>(form().cmdUpdateTaxes)->isEnabled());
    }

    void rightClickOffersTheCopyMenuAndDeleteAsksFirst()
    {
        widget->control().setViewMode(Mode::AddMode);
        widget->control().setReadData(line(1, "1", "Desk") + line(2, "1", "Lamp") + line(3, "1", "Chair"));
        QTableView* view = widget->gridView();
        clickLine(1);
        QVERIFY(view->selectionModel()->isRowSelected(1, QModelIndex()));
        form().grdOrdItems.setHighlightStyle(0); // the view follows the model's highlight
        QVERIFY(!view->selectionModel()->hasSelection());
        form().grdOrdItems.setHighlightStyle(1);
        QCOMPARE(qt<QLineEdit>(form().txtField[1])->text(), QStringLiteral("Lamp"));
        clickLine(1, Qt::RightButton);
        auto* menu = widget->findChild<QMenu*>(QStringLiteral("mnuCopy"));
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(menu->actions().at(0)->isEnabled());
        menu->hide();
        for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            Shown asked;
            answerNextBox(answer, &asked);
            QTest::mouseClick(qt<QPushButton>(form().cmdDelete), Qt::LeftButton);
            QCOMPARE(asked.text, QStringLiteral("Do you want to delete the selected line item?"));
            QCOMPARE(asked.title, QStringLiteral("Information Validation"));
            QCOMPARE(asked.icon, QMessageBox::Question);
            if (answer == QMessageBox::No) {
                QCOMPARE(form().grdOrdItems.rows(), 4);
                clickLine(1);
            }
        }
        QCOMPARE(form().grdOrdItems.rows(), 3); // only Yes removed the line
        QCOMPARE(form().grdOrdItems.text(2, 12), std::string("Chair"));
        QCOMPARE(view->model()->rowCount(), 2);
        QTRY_VERIFY2(view->hasFocus(), "the focus is not lost with the Delete button");
    }

    void severalLinesAreSelectedCopiedAndDeletedTogether()
    {
        widget->control().setViewMode(Mode::AddMode);
        widget->control().setReadData(line(1, "1", "Desk") + line(2, "1", "Lamp") + line(3, "1", "Chair"));
        QTableView* view = widget->gridView();
        clickLine(0);
        clickLine(2, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(form().grdOrdItems.selectedRows(), (std::vector<int>{1, 2, 3}));
        QTRY_COMPARE(view->selectionModel()->selectedRows().size(), 3);
        clickLine(1, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(form().grdOrdItems.selectedRows(), (std::vector<int>{1, 3}));
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().count(QLatin1Char('\n')), 3);  // the header and two lines
        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(form().grdOrdItems.selectedRows().size(), std::size_t{3});
        Shown shown;
        answerNextBox(QMessageBox::Yes, &shown);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(shown.text, QStringLiteral("Delete the 3 selected line items?"));
        QCOMPARE(form().grdOrdItems.rows(), 1);
    }

    void linesBelowADeleteAreRenumberedBetweenEvents()
    {
        std::string lines;
        for (int i = 1; i <= 150000; ++i) lines += line(i, "1", "Desk");
        widget->control().setViewMode(Mode::AddMode);
        widget->control().setReadData(lines);
        view::Grid& grid = form().grdOrdItems;
        clickLine(0);
        answerNextBox(QMessageBox::Yes, nullptr);
        QTest::keyClick(widget->gridView(), Qt::Key_Delete);
        QVERIFY(!grid.settled()); // the delete did not wait for the lines below it
        QTRY_VERIFY(grid.settled());
        QCOMPARE(grid.text(1, 1), std::string("1"));
        QCOMPARE(grid.text(149999, 1), std::string("149999"));
        QVERIFY(widget->control().Undo());
        QCOMPARE(grid.text(150000, 1), std::string("150000"));
    }

    void atSmallSizesNothingIsCutTheScreenScrollsAndTheLookIsConsistent()
    {
        // The order screen at 1024x700 with an order whose fees run to six digits
        widget->resize(1024, 700);
        form().txtFee[0].setText("187,500.00");
        QApplication::processEvents();
        auto fits = [](QLineEdit* edit) {
            return edit->width() >= edit->fontMetrics().horizontalAdvance(edit->text()) + 8;
        };
        for (int i = 0; i <= 7; ++i) QVERIFY2(fits(qt<QLineEdit>(form().txtFee[i])), qPrintable(QString::number(i)));
        form().txtFieldTax.forEach([&](int i, view::TextBox& box) { QVERIFY2(fits(qt<QLineEdit>(box)), qPrintable(QString::number(i))); });
        for (view::Label* label : {&form().lblDutyBrkgFee, &form().lblEnhancedDelivery, &form().lblCntrHndlFee})
            QVERIFY2(qt<QLabel>(*label)->width() >= qt<QLabel>(*label)->sizeHint().width(), label->caption().c_str());
        QTableView* view = widget->gridView();
        const int rowHeight = view->verticalHeader()->defaultSectionSize();
        QVERIFY(view->viewport()->height() >= rowHeight * 8);
        QCOMPARE(view->viewport()->height() % rowHeight, 0);
        QVERIFY2(view->viewport()->geometry().top() >= view->horizontalHeader()->height(), "the header stays in sight");
        auto* scroll = widget->findChild<QScrollArea*>(QStringLiteral("orderScroll"));
        QVERIFY(scroll);
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
        QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0); // nothing needs a sideways scroll
        // The look is consistent: hidden storage has no window widget; captions follow the model, "&&" showing
        // one ampersand; the Canada option's label says it; read-only totals are grey like the locked fees;
        // text and number cells sit on one line.
        QVERIFY(!widget->qtWidgetFor(form().txtHiddenItemTotal));
        form().cmdAdd.setCaption("Add to Grid");
        QCOMPARE(qt<QPushButton>(form().cmdAdd)->text(), QStringLiteral("Add to Grid"));
        QCOMPARE(qt<QPushButton>(form().cmdUpdateTaxes)->text(), QStringLiteral("Calculate Taxes && Fees"));
        QVERIFY(qt<QRadioButton>(form().OptVndrCntryID[1])->text().isEmpty());
        QCOMPARE(qt<QLineEdit>(form().txtField[18])->palette().color(QPalette::Base),
                 qt<QLineEdit>(form().txtFee[0])->palette().color(QPalette::Base));
        for (int col : {12, 15})
            QCOMPARE(view->model()->data(view->model()->index(0, col), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignVertical_Mask,
                     Qt::AlignVCenter);
        form().cmdAdd.setCaption("Add");
        QTest::keyClick(widget.get(), Qt::Key_A, Qt::AltModifier);
        QApplication::processEvents();
        QCOMPARE(widget->width(), 1024); // opening a line does not widen the window
        // A column the clerk widens stays widened.
        view->horizontalHeader()->resizeSection(12, 400);
        widget->resize(widget->width() + 100, widget->height());
        form().grdOrdItems.setHighlightStyle(1);
        QApplication::processEvents();
        QCOMPARE(view->columnWidth(12), 400);
    }

    void tabWalksTheScreenInReadingOrderAndLeavesTheGrid()
    {
        // A service fee the clerk may type (override ticked)
        widget->control().LetSalesTaxesNFees(testing::serviceAndHandlingFees());
        QTest::mouseClick(qt<QCheckBox>(form().chkServiceFee), Qt::LeftButton);
        auto* freight = qt<QLineEdit>(form().txtFee[3]);
        QVERIFY(!freight->isReadOnly());
        std::vector<QWidget*> visited;
        QWidget* first = qt<QCheckBox>(form().chkDutyBrokerageFee);
        first->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 60; ++i) {
            visited.push_back(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        auto at = [&](QWidget* w) { return std::find(visited.begin(), visited.end(), w) - visited.begin(); };
        // The typed fee is a stop, the read-only totals and locked fees are not
        QVERIFY(at(freight) < static_cast<long>(visited.size()));
        QCOMPARE(at(qt<QLineEdit>(form().txtField[18])), static_cast<long>(visited.size()));
        QCOMPARE(at(qt<QLineEdit>(form().txtFee[1])), static_cast<long>(visited.size()));
        // The order is the reading order: fees, taxes, rate, the grid once, the line buttons
        QVERIFY(at(freight) < at(qt<QCheckBox>(form().chkTaxes[12])));
        QVERIFY(at(qt<QCheckBox>(form().chkTaxes[12])) < at(widget->gridView()));
        QVERIFY(at(widget->gridView()) < at(qt<QPushButton>(form().cmdAdd)));
        QCOMPARE(std::count(visited.begin(), visited.begin() + at(qt<QPushButton>(form().cmdAdd)), widget->gridView()), 1);
    }

    void aFailedActionIsToldAboveTheGridAndIdleButtonsSayWhy()
    {
        auto* line = widget->findChild<QLabel*>(QStringLiteral("failureLine"));
        QVERIFY(line);
        QVERIFY(line->isHidden());
        form().cmdAdd.Click = [] { throw zelt::Error("the line store is full"); };
        QTest::mouseClick(qt<QPushButton>(form().cmdAdd), Qt::LeftButton);
        QVERIFY(!line->isHidden());
        QVERIFY(line->text().contains(QStringLiteral("the line store is full")));
        widget->control().setServiceTimeouts(std::chrono::milliseconds(300), std::chrono::milliseconds(600));
        widget->control().setInternalTaxServiceURL("http://127.0.0.1:1/TaxService.asmx");
        QVERIFY_THROWS_EXCEPTION(zelt::ServiceError, widget->control().CalculateTaxesFromVardonInternalService("PO-1"));
        QVERIFY(line->text().contains(QStringLiteral("A web service failed: RecalculateTaxes")));
        QVERIFY2(!QApplication::overrideCursor(), "no busy cursor left behind");
        QVERIFY(!form().cmdEdit.enabled()); // and a button that cannot act says why
        QCOMPARE(qt<QPushButton>(form().cmdEdit)->toolTip(), QStringLiteral("Click a line in the grid first"));
        form().grdOrdItems.userClick(1, 12);
        QCOMPARE(qt<QPushButton>(form().cmdEdit)->toolTip(), QStringLiteral("Alt+E, Enter or a double click on the grid"));
        // Delete on the grid of an order being updated says why no line goes, as a tip
        const int rows = form().grdOrdItems.rows();
        line->clear();
        QTest::keyClick(widget->gridView(), Qt::Key_Delete);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Lines are deleted in Add mode"));
        QCOMPARE(form().grdOrdItems.rows(), rows);
        QVERIFY2(line->text().isEmpty(), "a hint is no failure");
        // In Add Mode, with no line selected yet, it says to select one
        widget->control().setViewMode(Mode::AddMode);
        QToolTip::hideText();
        QTest::keyClick(widget->gridView(), Qt::Key_Delete);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Click a line in the grid first"));
    }

    void findBarFindsAsTheClerkTypesStepsBothWaysAndOpensFromThePopupMenu()
    {
        makeWidget({}, QLocale(), line(1, "1", "Desk") + line(2, "1", "Lamp") + line(3, "1", "Écran de bureau") +
                                      line(4, "1", "Desk lamp"));
        auto* text = widget->findChild<QLineEdit*>(QStringLiteral("findText"));
        const auto status = [this] { return widget->findChild<QLabel*>(QStringLiteral("findStatus"))->text(); };
        const auto row = [this] { return form().grdOrdItems.row(); };
        QTest::keyClick(widget->gridView(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(text->isVisible() && text->hasFocus());
        // The search starts at the current line; typing on keeps a line that still matches.
        QVERIFY(widget->control().SelectLine(2));
        const struct Step {
            const char* typed; // typed after clearing the box when it starts with '|'; else a key
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int row;
            const char* status;
        } steps[] = {{"DESK", {}, {}, 4, "2 of 2"},
                     {" l", {}, {}, 4, "1 of 1"},
                     {nullptr, Qt::Key_Backspace, {}, 4, "1 of 1"}, // "desk "
                     {nullptr, Qt::Key_Backspace, {}, 4, "2 of 2"},
                     {nullptr, Qt::Key_Return, {}, 1, "1 of 2 (went round the order)"},
                     {nullptr, Qt::Key_F3, {}, 4, "2 of 2"},
                     {nullptr, Qt::Key_F3, Qt::ShiftModifier, 1, "1 of 2"},
                     {nullptr, Qt::Key_Return, Qt::ShiftModifier, 4, "2 of 2 (went round the order)"},
                     {"|ecran", {}, {}, 3, "1 of 1"},              // accents and case do not matter
                     {"x", {}, {}, 3, "No line holds this"}}; // nothing moves
        for (const Step& s : steps) {
            if (s.typed && s.typed[0] == '|') text->clear();
            if (s.typed) QTest::keyClicks(text, s.typed + (s.typed[0] == '|'));
            else QTest::keyClick(text, s.key, s.modifiers);
            QCOMPARE(row(), s.row);
            QCOMPARE(status(), QString::fromLatin1(s.status));
        }
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!text->isVisible() && widget->gridView()->hasFocus());
        widget->findChild<QAction*>(QStringLiteral("mnuFind"))->trigger();
        QVERIFY(text->isVisible() && text->hasFocus());
    }

    // On a large order a key shows its match at once and the count follows
    // between events.
    void findBarCountsALargeOrderBetweenEvents()
    {
        std::string lines;
        for (int i = 1; i <= 40000; ++i) lines += line(i, "1", i % 2 ? "Desk" : "Lamp");
        makeWidget({}, QLocale(), lines);
        auto* text = widget->findChild<QLineEdit*>(QStringLiteral("findText"));
        const auto status = [this] { return widget->findChild<QLabel*>(QStringLiteral("findStatus"))->text(); };
        QVERIFY(widget->control().SelectLine(1));
        QTest::keyClick(widget->gridView(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(text, "lamp");
        QCOMPARE(form().grdOrdItems.row(), 2);
        QCOMPARE(status(), QStringLiteral("counting..."));
        QTRY_COMPARE(status(), QStringLiteral("1 of 20000"));
    }

    void aSlowServiceShowsADialogKeepsTheWindowRunningAndCancelsAtOnce()
    {
        standins::FaultServer silent(standins::FaultServer::Fault::Silent, ZELT_TEST_CERT, ZELT_TEST_KEY);
        widget->control().setServiceTimeouts(std::chrono::milliseconds(1000), std::chrono::milliseconds(10000));
        int ticks = 0; // the window's own timers go on firing while the exchange waits
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);
        QWidget* modalAt200 = nullptr;
        QString label;
        QElapsedTimer sinceCancel, took;
        QTimer::singleShot(200, [&] { modalAt200 = QApplication::activeModalWidget(); });
        QTimer::singleShot(600, [&] {
            auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog && dialog->isVisible());
            label = dialog->labelText();
            sinceCancel.start();
            dialog->findChild<QPushButton*>()->click();
        });
        took.start();
        widget->control().ReturnWebserviceXML(silent.base() + "Service.asmx", "127.0.0.1", "urn:Get", "<Get/>");
        const qint64 afterCancel = sinceCancel.elapsed();
        QVERIFY(!modalAt200);
        QVERIFY2(label.startsWith(QStringLiteral("Asking the web service...")), qPrintable(label));
        QVERIFY2(afterCancel < 100 && ticks >= 20 && took.elapsed() < 1000,
                 qPrintable(QStringLiteral("%1 ms after Cancel, %2 ticks").arg(afterCancel).arg(ticks)));
        QVERIFY(widget->control().LastServiceFailure().find("cancelled by the clerk") != std::string::npos);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Last, as it installs translators for the whole application (and ends in English).
    void windowTextsAndButtonsFollowTheInstalledLocale()
    {
        // The find bar's hint, the line entry's title, the wait dialog, a question's Yes and No.
        const char* english = "Description, model, acknowledgement or line number|Line entry|Asking AvaTax for the taxes...|Yes|No";
        // French first: the locales after it must take its translators away.
        const std::tuple<const char*, bool, const char*> cases[] = {
            {"fr_CA", true, "Description, modèle, numéro d’accusé de réception ou de ligne|Saisie de ligne|Demande des taxes à AvaTax...|Oui|Non"},
            {"sw_KE", false, english},
            {"en_US", true, english}};
        for (const auto& [locale, translated, texts] : cases) {
            const auto installed = OrderedItemsWidget::installTranslations(QLocale(QString::fromLatin1(locale)));
            QCOMPARE(installed.window && installed.qtBase && installed.missing.isEmpty(), translated);
            widget = std::make_unique<OrderedItemsWidget>();
            QStringList shown = {widget->findChild<QLineEdit*>(QStringLiteral("findText"))->placeholderText(),
                                 widget->findChild<QGroupBox*>(QStringLiteral("LineEntry"))->title(),
                                 qt::WindowServiceActivity::askingText("AvaTax")};
            QTimer::singleShot(0, [&shown] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                for (auto button : {QMessageBox::Yes, QMessageBox::No}) shown << box->button(button)->text().remove(QLatin1Char('&'));
                box->button(QMessageBox::No)->click();
            });
            QCOMPARE(qt::QtMessageBoxes().show({"Do you want to delete the selected line item?", "", view::MessageBoxButtons::YesNo}),
                     view::MessageBoxAnswer::No);
            QCOMPARE(shown, QString::fromUtf8(texts).split(QLatin1Char('|')));
        }
    }
};

QTEST_MAIN(OrderedItemsWidgetTest)
#include "OrderedItemsWidgetTest.moc"
