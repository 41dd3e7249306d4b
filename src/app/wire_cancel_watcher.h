#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace ampery::app {

// Runs a check whenever the pointer enters or moves over a watched widget:
// leaving the experiment area for any other control drops an unfinished wire.
class WireCancelWatcher : public QObject {
    Q_OBJECT
public:
    explicit WireCancelWatcher(std::function<void()> check, QObject* parent = nullptr);

    // Watches the widget and every widget inside it except the one left out.
    void watch(QWidget* widget, const QWidget* leftOut = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_check;
};

} // namespace ampery::app
