#include "WindowServiceActivity.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

namespace zelt::qt {

void WindowServiceActivity::exchangeStarted(std::string_view) { QApplication::setOverrideCursor(Qt::WaitCursor); }

void WindowServiceActivity::exchangeEnded() { QApplication::restoreOverrideCursor(); }

void WindowServiceActivity::exchangeFailed(std::string_view what)
{
    if (report)
        report(tr("A web service failed: %1").arg(QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size()))));
}

QString WindowServiceActivity::askingText(std::string_view service)
{
    // The names the control gives its exchanges, as the clerk knows them.
    const std::pair<std::string_view, const char*> names[] = {
        {"AvaTax", QT_TRANSLATE_NOOP("WindowServiceActivity", "Asking AvaTax for the taxes...")},
        {"RecalculateTaxes", QT_TRANSLATE_NOOP("WindowServiceActivity", "Asking the tax service...")},
    };
    for (const auto& [name, text] : names)
        if (name == service) return tr(text);
    return tr("Asking the web service...");
}

void WindowServiceActivity::wait(std::string_view service, const std::function<void()>& exchange)
{
    // Outside a running application (a host's thread, a test without one)
    // there is nothing to keep painting.
    if (!QApplication::instance() || QThread::currentThread() != QApplication::instance()->thread()) {
        exchange();
        return;
    }
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    QEventLoop loop;
    std::thread worker([&] {
        {
            CancelScope scope(cancel);
            exchange();
        }
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QElapsedTimer elapsed;
    elapsed.start();
    // First a short wait that keeps painting but holds the clerk's input back.
    QTimer::singleShot(dialogAfter, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!done) {
        const QString asking = askingText(service);
        auto dialog = std::make_unique<QProgressDialog>(asking, tr("Cancel"), 0, 0, QApplication::activeWindow());
        dialog->setObjectName(QStringLiteral("serviceProgress"));
        dialog->setWindowTitle(tr("Web service"));
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->setMinimumDuration(0);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, dialog.get(), [&] {
            if (!cancel)
                dialog->setLabelText(asking + QLatin1Char('\n') +
                                     tr("%n second(s)", nullptr, static_cast<int>(elapsed.elapsed() / 1000)));
        });
        QObject::connect(dialog.get(), &QProgressDialog::canceled, dialog.get(), [&] {
            cancel = true;
            dialog->setLabelText(tr("Cancelling..."));
        });
        clock.start(250);
        QApplication::changeOverrideCursor(Qt::BusyCursor);
        dialog->show();
        while (!done) loop.exec();
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    }
    worker.join();
}

} // namespace zelt::qt
