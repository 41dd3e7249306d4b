#pragma once

#include "area/area_host.h"
#include "experiment_files.h"

#include <QMainWindow>

#include <memory>

class QPlainTextEdit;
class QToolBar;

namespace ampery::area {
class AreaInteraction;
class ExperimentArea;
class ExperimentController;
} // namespace ampery::area

namespace ampery::app {

class Palette;
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

    explicit MainWindow(Prompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    area::ExperimentController& controller() { return *m_controller; }
    area::AreaInteraction& interaction() { return *m_interaction; }
    Palette& palette() { return *m_palette; }

    // The file commands of the menus and the toolbar.
    void newExperiment();  // asks to save first
    void openExperiment(); // asks to save first
    // Opens a file without a dialog: the experiment is replaced when it reads.
    void openFile(const QString& path);
    void saveExperiment();
    void startExperiment(); // new experiment without asking
    void exitProgram();     // asks to save first
    void exportPicture();
    void showHelp();
    void showAbout();

    // AreaHost
    void showStatus(const QString& text) override;
    void showGiveUpMessage() override;
    void showLimitMessage(const QString& text) override;
    void startNewExperiment() override;
    void showComponentInPanel(int number) override;
    void showSwitchForToggle(const QString& name) override;
    void clearPanel() override;
    void setDescription(const QString& text) override;
    QString panelCategory() const override;
    QString panelMinimum() const override;
    QString panelMaximum() const override;
    void setPanelResistance(const QString& text) override;
    area::PaletteButton checkedPaletteButton() const override;
    int rememberedToolCode() const override;
    void selectSelectTool() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildToolbar(QWidget* client);
    void openParameterDialog(int kind);
    void layOut();
    void wireCancelCheck();

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
    bool m_sizedToFrame = false;
};

} // namespace ampery::app
