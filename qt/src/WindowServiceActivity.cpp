#include "WindowServiceActivity.h"

#include <QApplication>
#include <QObject>

namespace zelt::qt {

void WindowServiceActivity::exchangeStarted(std::string_view) { QApplication::setOverrideCursor(Qt::WaitCursor); }

void WindowServiceActivity::exchangeEnded() { QApplication::restoreOverrideCursor(); }

void WindowServiceActivity::exchangeFailed(std::string_view what)
{
    if (report)
        report(QObject::tr("A web service failed: %1").arg(QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size()))));
}

} // namespace zelt::qt
