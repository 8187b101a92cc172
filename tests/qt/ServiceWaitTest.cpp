// The window while a web service is slow: it keeps running its events, a
// dialog names the service after a moment, and Cancel ends the exchange at
// once as a failure the control reports.
#include "FaultServer.h"

#include <zelt/OrderedItems.h>
#include <zelt/OrderedItemsWidget.h>

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

using namespace zelt;

class ServiceWaitTest : public QObject {
    Q_OBJECT

private slots:
    void slowServiceShowsADialogAndCancelsAtOnce()
    {
        standins::FaultServer silent(standins::FaultServer::Fault::Silent, ZELT_TEST_CERT, ZELT_TEST_KEY);
        OrderedItemsWidget widget;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.control().setServiceTimeouts(std::chrono::milliseconds(1000), std::chrono::milliseconds(10000));

        // The window's own timers go on firing while the exchange waits.
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);
        QProgressDialog* shownAt200 = nullptr;
        QString label;
        QElapsedTimer sinceCancel;
        QTimer::singleShot(200, [&] { shownAt200 = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()); });
        QTimer::singleShot(600, [&] {
            auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog && dialog->isVisible());
            label = dialog->labelText();
            sinceCancel.start();
            dialog->findChild<QPushButton*>()->click();
        });
        QElapsedTimer took;
        took.start();
        widget.control().ReturnWebserviceXML(silent.base() + "Service.asmx", "127.0.0.1", "urn:Get", "<Get/>");
        const qint64 afterCancel = sinceCancel.elapsed();

        QVERIFY(!shownAt200);
        QVERIFY2(label.startsWith(QStringLiteral("Asking the web service...")), qPrintable(label));
        QVERIFY2(afterCancel < 100, qPrintable(QString::number(afterCancel)));
        QVERIFY2(ticks >= 20, qPrintable(QString::number(ticks)));
        QVERIFY(took.elapsed() < 1000);
        QVERIFY(widget.control().LastServiceFailure().find("cancelled by the clerk") != std::string::npos);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(ServiceWaitTest)
#include "ServiceWaitTest.moc"
