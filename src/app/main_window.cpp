#include "main_window.h"

#include "about_dialog.h"
#include "analysis/status_texts.h"
#include "app_texts.h"
#include "area/area_interaction.h"
#include "area/experiment_area.h"
#include "area/experiment_controller.h"
#include "diagram_window.h"
#include "help_file.h"
#include "palette.h"
#include "parameter_dialog.h"
#include "picture_export.h"
#include "prompts.h"
#include "recovery_writer.h"
#include "settings_panel.h"
#include "wire_cancel_watcher.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>

namespace ampery::app {

using area::PaletteButton;

MainWindow::MainWindow(Prompts& prompts, QWidget* parent, const QString& recoveryFolder,
                       const QString& exampleFolder)
    : QMainWindow(parent), m_prompts(prompts), m_files(prompts, this, exampleFolder),
      m_recoveryStore(recoveryFolder) {
    m_controller = std::make_unique<area::ExperimentController>(devicePixelRatioF());
    m_interaction = std::make_unique<area::AreaInteraction>(*m_controller, *this);
    m_recoveryWriter = new RecoveryWriter(
        m_recoveryStore, [this] { return m_controller->experiment().text(); }, this);
    connect(m_recoveryWriter, &RecoveryWriter::writeFailed, this, [this](const QString& reason) {
        m_prompts.inform(this, texts::noteTitle, texts::recoveryNotWritten.arg(reason));
    });

    m_diagramWindow = new DiagramWindow(*m_controller, m_prompts, this);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("客户区"));
    setCentralWidget(client);
    buildMenus();
    buildToolbar(client);
    buildKeys();

    m_palette = new Palette(client);
    connect(m_palette, &Palette::clicked, m_interaction.get(), &area::AreaInteraction::chooseTool);

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

    connectController();
    m_palette->setRememberedToolCode(1);
    chooseTool(PaletteButton::Source);
    updateCaption();

    move(50, 50);
    resize(designSize);
}

void MainWindow::connectController() {
    area::ExperimentController* controller = m_controller.get();
    connect(controller, &area::ExperimentController::statusChanged, this, &MainWindow::showStatus);
    connect(controller, &area::ExperimentController::gaveUp, this, [this] {
        m_prompts.inform(this, analysis::texts::giveUpTitle(), analysis::texts::giveUpMessage());
    });
    connect(controller, &area::ExperimentController::emptied, this, &MainWindow::showNewExperiment);
    connect(controller, &area::ExperimentController::historyMoved, this,
            &MainWindow::showCurrentComponent);
    connect(controller, &area::ExperimentController::experimentChanged, this,
            &MainWindow::followExperiment);
    QUndoStack& history = controller->history();
    connect(&history, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
    m_undoAction->setEnabled(history.canUndo());
    m_redoAction->setEnabled(history.canRedo());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_sizedToFrame)
        return;
    // Only a shown window knows its decorations: the design size is the frame's.
    m_sizedToFrame = true;
    resize(designSize - (frameGeometry().size() - size()));
}

MainWindow::~MainWindow() {
    // The controller goes after the recovery store: it must not tell the
    // window of its last changes meanwhile.
    m_controller->history().disconnect(this);
    m_controller->disconnect(this);
    m_controller->disconnect(m_diagramWindow);
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(texts::fileMenu);
    file->addAction(texts::openItem, QKeySequence::Open, this, [this] {
        wireCancelCheck();
        openExperiment();
    });
    // Listed each time 文件 opens, so examples added meanwhile show; greyed
    // when there are none.
    QMenu* examples = file->addMenu(texts::openExampleMenu);
    connect(file, &QMenu::aboutToShow, this, [this, examples] { listExamples(examples); });
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
    QMenu* edit = menuBar()->addMenu(texts::editMenu);
    m_undoAction = edit->addAction(texts::undoItem, this, &MainWindow::undo);
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_undoAction->setToolTip(texts::toolUndoTip);
    m_redoAction = edit->addAction(texts::redoItem, this, &MainWindow::redo);
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_redoAction->setToolTip(texts::toolRedoTip);
    buildViewMenu();
    QMenu* about = menuBar()->addMenu(texts::aboutMenu);
    about->addAction(texts::aboutItem, this, &MainWindow::showAbout);
}

void MainWindow::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(texts::viewMenu);
    m_diagramAction = view->addAction(texts::diagramItem);
    m_diagramAction->setCheckable(true);
    m_diagramAction->setToolTip(texts::toolDiagramTip);
    connect(m_diagramAction, &QAction::toggled, this, &MainWindow::showDiagram);
    connect(m_diagramWindow, &DiagramWindow::closed, m_diagramAction,
            [this] { m_diagramAction->setChecked(false); });
    view->addAction(m_diagramWindow->showValuesAction());
    view->addAction(m_diagramWindow->saveAction());
    view->addAction(m_diagramWindow->printAction());
    view->addSeparator();
    m_namesAction = view->addAction(texts::namesItem);
    m_namesAction->setCheckable(true);
    m_namesAction->setToolTip(texts::namesTip);
    connect(m_namesAction, &QAction::toggled, this, &MainWindow::showNames);
}

void MainWindow::listExamples(QMenu* menu) {
    menu->clear();
    // One entry per experiment file of the folder, named as the file is.
    for (const QFileInfo& file : places::examplesIn(m_files.exampleFolder())) {
        const QString path = file.absoluteFilePath();
        menu->addAction(file.completeBaseName(), this, [this, path] {
            wireCancelCheck();
            openNamedFile(path);
        });
    }
    menu->menuAction()->setEnabled(!menu->isEmpty());
}

void MainWindow::buildKeys() {
    // Escape drops a wire being drawn, as the right button does.
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, &MainWindow::wireCancelCheck);
    auto* remove = new QAction(this);
    remove->setShortcut(QKeySequence::Delete);
    connect(remove, &QAction::triggered, this, [this] { m_interaction->deleteCurrentComponent(); });
    addActions({escape, remove});
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
    m_toolbar->addAction(m_undoAction);
    m_toolbar->addAction(m_redoAction);
    m_toolbar->addSeparator();
    m_toolbar->addAction(m_diagramAction);
    m_toolbar->addSeparator();
    add(texts::toolStart, texts::toolStartTip, &MainWindow::startExperiment);
    add(texts::toolHelp, texts::toolHelpTip, &MainWindow::showHelp);
    add(texts::toolExit, texts::toolExitTip, &MainWindow::exitProgram);
    m_toolbar->setGeometry(0, 0, designSize.width(), 36);
}

void MainWindow::wireCancelCheck() {
    m_interaction->cancel();
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

void MainWindow::openNamedFile(const QString& path) {
    if (m_files.mayDiscard(m_controller->experiment()))
        openFile(path);
}

void MainWindow::openFile(const QString& path) {
    std::optional<QString> text = m_files.read(path);
    if (!text)
        return;
    m_interaction->cancel();
    clearPanel();
    m_palette->setRememberedToolCode(0);
    m_area->setFocus();
    chooseTool(PaletteButton::Select);
    setExperimentFile(path);
    m_controller->open(std::move(*text));
}

void MainWindow::saveExperiment() {
    const ExperimentFiles::Saved saved = m_files.save(m_controller->experiment());
    if (saved.result != ExperimentFiles::SaveResult::Saved)
        return;
    setExperimentFile(saved.path);
    m_controller->markSaved();
}

void MainWindow::exitProgram() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_files.mayDiscard(m_controller->experiment())) {
        event->ignore();
        return;
    }
    // The user has decided about every unsaved change: nothing to recover.
    m_recoveryWriter->experimentChanged(false);
    event->accept();
}

void MainWindow::followExperiment() {
    updateCaption();
    m_recoveryWriter->experimentChanged(m_controller->experiment().isModified());
}

void MainWindow::flushRecovery() {
    m_recoveryWriter->flush();
}

void MainWindow::offerRecovery() {
    for (const RecoveryStore::Orphan& orphan : m_recoveryStore.orphans())
        if (offerRecoveryCopy(orphan))
            return;
}

bool MainWindow::offerRecoveryCopy(const RecoveryStore::Orphan& orphan) {
    std::optional<RecoveryStore::ClaimedOrphan> claimed = m_recoveryStore.claim(orphan);
    if (!claimed)
        return false;
    model::FileText read = RecoveryStore::read(*claimed);
    if (!read.ok) {
        const QString unreadable = claimed->path();
        const RecoveryStore::KeptAside kept = RecoveryStore::keepAside(std::move(*claimed));
        m_prompts.inform(this, texts::noteTitle,
                         texts::recoveryUnreadable.arg(
                             unreadable, read.error, kept.path.isEmpty() ? unreadable : kept.path));
        return false;
    }
    if (m_prompts.ask(this, texts::questionTitle, texts::recoveryQuestion, false) !=
        Prompts::Answer::Yes) {
        RecoveryStore::remove(std::move(*claimed));
        return false;
    }
    m_interaction->cancel();
    clearPanel();
    m_palette->setRememberedToolCode(0);
    m_area->setFocus();
    chooseTool(PaletteButton::Select);
    setExperimentFile(QString());
    m_controller->open(std::move(read.text), area::ExperimentController::Opened::Unsaved);
    // The old copy goes only once the text is safe in this program's own.
    m_recoveryWriter->flush();
    if (QFileInfo::exists(m_recoveryStore.path()))
        RecoveryStore::remove(std::move(*claimed));
    return true;
}

void MainWindow::undo() {
    wireCancelCheck();
    m_controller->undo();
}

void MainWindow::redo() {
    wireCancelCheck();
    m_controller->redo();
}

void MainWindow::exportPicture() {
    PictureExport(m_prompts, this).run(m_controller->canvases().area());
}

void MainWindow::showHelp() {
    HelpFile(m_prompts, this).show();
}

void MainWindow::showDiagram(bool shown) {
    m_diagramAction->setChecked(shown);
    m_diagramWindow->setVisible(shown);
    if (shown)
        m_diagramWindow->raise();
}

void MainWindow::showNames(bool shown) {
    // The redraw would leave a wire being drawn half shown.
    wireCancelCheck();
    m_namesAction->setChecked(shown);
    m_controller->setNamesShown(shown);
}

void MainWindow::showAbout() {
    AboutDialog(m_prompts, this).exec();
}

// ---- the new-experiment reset and the layout ----

void MainWindow::startNewExperiment() {
    m_interaction->cancel();
    m_controller->startNew();
    setExperimentFile(QString());
    showNewExperiment();
}

void MainWindow::showNewExperiment() {
    clearPanel();
    m_status->clear();
    m_palette->setRememberedToolCode(1);
    chooseTool(PaletteButton::Source);
    m_area->setFocus();
}

void MainWindow::chooseTool(PaletteButton button) {
    m_palette->check(button);
    m_interaction->chooseTool(button);
}

void MainWindow::showCurrentComponent() {
    if (m_controller->currentComponent() != 0)
        showComponentInPanel(m_controller->currentComponent());
    else
        clearPanel();
}

void MainWindow::setExperimentFile(const QString& path) {
    m_experimentFile = path;
    updateCaption();
}

void MainWindow::updateCaption() {
    if (m_experimentFile.isEmpty()) {
        setWindowModified(false);
        setWindowTitle(texts::caption);
        return;
    }
    setWindowTitle(texts::fileCaption.arg(QFileInfo(m_experimentFile).fileName()));
    setWindowModified(m_controller->experiment().isModified());
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
        m_controller->setGiveUpBoxSuppressed(false);
    }
    m_area->update();
}

// ---- AreaHost ----

void MainWindow::showStatus(const QString& text) {
    QString shown = text;
    m_status->setPlainText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
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

void MainWindow::setPanelResistance(const QString& text) {
    m_panel->setResistanceText(text);
}

void MainWindow::showToolChosen(PaletteButton button) {
    m_palette->check(button);
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
                    ? m_controller->setFields(current, write.first.field, write.first.value,
                                              write.second->field, write.second->value)
                    : m_controller->setFields(current, write.first.field, write.first.value);
            return result == model::Experiment::WriteResult::Written;
        },
        this);
    dialog.exec();
}

} // namespace ampery::app
