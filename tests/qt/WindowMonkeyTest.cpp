// A seeded monkey over the whole window: 20,000 random clicks and keys on
// whatever is visible and enabled, message boxes answered at random, pop-ups
// used or closed. No event may throw or hang, and the order must stay whole:
// its lines export, load into a fresh control and export the same again.
#include "WidgetTestServices.h"

#include <zelt/OrderedItems.h>
#include <zelt/OrderedItemsWidget.h>
#include <zelt/platform/MemoryEventLog.h>

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QtTest>

#include <chrono>
#include <deque>
#include <random>

using namespace zelt;

namespace {

/// The clerk at random: Yes or No to a question, Ok to a notice.
struct RandomAnswers : view::MessageBoxService {
    std::mt19937* rng = nullptr;
    std::function<void(const std::string&)> note;
    int answered = 0;
    view::MessageBoxAnswer show(const view::MessageBoxRequest& request) override
    {
        ++answered;
        const bool question = request.buttons == view::MessageBoxButtons::YesNo;
        const bool yes = question && (*rng)() % 2;
        note(" [box \"" + request.text + "\" -> " + (yes ? "Yes" : question ? "No" : "Ok") + "]");
        return yes ? view::MessageBoxAnswer::Yes : question ? view::MessageBoxAnswer::No : view::MessageBoxAnswer::Ok;
    }
};

bool clickable(QWidget* w, QWidget* window)
{
    if (w->window() != window || !w->isVisible() || !w->isEnabled() || w->width() <= 0 || w->height() <= 0) return false;
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QDateEdit*>(w)) return true;
    // A line edit of its own, not the one inside a combo or a date edit.
    return qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget()) &&
           !qobject_cast<QAbstractSpinBox*>(w->parentWidget());
}

/// The exported records cut to the fields a load takes: the 22nd field, the
/// exempt mark, is written but not read.
QStringList loadedFields(const std::string& exported)
{
    QStringList records = QString::fromStdString(exported).split(QStringLiteral("$R$"), Qt::SkipEmptyParts);
    for (QString& record : records) record = record.split(QStringLiteral("$F$")).mid(0, 21).join(QStringLiteral("$F$"));
    return records;
}

QString nameOf(QWidget* w)
{
    return QString::fromLatin1(w->metaObject()->className()) + "(" + w->objectName() + ")";
}

} // namespace

/// The offscreen platform cannot grab the keyboard for a pop-up nor raise a
/// window; it says so for every pop-up, which would bury the report.
QtMessageHandler testHandler = nullptr;
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QStringLiteral("This plugin does not support"))) testHandler(type, context, message);
}

class WindowMonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void randomClicksAndKeysKeepTheOrderWhole()
    {
        const unsigned seed = qEnvironmentVariableIsSet("ZELT_MONKEY_SEED") ? qEnvironmentVariableIntValue("ZELT_MONKEY_SEED") : 20240501u;
        constexpr int kEvents = 20000;
        std::mt19937 rng(seed);
        testHandler = qInstallMessageHandler(quietOffscreen);
        auto restoreHandler = qScopeGuard([] { qInstallMessageHandler(testHandler); });
        auto pick = [&rng](std::size_t n) { return static_cast<int>(rng() % n); };
        std::deque<QString> history; // the last events, for the failure report
        QString current;

        auto answers = std::make_shared<RandomAnswers>();
        answers->rng = &rng;
        answers->note = [&current](const std::string& s) { current += QString::fromStdString(s); };
        auto log = std::make_shared<platform::MemoryEventLog>();
        Services services;
        services.messageBoxes = answers;
        services.eventLog = log;
        services.freight = std::make_shared<testing::FlatFreight>();
        services.avaTax = [] { return std::make_shared<testing::StateTax>(true); };

        OrderedItemsWidget widget(nullptr, services, QLocale(QLocale::English, QLocale::UnitedStates));
        widget.resize(1280, 800);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        OrderedItems& control = widget.control();
        view::Form& form = control.form();
        control.GetComboContent(testing::kLookups);
        control.setViewMode(Mode::UpdateMode);
        control.setZeltEvent("PurchaseOrder");
        control.setCustomerOrderedDate("2024-05-01");
        control.setCenterID("12");
        control.LetSalesTaxesNFees(testing::serviceAndHandlingFees());
        const char* statuses[] = {"1", "1", "1", "2", "1", "3", "1", "5", "6", "1"};
        std::string lines;
        for (int n = 1; n <= 30; ++n) lines += testing::line(n, statuses[n % 10], "Item " + std::to_string(n), 1 + n % 7, n % 4 ? "EA" : "BX", std::to_string(n * 3) + ".25");
        control.setReadData(lines);
        form.cboFreightOptions[0].addItem("Home Delivery", 7);
        form.cboFreightOptions[0].setListIndex(0);
        control.EnableUpdateTaxes(true);

        QTableView* grid = widget.gridView();
        QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto* failureLine = widget.findChild<QLabel*>(QStringLiteral("failureLine"));
        QVERIFY(failureLine);
        // No real dialog may open: every message box goes to RandomAnswers.
        QString modalSeen;
        QTimer modalGuard;
        QObject::connect(&modalGuard, &QTimer::timeout, [&modalSeen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalSeen = nameOf(modal);
                modal->close();
            }
        });
        modalGuard.start(250);

        auto describeKey = [](int key, Qt::KeyboardModifiers mods) { return QKeySequence(static_cast<int>(mods) | key).toString(); };

        // Pop-ups left open by an event are used or closed, as a clerk would.
        auto settlePopups = [&] {
            for (int round = 0; round < 6; ++round) {
                QCoreApplication::processEvents();
                QWidget* popup = QApplication::activePopupWidget();
                if (!popup) return;
                if (auto* menu = qobject_cast<QMenu*>(popup)) {
                    QList<QAction*> usable;
                    for (QAction* a : menu->actions())
                        if (!a->isSeparator() && a->isEnabled() && a->isVisible()) usable << a;
                    if (usable.isEmpty() || pick(3) == 0) {
                        current += " [menu Esc]";
                        QTest::keyClick(menu, Qt::Key_Escape);
                    } else {
                        QAction* a = usable.at(pick(usable.size()));
                        current += " [menu " + a->text() + "]";
                        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                    }
                } else {
                    static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_Return, Qt::Key_Escape};
                    const Qt::Key key = keys[pick(std::size(keys))];
                    current += " [popup " + describeKey(key, {}) + "]";
                    QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, key);
                }
            }
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            QCoreApplication::processEvents();
        };

        auto randomEvent = [&] {
            QList<QWidget*> targets;
            for (QWidget* w : widget.findChildren<QWidget*>())
                if (clickable(w, &widget)) targets << w;
            const int kind = pick(100);
            if (kind < 22 && grid->isEnabled() && grid->isVisible()) {
                // The grid: a cell of a random line, left, right or double click.
                auto* model = grid->model();
                QPoint at(pick(grid->viewport()->width()), pick(grid->viewport()->height()));
                if (model->rowCount() > 0) {
                    QList<int> columns;
                    for (int c = 0; c < model->columnCount(); ++c)
                        if (!grid->isColumnHidden(c)) columns << c;
                    const QModelIndex cell = model->index(pick(model->rowCount()), columns.at(pick(columns.size())));
                    grid->scrollTo(cell);
                    const QRect r = grid->visualRect(cell);
                    at = r.topLeft() + QPoint(pick(std::max(1, r.width())), pick(std::max(1, r.height())));
                    current = QStringLiteral("grid cell %1,%2").arg(cell.row()).arg(cell.column());
                } else {
                    current = QStringLiteral("empty grid");
                }
                const int how = pick(20); // 4 in 20 a right click, 1 a double click
                current += how < 4 ? " right click" : how == 4 ? " double click" : " click";
                if (how == 4) QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
                else QTest::mouseClick(grid->viewport(), how < 4 ? Qt::RightButton : Qt::LeftButton, {}, at);
            } else if (kind < 55 && !targets.isEmpty()) {
                QWidget* w = targets.at(pick(targets.size()));
                const QPoint at(pick(w->width()), pick(w->height()));
                current = "click " + nameOf(w) + QStringLiteral(" at %1,%2").arg(at.x()).arg(at.y());
                QTest::mouseClick(w, Qt::LeftButton, {}, at);
            } else {
                QWidget* to = QApplication::focusWidget();
                if (!to && !targets.isEmpty()) to = targets.at(pick(targets.size()));
                if (!to) to = &widget;
                static const char printable[] = "abcxyzABQ 0123456789.,-";
                static const Qt::Key keys[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Escape,
                                               Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right,
                                               Qt::Key_Up,     Qt::Key_Down,    Qt::Key_Home,   Qt::Key_End};
                // The window's shortcuts: line commands, undo and redo, copy and paste.
                static const std::pair<Qt::Key, Qt::KeyboardModifier> shortcuts[] = {
                    {Qt::Key_A, Qt::AltModifier},     {Qt::Key_E, Qt::AltModifier},     {Qt::Key_D, Qt::AltModifier},
                    {Qt::Key_L, Qt::AltModifier},     {Qt::Key_C, Qt::AltModifier},     {Qt::Key_Z, Qt::ControlModifier},
                    {Qt::Key_Y, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_A, Qt::ControlModifier}};
                if (kind < 75) {
                    const char c = printable[pick(sizeof printable - 1)];
                    current = QStringLiteral("key '%1' to ").arg(QLatin1Char(c)) + nameOf(to);
                    QTest::keyClick(to, c);
                } else {
                    const auto [key, mod] = kind < 95 ? std::pair{keys[pick(std::size(keys))], Qt::NoModifier}
                                                      : shortcuts[pick(std::size(shortcuts))];
                    current = "key " + describeKey(key, mod) + " to " + nameOf(to);
                    QTest::keyClick(to, key, mod);
                }
            }
            settlePopups();
        };

        // The order read back must load into a fresh control and read back the same.
        // Due every 200 events; the export waits for the clerk to close an open line.
        bool exportDue = false;
        int reloads = 0;
        auto orderFault = [&]() -> QString {
            const view::Grid& g = form.grdOrdItems;
            const int rows = std::max(0, g.rows() - g.fixedRows());
            if (grid->model()->rowCount() != rows || grid->verticalHeader()->count() != rows)
                return QStringLiteral("the table shows %1 rows (header %2), the grid has %3 lines")
                    .arg(grid->model()->rowCount()).arg(grid->verticalHeader()->count()).arg(rows);
            try {
                (void)control.GetSalesTaxesNFees();
                if (form.cmdAdd.caption() != "Add") return {}; // a line is open: readData only tells the clerk so
                exportDue = false;
                ++reloads;
                const std::string exported = control.readData();
                Services quiet;
                quiet.eventLog = log;
                OrderedItems fresh(quiet);
                fresh.GetComboContent(testing::kLookups);
                fresh.setViewMode(Mode::UpdateMode);
                fresh.setReadData(exported);
                (void)fresh.GetSalesTaxesNFees();
                const QStringList records = loadedFields(exported);
                if (records.size() != rows)
                    return QStringLiteral("%1 lines exported, the grid has %2").arg(records.size()).arg(rows);
                const QStringList again = loadedFields(fresh.readData());
                for (qsizetype i = 0; i < records.size(); ++i)
                    if (again.value(i) != records.at(i))
                        return "a line does not read back the same:\n  " + records.at(i) + "\n  " + again.value(i);
            } catch (const std::exception& e) {
                return QStringLiteral("the order does not read back: ") + e.what();
            }
            return {};
        };

        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        double longestMs = 0;
        int longestEvent = 0;
        for (int event = 1; event <= kEvents; ++event) {
            current.clear();
            failureLine->clear();
            const auto before = Clock::now();
            QString fault;
            try {
                randomEvent();
            } catch (const std::exception& e) {
                fault = QStringLiteral("an exception escaped: ") + e.what();
            } catch (...) {
                fault = QStringLiteral("an unknown exception escaped");
            }
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - before).count();
            history.push_back(QStringLiteral("#%1 %2 (%3 ms)").arg(event).arg(current).arg(ms, 0, 'f', 1));
            if (history.size() > 20) history.pop_front();
            if (ms > longestMs) longestMs = ms, longestEvent = event;
            if (fault.isEmpty() && ms > 2000) fault = QStringLiteral("the event took %1 ms").arg(ms);
            if (fault.isEmpty() && !failureLine->text().isEmpty()) fault = "the window reported: " + failureLine->text();
            if (fault.isEmpty() && !modalSeen.isEmpty()) fault = "a real dialog opened: " + modalSeen;
            if (event % 200 == 0) exportDue = true;
            if (fault.isEmpty() && exportDue) fault = orderFault();
            if (fault.isEmpty() && QTest::currentTestFailed()) fault = QStringLiteral("the grid's table model broke its contract");
            if (!fault.isEmpty()) {
                fault = QStringLiteral("seed %1, event %2: %3\nlast events:").arg(seed).arg(event).arg(fault);
                for (const QString& h : history) fault += "\n  " + h;
                QFAIL(qPrintable(fault));
            }
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("monkey seed %u: %d events in %.1f s, %.0f events/s, longest event %.1f ms (#%d), "
                    "%d message boxes answered, %d lines at the end, %d exports reloaded\n",
                    seed, kEvents, seconds, kEvents / seconds, longestMs, longestEvent, answers->answered,
                    std::max(0, form.grdOrdItems.rows() - form.grdOrdItems.fixedRows()), reloads);
        QVERIFY2(reloads >= kEvents / 400, "the order was rarely exported: a line stayed open");
        std::fflush(stdout);
    }
};

QTEST_MAIN(WindowMonkeyTest)
#include "WindowMonkeyTest.moc"
