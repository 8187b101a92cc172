// Finding lines from the keyboard: Ctrl+F, typing, Enter / F3 and their
// Shift forms, the count, going round the order, nothing found, Esc.
#include "WidgetTestServices.h"

#include <zelt/OrderedItems.h>
#include <zelt/OrderedItemsWidget.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QtTest>

using namespace zelt;

class FindBarTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OrderedItemsWidget> widget;
    QLineEdit* text() { return widget->findChild<QLineEdit*>(QStringLiteral("findText")); }
    QString status() { return widget->findChild<QLabel*>(QStringLiteral("findStatus"))->text(); }
    int row() { return widget->control().form().grdOrdItems.row(); }

private slots:
    void init()
    {
        widget = std::make_unique<OrderedItemsWidget>();
        widget->resize(1024, 700);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        widget->control().GetComboContent(testing::kLookups);
        widget->control().setViewMode(Mode::UpdateMode);
        std::string lines;
        const char* descriptions[] = {"Desk", "Lamp", "Écran de bureau", "Desk lamp"};
        for (int n = 1; n <= 4; ++n) lines += testing::line(n, "1", descriptions[n - 1]);
        widget->control().setReadData(lines);
        widget->gridView()->setFocus();
    }
    void cleanup() { widget.reset(); }

    void findsAsTheClerkTypesStepsBothWaysAndOpensFromThePopupMenu()
    {
        QTest::keyClick(widget->gridView(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(text()->isVisible());
        QVERIFY(text()->hasFocus());
        // The search starts at the current line.
        QVERIFY(widget->control().SelectLine(2));
        QTest::keyClicks(text(), "DESK");
        QCOMPARE(row(), 4);
        QCOMPARE(status(), QStringLiteral("2 of 2"));
        // Typing on keeps a line that still matches.
        QTest::keyClicks(text(), " l");
        QCOMPARE(row(), 4);
        QCOMPARE(status(), QStringLiteral("1 of 1"));
        for (int i = 0; i < 2; ++i) QTest::keyClick(text(), Qt::Key_Backspace);
        struct Step {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int row;
            const char* status;
        } steps[] = {{Qt::Key_Return, Qt::NoModifier, 1, "1 of 2 (went round the order)"},
                     {Qt::Key_F3, Qt::NoModifier, 4, "2 of 2"},
                     {Qt::Key_F3, Qt::ShiftModifier, 1, "1 of 2"},
                     {Qt::Key_Return, Qt::ShiftModifier, 4, "2 of 2 (went round the order)"}};
        for (const Step& s : steps) {
            QTest::keyClick(text(), s.key, s.modifiers);
            QCOMPARE(row(), s.row);
            QCOMPARE(status(), QString::fromLatin1(s.status));
        }
        // Accents and case do not matter; nothing found leaves the line where it is.
        text()->clear();
        QTest::keyClicks(text(), "ecran");
        QCOMPARE(row(), 3);
        QTest::keyClicks(text(), "x");
        QCOMPARE(row(), 3);
        QCOMPARE(status(), QStringLiteral("No line holds this"));
        QTest::keyClick(text(), Qt::Key_Escape);
        QVERIFY(!text()->isVisible());
        QVERIFY(widget->gridView()->hasFocus());
        // The pop-up menu offers Find too.
        auto* find = widget->findChild<QAction*>(QStringLiteral("mnuFind"));
        QVERIFY(find);
        find->trigger();
        QVERIFY(text()->isVisible());
        QVERIFY(text()->hasFocus());
    }
};

QTEST_MAIN(FindBarTest)
#include "FindBarTest.moc"
