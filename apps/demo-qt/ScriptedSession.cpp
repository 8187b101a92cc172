#include "ScriptedSession.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>

#include <iostream>

namespace zelt::demo {

view::MessageBoxAnswer LoggedMessageBoxes::show(const view::MessageBoxRequest& request)
{
    auto answer = ScriptedMessageBoxes::show(request);
    if (window) window->log(QStringLiteral("Message box: ") + QString::fromStdString(request.text));
    std::cout << "Session:   the control said: \"" << request.text << "\"\n";
    return answer;
}

ScriptedSession::ScriptedSession(DemoWindow& window, LoggedMessageBoxes& boxes)
    : window_(window), boxes_(boxes), control_(window.orderedItems().control()), form_(control_.form()),
      grid_(form_.grdOrdItems), point_(control_.locale().decimalSeparator)
{
}

void ScriptedSession::say(const std::string& what)
{
    window_.log(QString::fromStdString(what));
    std::cout << "Session: " << what << "\n";
}

bool ScriptedSession::written(const char* step)
{
    if (form_.cmdAdd.caption() == "Add") return true;
    say(std::string("  ") + step + " refused: " + (boxes_.shown().empty() ? std::string("?") : boxes_.shown().back().text));
    form_.cmdEdit.userClick();
    return false;
}

void ScriptedSession::addLine()
{
    // Amounts typed as the clerk's locale writes them.
    say("Add a line: Desk organiser, 3 x 14" + point_ + "50");
    form_.cmdAdd.userClick();
    form_.txtField[1].typeText("Desk organiser");
    form_.txtField[2].typeText("DO-3");
    form_.txtField[3].typeText("3");
    form_.txtField[4].typeText("14" + point_ + "50");
    form_.txtField[7].selectAll();
    form_.txtField[7].typeText("1" + point_ + "2");
    // The sample order takes acknowledgements: the vendor acknowledged it.
    form_.txtField[12].userDoubleClick();
    form_.txtField[13].typeText("ACK-9001");
    form_.cmdAdd.userClick();
    const int last = grid_.rows() - 1;
    if (written("the new line"))
        say("  now line " + std::string(grid_.text(last, 1)) + ", " + std::string(grid_.text(last, 12)) + ", " +
            std::string(grid_.text(last, 20)));
}

void ScriptedSession::editLine()
{
    say("Edit line 1: quantity 3");
    grid_.userClick(1, 12);
    form_.cmdEdit.userClick();
    form_.txtField[3].selectAll();
    form_.txtField[3].typeText("3");
    form_.cmdAdd.userClick();
    if (written("the update"))
        say("  now line " + std::string(grid_.text(1, 1)) + ", quantity " + std::string(grid_.text(1, 6)) + ", " +
            std::string(grid_.text(1, 20)));
}

void ScriptedSession::switchModes()
{
    say("Switch to View Mode and back: the order goes out and loads again as it stands");
    window_.switchMode(Mode::ViewMode);
    window_.switchMode(Mode::UpdateMode);
    say("  " + std::to_string(grid_.rows() - 1) + " lines, the last " + std::string(grid_.text(grid_.rows() - 1, 12)) +
        ", line 1 quantity " + std::string(grid_.text(1, 6)) + (window_.hasUnsavedWork() ? ", still unsaved" : ""));
}

void ScriptedSession::deleteLine()
{
    say("Delete line 8 (Add Mode offers Delete)");
    window_.switchMode(Mode::AddMode);
    grid_.userClick(8, 12);
    boxes_.answerNext(view::MessageBoxAnswer::Yes);
    form_.cmdDelete.userClick();
    const std::string countryTax = form_.txtFieldTax[12].text();
    window_.switchMode(Mode::UpdateMode);
    say("  " + std::to_string(grid_.rows() - 1) + " lines left; back in Update Mode the country tax is " +
        form_.txtFieldTax[12].text() + " (Add Mode showed " + countryTax + ")");
}

std::string ScriptedSession::lineTax(int row) const
{
    const std::string& xml = control_.TaxDataXML();
    const std::size_t line = xml.find("<No>Merch" + std::to_string(row) + "</No>");
    const std::size_t tax = line == std::string::npos ? line : xml.find("<Tax>", line);
    return tax == std::string::npos ? std::string("?") : xml.substr(tax + 5, xml.find('<', tax + 5) - tax - 5);
}

void ScriptedSession::calculate()
{
    say("Calculate Taxes & Fees with Home Delivery");
    form_.cboFreightOptions[0].setListIndex(1);
    // A line is a member factory pickup: the clerk lets every line go that way.
    boxes_.answerNext(view::MessageBoxAnswer::Yes);
    form_.cmdUpdateTaxes.userClick();
    if (!boxes_.shown().empty() && boxes_.shown().back().title == "Calculate Taxes & Fees")
        say("  refused: " + boxes_.shown().back().text);
    say("  freight " + form_.txtFee[4].text() + ", home delivery " + form_.txtFee[2].text() + ", province tax " +
        form_.txtFieldTax[13].text() + ", country tax " + form_.txtFieldTax[12].text() + ", total sales tax " +
        form_.txtField[17].text() + ", total deposit " + form_.txtFee[6].text());
    say("  TaxDataXML begins: " + control_.TaxDataXML().substr(0, 160));
    say("  exempt rows " + control_.ExemptItems() + " went to AvaTax with the code NT: tax of row 3 " + lineTax(3) +
        ", of row 1 " + lineTax(1));
    say(std::string("  IsDirty ") + (control_.IsDirty() ? "True" : "False") +
        " after the command, as described; the host still knows the work is " +
        (window_.hasUnsavedWork() ? "unsaved" : "saved"));
}

void ScriptedSession::overrideProvinceTax()
{
    say("Override the province tax: 600" + point_ + "25 (ticking an override runs the tax command again, "
        "which asks again about the factory pickup)");
    boxes_.answerNext(view::MessageBoxAnswer::Yes);
    form_.chkTaxes[13].userClick();
    const std::string countryBefore = form_.txtFieldTax[12].text();
    form_.txtFieldTax[13].typeText("600" + point_ + "25");
    const std::string countryAfter = form_.txtFieldTax[12].text();
    say("  province tax " + form_.txtFieldTax[13].text() + ", country tax " + countryAfter +
        (countryAfter == countryBefore ? " (kept)" : " (was " + countryBefore + ")") + ", total sales tax " +
        form_.txtField[17].text());
}

int ScriptedSession::run(const std::string& screenshot)
{
    say("Loaded: freight by weight " + form_.txtFee[4].text() + " with the carrier's surcharge " +
        form_.txtFee[7].text() + " in it");
    say("Select line 2");
    grid_.userClick(2, 12);
    addLine();
    editLine();
    switchModes();
    deleteLine();
    calculate();
    overrideProvinceTax();
    window_.exportAll();
    // The picture shows the order screen from its top.
    if (auto* scroll = window_.findChild<QScrollArea*>(QStringLiteral("orderScroll"))) {
        scroll->verticalScrollBar()->setValue(0);
        scroll->horizontalScrollBar()->setValue(0);
    }
    QApplication::processEvents();
    if (!window_.grab().save(QString::fromStdString(screenshot))) {
        std::cerr << "zelt-demo: cannot write " << screenshot << "\n";
        return 1;
    }
    std::cout << orderSummary(control_) << "\nScreenshot: " << screenshot << "\n";
    return 0;
}

} // namespace zelt::demo
