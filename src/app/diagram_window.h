#pragma once

#include "diagram/circuit_diagram.h"
#include "diagram/diagram_source.h"

#include <QWidget>

#include <optional>

class QAction;

namespace ampery::area {
class ExperimentController;
}

namespace ampery::app {

class DiagramView;
class Prompts;

// 电路图: a tool window beside the main window that draws the experiment as a
// circuit diagram and follows every change. The diagram is laid out again
// only when what it is made of changed, so moving a component costs a
// comparison; while the window is hidden nothing is computed, and showing it
// catches up.
class DiagramWindow : public QWidget {
    Q_OBJECT
public:
    DiagramWindow(const area::ExperimentController& controller, Prompts& prompts, QWidget* parent);

    QAction* showValuesAction() const { return m_showValues; }
    QAction* saveAction() const { return m_save; }
    QAction* printAction() const { return m_print; }
    DiagramView& view() const { return *m_view; }

    // The diagram of the experiment now, laid out when it is not yet.
    const diagram::CircuitDiagram& currentDiagram();
    // How often a diagram was laid out.
    int layoutCount() const { return m_layoutCount; }

    // 保存电路图: asks for a file; SVG or PNG by its extension.
    void save();
    // 打印电路图: the print dialog, then the diagram scaled to the page.
    void print();

signals:
    // The user closed the window.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void follow();
    void catchUp();
    void placeBesideParent();

    const area::ExperimentController& m_controller;
    Prompts& m_prompts;
    DiagramView* m_view = nullptr;
    QAction* m_showValues = nullptr;
    QAction* m_save = nullptr;
    QAction* m_print = nullptr;
    std::optional<diagram::DiagramSource> m_source; // what m_diagram was laid out from
    diagram::CircuitDiagram m_diagram;
    int m_layoutCount = 0;
    bool m_placed = false;
};

} // namespace ampery::app
