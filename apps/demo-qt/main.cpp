// The windowed demo host. With a display it opens the order screen; without
// one (or with --scripted) it runs on Qt's offscreen platform, walks through
// a short session, saves a screenshot and prints the order summary.
#include "DemoWindow.h"
#include "ScriptedSession.h"

#include <QApplication>
#include <QGuiApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

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
    "  --store FILE        the order store, an SQLite database (default: orders.sqlite in\n"
    "                      the user's data folder; a fresh one for the scripted session)\n"
    "  --help              this text\n";

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
    std::string store;
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
        else if (arg == "--store" && i + 1 < argc) store = argv[++i];
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
    // The window's texts and Qt's buttons in the clerk's language, and the
    // demo's own menus and dialogs, before any window is made.
    const auto translations = zelt::OrderedItemsWidget::installTranslations(locale);
    if (!localeName.empty() && !translations.missing.isEmpty())
        std::cerr << "zelt-demo: " << translations.missing.toStdString() << "\n";
    QTranslator demoTexts;
    if (demoTexts.load(locale, QStringLiteral("zelt_demo"), QStringLiteral("_"), QStringLiteral(":/zelt-demo/translations")))
        QCoreApplication::installTranslator(&demoTexts);
    // The build folder is two levels above this program (build/apps/demo-qt).
    if (screenshot.empty())
        screenshot = (QCoreApplication::applicationDirPath() + QStringLiteral("/../../zelt-demo.png")).toStdString();

    zelt::Services services;
    auto logged = std::make_shared<zelt::demo::LoggedMessageBoxes>();
    if (scripted) services.messageBoxes = logged;
    // Outlives the window, whose store may live in it.
    QTemporaryDir scratch;
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
        // The orders are kept in the user's data folder; a scripted session
        // starts from an empty store of its own.
        QString storePath = QString::fromStdString(store);
        if (storePath.isEmpty() && scripted) storePath = scratch.filePath(QStringLiteral("orders.sqlite"));
        if (storePath.isEmpty()) {
            const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            QDir().mkpath(folder);
            storePath = folder + QStringLiteral("/orders.sqlite");
        }
        if (const QString problem = window.openStore(storePath); !problem.isEmpty()) {
            std::cerr << "zelt-demo: working without an order store: " << problem.toStdString() << "\n";
            if (!scripted)
                QTimer::singleShot(0, &window, [&window, problem] {
                    QMessageBox::warning(&window, QObject::tr("Order store"),
                                         QObject::tr("The order store cannot be used: %1\n\nThe sample order is on "
                                                     "screen; Open and Save are not available.")
                                             .arg(problem));
                });
        }
        if (!scripted) return QApplication::exec();

        const int status = zelt::demo::ScriptedSession(window, *logged).run(screenshot);
        if (status != 0 || !window.store()) return status;
        // The session's order goes into the store and opens again from it.
        const std::string lines = window.orderedItems().control().readData();
        QString why = window.saveToStore(QStringLiteral("Session order"));
        const auto entries = why.isEmpty() ? window.store()->list() : std::vector<zelt::demo::OrderStore::Entry>();
        if (why.isEmpty()) why = window.openStored(entries.front().id);
        if (why.isEmpty() && window.orderedItems().control().readData() != lines) why = QStringLiteral("other lines");
        std::cout << "Store: " << window.store()->path() << " lists " << entries.size() << " order(s); "
                  << (why.isEmpty() ? "the session's order opened again with the same lines"
                                    : "saving and opening the session's order refused: " + why.toStdString())
                  << "\n";
        return why.isEmpty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "zelt-demo: " << e.what() << "\n";
        return 1;
    }
}
