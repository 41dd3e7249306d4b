#include "diagram_window.h"

#include "app_texts.h"
#include "area/experiment_controller.h"
#include "command_texts.h"
#include "diagram/diagram_drawing.h"
#include "diagram/diagram_layout.h"
#include "diagram_view.h"
#include "prompts.h"

#include <QAction>
#include <QCloseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace ampery::app {

DiagramWindow::DiagramWindow(const area::ExperimentController& controller, Prompts& prompts,
                             QWidget* parent)
    : QWidget(parent, Qt::Tool), m_controller(controller), m_prompts(prompts) {
    setObjectName(QStringLiteral("电路图窗口"));
    setWindowTitle(command_texts::diagramCaption);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("电路图工具条"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_showValues = toolbar->addAction(command_texts::showValuesItem);
    m_showValues->setCheckable(true);
    m_showValues->setToolTip(command_texts::showValuesTip);
    m_save = toolbar->addAction(command_texts::saveDiagramItem, this, &DiagramWindow::save);
    m_save->setToolTip(command_texts::saveDiagramTip);
    m_print = toolbar->addAction(command_texts::printDiagramItem, this, &DiagramWindow::print);
    m_print->setToolTip(command_texts::printDiagramTip);

    m_view = new DiagramView(this);
    connect(m_showValues, &QAction::toggled, this,
            [this](bool shown) { m_view->setOptions(diagram::DrawOptions{shown}); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_view, 1);
    resize(540, 440);

    // Placing a component does not analyse, but it is a step of the history.
    connect(&controller, &area::ExperimentController::analysed, this, &DiagramWindow::follow);
    connect(&controller, &area::ExperimentController::experimentChanged, this,
            &DiagramWindow::follow);
}

const diagram::CircuitDiagram& DiagramWindow::currentDiagram() {
    catchUp();
    return m_diagram;
}

void DiagramWindow::follow() {
    // A drag joins nothing new, and each of its steps analyses: the end of
    // the drag, a step of the history, is soon enough to look.
    if (isVisible() && !m_controller.dragInProgress())
        catchUp();
}

void DiagramWindow::catchUp() {
    diagram::DiagramSource source =
        diagram::diagramSource(m_controller.experiment(), m_controller.lastOutcome());
    if (m_source && *m_source == source)
        return;
    m_diagram = diagram::layOut(source);
    m_source = std::move(source);
    ++m_layoutCount;
    m_view->setDiagram(m_diagram);
}

void DiagramWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    catchUp();
    if (!m_placed) {
        m_placed = true;
        placeBesideParent();
    }
}

void DiagramWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void DiagramWindow::placeBesideParent() {
    const QWidget* owner = parentWidget();
    if (!owner)
        return;
    // To the right of the main window, or as far right as the screen allows.
    const QRect main = owner->frameGeometry();
    QPoint at(main.right() + 8, main.top());
    if (const QScreen* screen = owner->screen()) {
        const QRect room = screen->availableGeometry();
        const QSize frame = frameGeometry().size();
        at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - frame.width())));
        at.setY(std::max(room.top(), std::min(at.y(), room.bottom() + 1 - frame.height())));
    }
    move(at);
}

void DiagramWindow::save() {
    const diagram::CircuitDiagram& shown = currentDiagram();
    if (shown.symbols.isEmpty()) {
        m_prompts.inform(this, texts::noteTitle, command_texts::nothingToSave);
        return;
    }
    const QString fileName = m_prompts.saveFileName(this, {command_texts::diagramDialogTitle,
                                                           command_texts::diagramFilter,
                                                           command_texts::diagramSuffix,
                                                           {},
                                                           {}});
    if (fileName.isEmpty())
        return;
    switch (diagram::writeDiagramFile(shown, m_view->options(), fileName)) {
    case diagram::DiagramWrite::Written:
        return;
    case diagram::DiagramWrite::UnknownFormat:
        m_prompts.inform(this, texts::noteTitle, command_texts::diagramUnknownFormat.arg(fileName));
        return;
    case diagram::DiagramWrite::Failed:
        m_prompts.inform(this, texts::noteTitle, command_texts::diagramNotWritten.arg(fileName));
        return;
    }
}

void DiagramWindow::print() {
    const diagram::CircuitDiagram& shown = currentDiagram();
    if (shown.symbols.isEmpty()) {
        m_prompts.inform(this, texts::noteTitle, command_texts::nothingToPrint);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(command_texts::diagramCaption);
    // Most circuits are wider than tall; the dialog may still turn the page.
    printer.setPageOrientation(shown.size.width() > shown.size.height() ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);
    if (!m_prompts.choosePrinter(this, printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompts.inform(this, texts::noteTitle, command_texts::diagramNotPrinted);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The painter's viewport is the printable part of the page.
    DiagramView::paintFitted(painter, shown, m_view->options(), QRectF(painter.viewport()));
    painter.end();
}

} // namespace ampery::app
