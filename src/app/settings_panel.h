#pragma once

#include "parameter_edit.h"

#include <QGroupBox>

#include <array>
#include <iterator>

class QLabel;
class QLineEdit;

namespace ampery::model {
class Experiment;
}

namespace ampery::app {

// The right-hand panel (分组框1): the current component's name, category, up
// to six values and a description. Values are changed only through the
// parameter dialog, which a press on an enabled value box asks for.
class SettingsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SettingsPanel(QWidget* parent = nullptr);

    // Name, type word, the values the type shows (enabled where the type may
    // change them) and the type's description. A missing component clears.
    void showComponent(const model::Experiment& experiment, int number);
    // The panel of a switch picked by a double click: no values, a toggle hint.
    void showSwitchForToggle(const QString& name);
    void clear();

    void setDescription(const QString& text);
    QString name() const;
    QString category() const;
    QString minimumText() const;
    QString maximumText() const;
    void setResistanceText(const QString& text);
    void setParameterText(ParameterKind kind, const QString& text);

signals:
    // The name or category box was about to take the keyboard focus.
    void focusToAreaRequested();
    void editRequested(ampery::app::ParameterKind kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box(ParameterKind kind) const;

    QLineEdit* m_name = nullptr;
    QLineEdit* m_category = nullptr;
    std::array<QLineEdit*, std::size(allParameterKinds)> m_values{};
    QLabel* m_description = nullptr;
};

} // namespace ampery::app
