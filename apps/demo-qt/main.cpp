// The windowed demo host. With a display it opens the order screen; without
// one (or with --scripted) it runs on Qt's offscreen platform, walks through
// a short session, saves a screenshot and prints the order summary.
//
//   zelt-demo [--scripted] [--screenshot FILE] [--sample FOLDER]
#include "DemoWindow.h"

#include <zelt/StandIns.h>

#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

/// Message boxes of a session nobody watches: answered and written to the log.
class LoggedMessageBoxes : public zelt::view::ScriptedMessageBoxes {
public:
    zelt::demo::DemoWindow* window = nullptr;
    zelt::view::MessageBoxAnswer show(const zelt::view::MessageBoxRequest& request) override
    {
        auto answer = ScriptedMessageBoxes::show(request);
        if (window) window->log(QStringLiteral("Message box: ") + QString::fromStdString(request.text));
        return answer;
    }
};

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
    std::string screenshot = "zelt-demo.png";
    std::string sample;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--scripted") scripted = true;
        else if (arg == "--screenshot" && i + 1 < argc) screenshot = argv[++i];
        else if (arg == "--sample" && i + 1 < argc) sample = argv[++i];
    }
    if (!hasDisplay()) {
        scripted = true;
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("ZeltOrderedItems demo"));

    zelt::Services services;
    auto logged = std::make_shared<LoggedMessageBoxes>();
    if (scripted) services.messageBoxes = logged;
    try {
        auto order = sample.empty() ? zelt::demo::SampleOrder::embedded() : zelt::demo::SampleOrder::fromFolder(sample);
        zelt::demo::DemoWindow window(order, services);
        logged->window = &window;
        window.resize(1280, 800);
        window.show();
        window.loadOrder(zelt::Mode::UpdateMode);
        if (!scripted) return QApplication::exec();

        // A short session: select a line, switch modes, export.
        zelt::OrderedItems& control = window.orderedItems().control();
        zelt::view::Grid& grid = control.form().grdOrdItems;
        window.log(QStringLiteral("Select line 2"));
        grid.userClick(2, 12);
        window.log(QStringLiteral("Switch to View Mode"));
        window.loadOrder(zelt::Mode::ViewMode);
        window.log(QStringLiteral("Back to Update Mode"));
        window.loadOrder(zelt::Mode::UpdateMode);
        grid.userClick(3, 12);
        window.exportAll();
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
