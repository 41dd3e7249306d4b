#include "wire_cancel_watcher.h"

#include <QEvent>
#include <QWidget>

namespace ampery::app {

WireCancelWatcher::WireCancelWatcher(std::function<void()> check, QObject* parent)
    : QObject(parent), m_check(std::move(check)) {}

void WireCancelWatcher::watch(QWidget* widget, const QWidget* leftOut) {
    if (widget == leftOut)
        return;
    // Without tracking, moves with no button held never reach the widget.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        watch(child, leftOut);
}

bool WireCancelWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
        m_check();
    return QObject::eventFilter(watched, event);
}

} // namespace ampery::app
