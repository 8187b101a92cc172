// The windowed demo host. With a display it opens the order screen; without
// one (or with --scripted) it runs on Qt's offscreen platform, walks through
// a short session, saves a screenshot and prints the order summary.
#include "DemoWindow.h"

#include <zelt/StandIns.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: zelt-demo [options]\n"
    "  --scripted          run the scripted session offscreen even with a display\n"
    "  --screenshot FILE   where the scripted session saves its screenshot\n"
    "                      (default: zelt-demo.png in the build folder)\n"
    "  --size WxH          window size, e.g. 1024x700 (default: 1280x800, or the screen when smaller)\n"
    "  --locale NAME       number conventions, e.g. fr-CA or en-US (default: the system's)\n"
    "  --sample FOLDER     an order in the exchange files of examples/sample-order\n"
    "  --help              this text\n";

/// Message boxes of a session nobody watches: answered, written to the log
/// and printed, so the session shows what the control said.
class LoggedMessageBoxes : public zelt::view::ScriptedMessageBoxes {
public:
    zelt::demo::DemoWindow* window = nullptr;
    zelt::view::MessageBoxAnswer show(const zelt::view::MessageBoxRequest& request) override
    {
        auto answer = ScriptedMessageBoxes::show(request);
        if (window) window->log(QStringLiteral("Message box: ") + QString::fromStdString(request.text));
        std::cout << "Session:   the control said: \"" << request.text << "\"\n";
        return answer;
    }
};

/// Qt's notices that say nothing to a clerk or a newcomer (the offscreen
/// platform cannot pass size hints on) stay out of the output; every other
/// message goes on as Qt would print it.
void quietHarmlessNotices()
{
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.contains(QStringLiteral("does not support propagateSizeHints"))) return;
        if (previous) previous(type, context, message);
    });
    // Qt wants a runtime folder of the user's own; without one it says so and
    // uses the same one under /tmp.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 0);
    }
}

bool hasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::string(platform) == "offscreen") return false;
    return platform || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv)
{
    bool scripted = false;
    std::string screenshot;
    std::string sample;
    std::string localeName;
    int width = 0;
    int height = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--scripted") scripted = true;
        else if (arg == "--screenshot" && i + 1 < argc) screenshot = argv[++i];
        else if (arg == "--sample" && i + 1 < argc) sample = argv[++i];
        else if (arg == "--locale" && i + 1 < argc) localeName = argv[++i];
        else if (arg == "--size" && i + 1 < argc && std::sscanf(argv[i + 1], "%dx%d", &width, &height) == 2) ++i;
        else {
            std::cerr << "zelt-demo: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
    }
    if (!hasDisplay()) {
        scripted = true;
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    quietHarmlessNotices();
    QApplication app(argc, argv);
    // No display name: Qt would add it to every dialog's title and cut them short.
    QApplication::setApplicationName(QStringLiteral("zelt-demo"));
    if (!localeName.empty()) QLocale::setDefault(QLocale(QString::fromStdString(localeName).replace('-', '_')));
    const QLocale locale;
    // The build folder is two levels above this program (build/apps/demo-qt).
    if (screenshot.empty())
        screenshot = (QCoreApplication::applicationDirPath() + QStringLiteral("/../../zelt-demo.png")).toStdString();

    zelt::Services services;
    auto logged = std::make_shared<LoggedMessageBoxes>();
    if (scripted) services.messageBoxes = logged;
    try {
        auto order = sample.empty() ? zelt::demo::SampleOrder::embedded() : zelt::demo::SampleOrder::fromFolder(sample);
        zelt::demo::DemoWindow window(order, services, locale);
        logged->window = &window;
        // The window opens at the size asked, or at 1280 x 800 where the screen
        // has that room, within the screen's free area otherwise.
        if (width <= 0 || height <= 0) {
            const QRect free = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                                 : QRect(0, 0, 1280, 800);
            width = std::min(1280, free.width());
            height = std::min(800, free.height() - 40); // the title bar
        }
        window.resize(width, height);
        window.show();
        window.loadOrder(zelt::Mode::UpdateMode);
        if (!scripted) return QApplication::exec();

        // A short session as a clerk would work: select a line, switch modes,
        // add a line, edit one, delete one, export.
        zelt::OrderedItems& control = window.orderedItems().control();
        zelt::view::Form& form = control.form();
        zelt::view::Grid& grid = form.grdOrdItems;
        auto say = [&window](const std::string& what) {
            window.log(QString::fromStdString(what));
            std::cout << "Session: " << what << "\n";
        };
        // A click that a check stopped says what the clerk was told.
        auto written = [&](const char* step) {
            if (form.cmdAdd.caption() == "Add") return true;
            say(std::string("  ") + step + " refused: " +
                (logged->shown().empty() ? std::string("?") : logged->shown().back().text));
            form.cmdEdit.userClick();
            return false;
        };
        say("Loaded: freight by weight " + form.txtFee[4].text() + " with the carrier's surcharge " +
            form.txtFee[7].text() + " in it");
        say("Select line 2");
        grid.userClick(2, 12);

        // Amounts typed as the clerk's locale writes them.
        const std::string& point = control.locale().decimalSeparator;
        say("Add a line: Desk organiser, 3 x 14" + point + "50");
        form.cmdAdd.userClick();
        form.txtField[1].typeText("Desk organiser");
        form.txtField[2].typeText("DO-3");
        form.txtField[3].typeText("3");
        form.txtField[4].typeText("14" + point + "50");
        form.txtField[7].selectAll();
        form.txtField[7].typeText("1" + point + "2");
        // The sample order takes acknowledgements: the vendor acknowledged it.
        form.txtField[12].userDoubleClick();
        form.txtField[13].typeText("ACK-9001");
        form.cmdAdd.userClick();
        if (written("the new line"))
            say("  now line " + std::string(grid.text(grid.rows() - 1, 1)) + ", " +
                std::string(grid.text(grid.rows() - 1, 12)) + ", " + std::string(grid.text(grid.rows() - 1, 20)));

        say("Edit line 1: quantity 3");
        grid.userClick(1, 12);
        form.cmdEdit.userClick();
        form.txtField[3].selectAll();
        form.txtField[3].typeText("3");
        form.cmdAdd.userClick();
        if (written("the update"))
            say("  now line " + std::string(grid.text(1, 1)) + ", quantity " + std::string(grid.text(1, 6)) + ", " +
                std::string(grid.text(1, 20)));

        say("Switch to View Mode and back: the order goes out and loads again as it stands");
        window.switchMode(zelt::Mode::ViewMode);
        window.switchMode(zelt::Mode::UpdateMode);
        say("  " + std::to_string(grid.rows() - 1) + " lines, the last " + std::string(grid.text(grid.rows() - 1, 12)) +
            ", line 1 quantity " + std::string(grid.text(1, 6)) + (window.hasUnsavedWork() ? ", still unsaved" : ""));

        say("Delete line 8 (Add Mode offers Delete)");
        window.switchMode(zelt::Mode::AddMode);
        grid.userClick(8, 12);
        logged->answerNext(zelt::view::MessageBoxAnswer::Yes);
        form.cmdDelete.userClick();
        window.switchMode(zelt::Mode::UpdateMode);
        say("  " + std::to_string(grid.rows() - 1) + " lines left");

        say("Calculate Taxes & Fees with Home Delivery");
        form.cboFreightOptions[0].setListIndex(1);
        // A line is a member factory pickup: the clerk lets every line go that way.
        logged->answerNext(zelt::view::MessageBoxAnswer::Yes);
        form.cmdUpdateTaxes.userClick();
        if (!logged->shown().empty() && logged->shown().back().title == "Calculate Taxes & Fees")
            say("  refused: " + logged->shown().back().text);
        say("  freight " + form.txtFee[4].text() + ", home delivery " + form.txtFee[2].text() + ", province tax " +
            form.txtFieldTax[13].text() + ", country tax " + form.txtFieldTax[12].text() + ", total sales tax " + form.txtField[17].text() + ", total deposit " +
            form.txtFee[6].text());
        say("  TaxDataXML begins: " + control.TaxDataXML().substr(0, 160));
        // The tax of one result line, as TaxDataXML gives it.
        auto lineTax = [&control](int row) {
            const std::string& xml = control.TaxDataXML();
            const std::size_t line = xml.find("<No>Merch" + std::to_string(row) + "</No>");
            const std::size_t tax = line == std::string::npos ? line : xml.find("<Tax>", line);
            return tax == std::string::npos ? std::string("?") : xml.substr(tax + 5, xml.find('<', tax + 5) - tax - 5);
        };
        say("  exempt rows " + control.ExemptItems() + " went to AvaTax with the code NT: tax of row 3 " + lineTax(3) +
            ", of row 1 " + lineTax(1));
        say(std::string("  IsDirty ") + (control.IsDirty() ? "True" : "False") +
            " after the command, as described; the host still knows the work is " +
            (window.hasUnsavedWork() ? "unsaved" : "saved"));

        say("Override the province tax: 600" + point + "25 (ticking an override runs the tax command again, "
            "which asks again about the factory pickup)");
        logged->answerNext(zelt::view::MessageBoxAnswer::Yes);
        form.chkTaxes[13].userClick();
        const std::string countryBefore = form.txtFieldTax[12].text();
        form.txtFieldTax[13].typeText("600" + point + "25");
        const std::string countryAfter = form.txtFieldTax[12].text();
        say("  province tax " + form.txtFieldTax[13].text() + ", country tax " + countryAfter +
            (countryAfter == countryBefore ? " (kept)" : " (was " + countryBefore + ")") + ", total sales tax " +
            form.txtField[17].text());
        window.exportAll();
        // The picture shows the order screen from its top.
        if (auto* scroll = window.findChild<QScrollArea*>(QStringLiteral("orderScroll"))) {
            scroll->verticalScrollBar()->setValue(0);
            scroll->horizontalScrollBar()->setValue(0);
        }
        QApplication::processEvents();
        if (!window.grab().save(QString::fromStdString(screenshot))) {
            std::cerr << "zelt-demo: cannot write " << screenshot << "\n";
            return 1;
        }
        std::cout << zelt::demo::orderSummary(control) << "\nScreenshot: " << screenshot << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "zelt-demo: " << e.what() << "\n";
        return 1;
    }
}
