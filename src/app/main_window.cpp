#include "main_window.h"

#include "about_dialog.h"
#include "analysis/status_texts.h"
#include "app_texts.h"
#include "area/area_interaction.h"
#include "area/experiment_area.h"
#include "area/experiment_controller.h"
#include "help_file.h"
#include "palette.h"
#include "parameter_dialog.h"
#include "picture_export.h"
#include "prompts.h"
#include "settings_panel.h"
#include "wire_cancel_watcher.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolBar>

#include <algorithm>

namespace ampery::app {

using area::PaletteButton;

MainWindow::MainWindow(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_prompts(prompts), m_files(prompts, this) {
    setWindowTitle(texts::caption);
    m_controller = std::make_unique<area::ExperimentController>(*this, devicePixelRatioF());
    m_interaction = std::make_unique<area::AreaInteraction>(*m_controller, *this);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("客户区"));
    setCentralWidget(client);
    buildMenus();
    buildToolbar(client);

    m_palette = new Palette(client);
    connect(m_palette, &Palette::clicked, this, [this](PaletteButton button) {
        switch (button) {
        case PaletteButton::Select:
            m_area->showCursor(area::AreaCursor::Hand);
            break;
        case PaletteButton::Move:
            m_area->showCursor(area::AreaCursor::SizeAll);
            break;
        case PaletteButton::Delete:
            m_area->showCursor(area::AreaCursor::Eraser);
            break;
        default:
            m_area->showCursor(area::AreaCursor::Cross);
        }
    });

    m_status = new QPlainTextEdit(client);
    m_status->setObjectName(QStringLiteral("提示编辑框"));
    m_status->setReadOnly(true);
    m_status->setGeometry(4, 364, 196, 116);

    m_area = new area::ExperimentArea(*m_controller, *m_interaction, client);
    m_area->setGeometry(204, 64, 490, 400);

    m_panel = new SettingsPanel(client);
    m_panel->setGeometry(707, 60, 132, 404);
    connect(m_panel, &SettingsPanel::focusToAreaRequested, m_area, qOverload<>(&QWidget::setFocus));
    connect(m_panel, &SettingsPanel::editRequested, this,
            [this](ParameterKind kind) { openParameterDialog(static_cast<int>(kind)); });

    m_watcher = new WireCancelWatcher([this] { wireCancelCheck(); }, this);
    m_watcher->watch(client, m_area);
    m_watcher->watch(menuBar());

    m_palette->check(PaletteButton::Source);
    m_palette->setRememberedToolCode(1);
    m_area->showCursor(area::AreaCursor::Cross);

    move(50, 50);
    resize(designSize);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_sizedToFrame)
        return;
    // Only a shown window knows its decorations: the design size is the frame's.
    m_sizedToFrame = true;
    resize(designSize - (frameGeometry().size() - size()));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(texts::fileMenu);
    file->addAction(texts::openItem, QKeySequence::Open, this, [this] {
        wireCancelCheck();
        openExperiment();
    });
    file->addAction(texts::newItem, QKeySequence::New, this, [this] {
        wireCancelCheck();
        newExperiment();
    });
    file->addAction(texts::saveItem, QKeySequence::Save, this, [this] {
        wireCancelCheck();
        saveExperiment();
    });
    file->addSeparator();
    file->addAction(texts::exportItem, this, &MainWindow::exportPicture);
    file->addSeparator();
    file->addAction(texts::exitItem, QKeySequence::Quit, this, [this] {
        wireCancelCheck();
        exitProgram();
    });
    QMenu* about = menuBar()->addMenu(texts::aboutMenu);
    about->addAction(texts::aboutItem, this, &MainWindow::showAbout);
}

void MainWindow::buildToolbar(QWidget* client) {
    m_toolbar = new QToolBar(client);
    m_toolbar->setObjectName(QStringLiteral("工具条1"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolbar->setMovable(false);
    const auto add = [this](const QString& caption, const QString& tip, auto slot) {
        QAction* action = m_toolbar->addAction(caption, this, slot);
        action->setToolTip(tip);
    };
    m_toolbar->addSeparator();
    add(texts::toolNew, texts::toolNewTip, &MainWindow::newExperiment);
    add(texts::toolOpen, texts::toolOpenTip, &MainWindow::openExperiment);
    add(texts::toolSave, texts::toolSaveTip, &MainWindow::saveExperiment);
    add(texts::toolExport, texts::toolExportTip, &MainWindow::exportPicture);
    m_toolbar->addSeparator();
    add(texts::toolStart, texts::toolStartTip, &MainWindow::startExperiment);
    add(texts::toolHelp, texts::toolHelpTip, &MainWindow::showHelp);
    add(texts::toolExit, texts::toolExitTip, &MainWindow::exitProgram);
    m_toolbar->setGeometry(0, 0, designSize.width(), 36);
}

void MainWindow::wireCancelCheck() {
    m_interaction->wireCancelCheck();
}

// ---- file commands ----

void MainWindow::newExperiment() {
    if (m_files.mayDiscard(m_controller->experiment()))
        startNewExperiment();
}

void MainWindow::startExperiment() {
    startNewExperiment();
}

void MainWindow::openExperiment() {
    if (!m_files.mayDiscard(m_controller->experiment()))
        return;
    const QString path = m_files.chooseFileToOpen();
    if (!path.isEmpty())
        openFile(path);
}

void MainWindow::openFile(const QString& path) {
    std::optional<QString> text = m_files.read(path);
    if (!text)
        return;
    m_interaction->reset();
    m_controller->resetExperiment();
    clearPanel();
    m_palette->setRememberedToolCode(0);
    m_area->setFocus();
    selectSelectTool();
    m_controller->experiment().setText(std::move(*text));
    m_controller->experiment().rebuildMotorSlots();
    m_controller->redrawAndAnalyse();
}

void MainWindow::saveExperiment() {
    m_files.save(m_controller->experiment());
}

void MainWindow::exitProgram() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_files.mayDiscard(m_controller->experiment()))
        event->accept();
    else
        event->ignore();
}

void MainWindow::exportPicture() {
    PictureExport(m_prompts, this).run(m_controller->canvases().area());
}

void MainWindow::showHelp() {
    HelpFile(m_prompts, this).show();
}

void MainWindow::showAbout() {
    AboutDialog(m_prompts, this).exec();
}

// ---- the new-experiment reset and the layout ----

void MainWindow::startNewExperiment() {
    m_interaction->reset();
    m_controller->resetExperiment();
    clearPanel();
    m_status->clear();
    m_palette->setRememberedToolCode(1);
    m_palette->check(PaletteButton::Source);
    m_area->setFocus();
    m_area->showCursor(area::AreaCursor::Cross);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The layout rule works on the frame size, title bar and borders included.
    const QSize decorations = frameGeometry().size() - size();
    const QSize frame = size() + decorations;
    setMinimumSize(minimumFrameSize - decorations);
    // Too small: spring back to the minimum, and lay out for that size now.
    const QSize laidOut = frame.expandedTo(minimumFrameSize);
    if (laidOut != frame)
        resize(laidOut - decorations);
    const int w = laidOut.width();
    const int h = laidOut.height();
    m_panel->setGeometry(w - 140, m_panel->y(), m_panel->width(), h - 144);
    m_area->setGeometry(m_area->x(), m_area->y(), w - 363, h - 148);
    // The status line grows with the window but never reaches under the area,
    // where its text would be hidden: it keeps the designed 4-pixel gap.
    const int statusRoom = m_area->x() - statusGap - m_status->x();
    m_status->setGeometry(m_status->x(), h - 220, std::min(w - 660, statusRoom),
                          m_status->height());
    m_toolbar->setGeometry(0, 0, w, m_toolbar->height());
    m_controller->setAreaSize(m_area->size());
    if (m_controller->experiment().highestNumber() > 0) {
        // A modal box inside a live resize would nest event loops.
        m_controller->setGiveUpBoxSuppressed(true);
        m_controller->redrawAndAnalyse();
        m_controller->setGiveUpBoxSuppressed(m_interaction->state().dragInProgress);
    }
    m_area->update();
}

// ---- AreaHost ----

void MainWindow::showStatus(const QString& text) {
    QString shown = text;
    m_status->setPlainText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void MainWindow::showGiveUpMessage() {
    m_prompts.inform(this, analysis::texts::giveUpTitle(), analysis::texts::giveUpMessage());
}

void MainWindow::showLimitMessage(const QString& text) {
    m_prompts.inform(this, texts::noteTitle, text);
}

void MainWindow::showComponentInPanel(int number) {
    m_panel->showComponent(m_controller->experiment(), number);
}

void MainWindow::showSwitchForToggle(const QString& name) {
    m_panel->showSwitchForToggle(name);
}

void MainWindow::clearPanel() {
    m_panel->clear();
}

void MainWindow::setDescription(const QString& text) {
    m_panel->setDescription(text);
}

QString MainWindow::panelCategory() const {
    return m_panel->category();
}

QString MainWindow::panelMinimum() const {
    return m_panel->minimumText();
}

QString MainWindow::panelMaximum() const {
    return m_panel->maximumText();
}

void MainWindow::setPanelResistance(const QString& text) {
    m_panel->setResistanceText(text);
}

PaletteButton MainWindow::checkedPaletteButton() const {
    return m_palette->checked();
}

int MainWindow::rememberedToolCode() const {
    return m_palette->rememberedToolCode();
}

void MainWindow::selectSelectTool() {
    m_palette->check(PaletteButton::Select);
    m_area->showCursor(area::AreaCursor::Hand);
}

// ---- the parameter dialog ----

void MainWindow::openParameterDialog(int kind) {
    const int current = m_controller->currentComponent();
    const std::optional<model::Component> component =
        m_controller->experiment().readComponent(current);
    if (current == 0 || !component)
        return;
    ParameterDialog dialog(
        static_cast<ParameterKind>(kind), *component, *m_panel, m_prompts,
        [this, current](const ParameterWrite& write) {
            const auto result =
                write.second
                    ? m_controller->writeFields(current, write.first.field, write.first.value,
                                                write.second->field, write.second->value)
                    : m_controller->writeFields(current, write.first.field, write.first.value);
            return result == model::Experiment::WriteResult::Written;
        },
        this);
    dialog.exec();
}

} // namespace ampery::app
