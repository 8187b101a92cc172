// A Qt host: a main window with the control on it, opening and saving orders
// kept as folders of exchange files (the layout of examples/sample-order).
// `qt-host [folder]` starts on that order (the sample order by default);
// `qt-host --check [folder]` opens it offscreen, saves it, opens the saved
// copy, prints the line count and the total deposit, and exits.
#include <zelt/OrderedItems.h>
#include <zelt/OrderedItemsWidget.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <string>

namespace {

const char* const kOrderFiles[] = {"lookups.txt", "lines.txt", "fees.txt", "salestax.txt", "brackets.txt"};

class HostWindow : public QMainWindow {
public:
    HostWindow()
    {
        QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
        addFolderAction(file, QStringLiteral("&Open order..."), QKeySequence::Open, &HostWindow::open);
        addFolderAction(file, QStringLiteral("&Save order as..."), QKeySequence::SaveAs, &HostWindow::save);
        file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    }

    // Opens the order in `folder` on a new control, which replaces the shown
    // one only when every file loaded. Returns why it could not, or nothing.
    QString open(const QString& folder)
    {
        std::map<std::string, std::string> files;
        for (const char* name : kOrderFiles) {
            QFile in(folder + '/' + name);
            if (!in.open(QIODevice::ReadOnly)) return in.fileName() + ": " + in.errorString();
            files[name] = in.readAll().replace('\n', "").replace('\r', "").toStdString();
        }
        // The exchange files write their amounts as en-US does.
        auto widget = std::make_unique<zelt::OrderedItemsWidget>(nullptr, zelt::Services{},
                                                                 QLocale(QLocale::English, QLocale::UnitedStates));
        zelt::OrderedItems& control = widget->control();
        try {
            control.setZeltEvent("PurchaseOrder");
            control.CountryID(zelt::COUNTRY::CANADA, static_cast<std::int16_t>(zelt::COUNTRY::CANADA));
            control.GetComboContent(files["lookups.txt"]);
            control.fGetOderIDStatus(true);
            control.setViewMode(zelt::Mode::UpdateMode);
            control.LetSalesTaxesNFees(files["fees.txt"], files["salestax.txt"], files["brackets.txt"]);
            control.setReadData(files["lines.txt"]);
            control.SetTaxNFees();
            control.setIsDirty(false);
        } catch (const zelt::Error& e) {
            return folder + ": " + e.what();
        }
        widget_ = widget.get();
        setCentralWidget(widget.release()); // deletes the order shown before
        files_ = std::move(files);
        savedRevision_ = control.Revision();
        setWindowTitle(folder + QStringLiteral(" - Order"));
        return {};
    }

    // Writes the order to `folder`: the lines as the control exports them, the
    // tax and fee summary (summary.txt) for the host's records, and the other
    // files as they were opened. Each file is replaced whole or not at all.
    QString save(const QString& folder)
    {
        if (!widget_) return QStringLiteral("No order is open.");
        if (control().IsLineOpen()) return QStringLiteral("Close the open line first.");
        std::map<std::string, std::string> out = files_;
        try {
            out["lines.txt"] = control().readData(), out["summary.txt"] = control().GetSalesTaxesNFees();
        } catch (const zelt::Error& e) {
            return e.what();
        }
        for (const auto& [name, text] : out) {
            QSaveFile file(folder + '/' + QString::fromStdString(name));
            QByteArray bytes = QByteArray::fromStdString(text).replace("$R$", "$R$\n");
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
                return file.fileName() + ": " + file.errorString();
        }
        savedRevision_ = control().Revision();
        return {};
    }

    zelt::OrderedItems& control() { return widget_->control(); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        const bool unsaved = widget_ && (control().Revision() != savedRevision_ || control().IsOpenLineChanged());
        if (unsaved && QMessageBox::question(this, QStringLiteral("Quit"), QStringLiteral("Discard the unsaved changes?")) !=
                           QMessageBox::Yes)
            event->ignore();
    }

private:
    // A menu entry that asks for a folder and tells the clerk why the action could not be done there.
    void addFolderAction(QMenu* menu, const QString& text, QKeySequence key, QString (HostWindow::*action)(const QString&))
    {
        menu->addAction(text, key, this, [this, text, action] {
            const QString folder = QFileDialog::getExistingDirectory(this, text);
            if (const QString error = folder.isEmpty() ? QString() : (this->*action)(folder); !error.isEmpty())
                QMessageBox::warning(this, text, error);
        });
    }

    zelt::OrderedItemsWidget* widget_ = nullptr;
    std::map<std::string, std::string> files_;
    std::uint64_t savedRevision_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const bool check = argc > 1 && std::string(argv[1]) == "--check";
    if (check) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window's own texts and Qt's standard buttons in the clerk's language,
    // before any widget is made; the exchange files stay en-US whatever it is.
    const auto translations = zelt::OrderedItemsWidget::installTranslations(QLocale());
    if (!check && !translations.missing.isEmpty()) std::cerr << "qt-host: " << translations.missing.toStdString() << "\n";
    HostWindow window;
    const int given = check ? 2 : 1; // where an order folder may be named
    QString error = window.open(argc > given ? QString::fromLocal8Bit(argv[given]) : QStringLiteral(ZELT_SAMPLE_ORDER));
    if (!check) {
        if (!error.isEmpty()) QMessageBox::warning(&window, QStringLiteral("Open order"), error);
        window.show();
        return QApplication::exec();
    }
    // The self-check: save the order, open the saved copy; the lines must come back as they were.
    QTemporaryDir saved;
    const std::string lines = error.isEmpty() ? window.control().readData() : std::string();
    if (error.isEmpty()) error = window.save(saved.path());
    if (error.isEmpty()) error = window.open(saved.path());
    if (error.isEmpty() && window.control().readData() != lines) error = QStringLiteral("the saved lines differ");
    if (!error.isEmpty()) return std::cerr << "qt-host: " << error.toStdString() << "\n", 1;
    const zelt::view::Form& form = window.control().form();
    std::cout << "Lines: " << form.grdOrdItems.rows() - 1 << ", total deposit: " << form.txtFee[6].text() << "\n";
    return 0;
}
