#pragma once

#include "area/area_host.h"
#include "experiment_files.h"
#include "program_places.h"
#include "recovery_store.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QMenu;
class QPlainTextEdit;
class QToolBar;

namespace ampery::area {
class AreaInteraction;
class ExperimentArea;
class ExperimentController;
} // namespace ampery::area

namespace ampery::app {

class DiagramWindow;
class Palette;
class RecoveryWriter;
class Prompts;
class SettingsPanel;
class WireCancelWatcher;

// The one window of the program: palette and status line on the left, the
// experiment area in the middle, the settings panel on the right, menus and
// a toolbar for the file commands.
class MainWindow : public QMainWindow, public area::AreaHost {
    Q_OBJECT
public:
    static constexpr QSize designSize{853, 540};
    static constexpr QSize minimumFrameSize{710, 548};
    // Between the status line and the area.
    static constexpr int statusGap = 4;

    // Recovery copies go to the folder: the user's application data unless
    // a test gives its own; the example experiments are found where the
    // program's files are, unless a test gives its own folder.
    explicit MainWindow(Prompts& prompts, QWidget* parent = nullptr,
                        const QString& recoveryFolder = RecoveryStore::defaultFolder(),
                        const QString& exampleFolder = places::exampleFolder());
    ~MainWindow() override;

    area::ExperimentController& controller() { return *m_controller; }
    area::AreaInteraction& interaction() { return *m_interaction; }
    Palette& palette() { return *m_palette; }
    DiagramWindow& diagramWindow() { return *m_diagramWindow; }

    // The tool of a palette button, chosen as the user's click chooses it.
    void chooseTool(area::PaletteButton button);

    // The file commands of the menus and the toolbar.
    void newExperiment();  // asks to save first
    void openExperiment(); // asks to save first
    // Opens a file without a dialog: the experiment is replaced when it reads.
    void openFile(const QString& path);
    // A file named on the command line or chosen under 打开示例: asks to save
    // first, then opens it as 打开 does after its dialog.
    void openNamedFile(const QString& path);
    void saveExperiment();
    void startExperiment(); // new experiment without asking
    void exitProgram();     // asks to save first
    void exportPicture();
    void showHelp();
    void showAbout();
    // 电路图: shows or hides the circuit diagram window.
    void showDiagram(bool shown);
    // 显示名称: each component's name under it on the area.
    void showNames(bool shown);
    void undo();
    void redo();
    // At start: the experiments of programs that ended without closing are
    // offered back, newest first, until one is taken.
    void offerRecovery();
    // Writes the recovery copy of a change that is still waiting.
    void flushRecovery();

    // AreaHost
    void showLimitMessage(const QString& text) override;
    void showComponentInPanel(int number) override;
    void showSwitchForToggle(const QString& name) override;
    void clearPanel() override;
    void setPanelResistance(const QString& text) override;
    void showToolChosen(area::PaletteButton button) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildViewMenu();
    // 打开示例: one entry per example experiment; greyed when there is none.
    void listExamples(QMenu* menu);
    void buildToolbar(QWidget* client);
    void buildKeys();
    void connectController();
    void openParameterDialog(int kind);
    void wireCancelCheck();
    // The new-experiment reset: the experiment, its history and the window.
    void startNewExperiment();
    // The new-experiment reset of the window: panel, status line, palette.
    void showNewExperiment();
    void showStatus(const QString& text);
    // The panel after undo or redo: the current component if it still exists.
    void showCurrentComponent();
    void setExperimentFile(const QString& path);
    void updateCaption();
    // After every change: the caption and the recovery copy follow.
    void followExperiment();
    // Offers one recovery copy; whether it was taken.
    bool offerRecoveryCopy(const RecoveryStore::Orphan& orphan);

    Prompts& m_prompts;
    ExperimentFiles m_files;
    std::unique_ptr<area::ExperimentController> m_controller;
    std::unique_ptr<area::AreaInteraction> m_interaction;
    Palette* m_palette = nullptr;
    SettingsPanel* m_panel = nullptr;
    area::ExperimentArea* m_area = nullptr;
    QPlainTextEdit* m_status = nullptr;
    QToolBar* m_toolbar = nullptr;
    WireCancelWatcher* m_watcher = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    DiagramWindow* m_diagramWindow = nullptr;
    QAction* m_diagramAction = nullptr;
    QAction* m_namesAction = nullptr;
    QString m_experimentFile; // the file last opened or saved; empty for none
    RecoveryStore m_recoveryStore;
    RecoveryWriter* m_recoveryWriter = nullptr;
    bool m_sizedToFrame = false;
};

} // namespace ampery::app
