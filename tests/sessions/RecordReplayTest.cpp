// A session recorded through the widget replays in zelt-session's
// interpreter to the same lines, exempt rows and summary.
#include "RecordingMessageBoxes.h"
#include "SampleOrder.h"
#include "ScriptParser.h"
#include "SessionHost.h"
#include "SessionRecorder.h"
#include "SessionRunner.h"
#include "StandInServices.h"

#include <zelt/OrderedItemsWidget.h>
#include <zelt/platform/FixedClock.h>
#include <zelt/platform/RuleTableFreightCalculator.h>
#include <zelt/view/ScriptedMessageBoxes.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <sstream>

using namespace zelt;

namespace {

/// Hands the shown taxes back on every new total, as the session's host does.
struct KeptTaxes : OrderedItemsEvents {
    OrderedItems* control = nullptr;
    void GetTotalAmount(double&) override { demo::keepShownTaxes(*control); }
};

} // namespace

class RecordReplayTest : public QObject {
    Q_OBJECT
private slots:
    void replaysToTheSameExport();
};

void RecordReplayTest::replaysToTheSameExport()
{
    const demo::SampleOrder order = demo::SampleOrder::embedded();
    auto answers = std::make_shared<view::ScriptedMessageBoxes>();
    auto boxes = std::make_shared<session::RecordingMessageBoxes>(answers);
    // The services outlive the control, whose connections they would wait for.
    session::StandInServices standIns;
    Services services;
    services.messageBoxes = boxes;
    services.clock = std::make_shared<platform::FixedClock>(text::Date{2024, 5, 2});
    services.freight = std::make_shared<platform::RuleTableFreightCalculator>(
        platform::RuleTableFreightCalculator::fromJson(order.freightRules));
    OrderedItemsWidget widget(nullptr, services, QLocale(QLocale::English, QLocale::UnitedStates));
    widget.resize(1280, 800);
    widget.show();
    OrderedItems& control = widget.control();
    KeptTaxes kept;
    kept.control = &control;
    control.setEventSink(&kept);
    view::Form& f = control.form();
    auto edit = [&](view::Widget& box) { return qobject_cast<QLineEdit*>(widget.qtWidgetFor(box)); };
    auto press = [&](view::Widget& button) { QTest::mouseClick(qobject_cast<QPushButton*>(widget.qtWidgetFor(button)), Qt::LeftButton); };

    std::ostringstream script;
    script << "today 2024-05-02\n";
    {
        session::SessionRecorder recorder(control, *boxes, script);
        recorder.host("load sample Add", [&] { demo::loadSampleOrder(control, order, Mode::AddMode, standIns.addresses()); });
        // Down to line 8 on the keyboard, deleted after the question.
        QTableView* grid = widget.gridView();
        QTest::keyClick(grid, Qt::Key_Home);
        for (int i = 1; i < 8; ++i) QTest::keyClick(grid, Qt::Key_Down);
        answers->answerNext(view::MessageBoxAnswer::Yes);
        QTest::keyClick(grid, Qt::Key_Delete);
        // A new line, typed box by box.
        press(f.cmdAdd);
        const std::pair<int, const char*> typed[] = {{1, "Desk lamp"}, {2, "DL-1"}, {3, "2"}, {4, "12.50"}};
        for (auto [index, text] : typed) QTest::keyClicks(edit(f.txtField[index]), text);
        auto* unit = qobject_cast<QComboBox*>(widget.qtWidgetFor(f.cboFld[2]));
        emit unit->activated(unit->findText(QStringLiteral("Box")));
        QTest::mouseDClick(edit(f.txtField[12]), Qt::LeftButton);
        QTest::keyClicks(edit(f.txtField[13]), "ACK-9001");
        press(f.cmdAdd);
    }
    const std::string recorded = script.str();
    for (const char* line : {"load sample Add\n", "grid click 8 8\nanswer Yes\nclick cmdDelete\n", "type txtField(1) \"Desk lamp\"\n",
                             "select cboFld(2) \"Box\"\n", "dblclick txtField(12)\n", "type txtField(13) \"ACK-9001\"\nclick cmdAdd\n"})
        QVERIFY2(recorded.find(line) != std::string::npos, (std::string("missing ") + line + "in:\n" + recorded).c_str());
    QCOMPARE(f.grdOrdItems.rows(), 11); // 10 lines, one gone, one added, and the header

    std::ostringstream out, err;
    session::SessionHost host(out);
    const auto parsed = session::ScriptParser::parse(recorded, "recorded.zss", host.control().form());
    QVERIFY(parsed.errors.empty());
    const int status = session::SessionRunner(host, out, err).run(parsed.steps, "recorded.zss");
    QVERIFY2(status == 0, (out.str() + err.str()).c_str());
    QCOMPARE(QString::fromStdString(session::SessionHost::exportText(host.control())),
             QString::fromStdString(session::SessionHost::exportText(control)));
}

QTEST_MAIN(RecordReplayTest)
#include "RecordReplayTest.moc"
