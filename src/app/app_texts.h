#pragma once

#include <QString>

// The main window's own texts, exactly as the user sees them.
namespace ampery::app::texts {

inline const QString caption = QStringLiteral("Ampery");

inline const QString noteTitle = QStringLiteral("提示：");
inline const QString questionTitle = QStringLiteral("询问：");
inline const QString errorPrefix = QStringLiteral("错误：");

inline const QString saveQuestion = QStringLiteral("当前实验已经被修改，请问是否保存？");

inline const QString saveDialogTitle = QStringLiteral("保存文件：");
inline const QString openDialogTitle = QStringLiteral("打开文件：");
inline const QString experimentFilter = QStringLiteral("模拟电路文件(*.aie)");
inline const QString experimentSuffix = QStringLiteral("aie");

// Menus.
inline const QString fileMenu = QStringLiteral("文件");
inline const QString openItem = QStringLiteral("打开");
inline const QString openExampleMenu = QStringLiteral("打开示例");
inline const QString newItem = QStringLiteral("新建");
inline const QString saveItem = QStringLiteral("保存");
inline const QString exportItem = QStringLiteral("导出模拟图");
inline const QString exitItem = QStringLiteral("退出");
inline const QString editMenu = QStringLiteral("编辑");
inline const QString undoItem = QStringLiteral("撤销");
inline const QString redoItem = QStringLiteral("重做");
inline const QString viewMenu = QStringLiteral("视图");
inline const QString diagramItem = QStringLiteral("电路图");
inline const QString namesItem = QStringLiteral("显示名称");
inline const QString namesTip = QStringLiteral("在实验区里每个元件的下面写出它的名称");
inline const QString aboutMenu = QStringLiteral("关于");
inline const QString aboutItem = QStringLiteral("关于版权");

// The command line.
inline const QString commandLineDescription =
    QStringLiteral("Ampery 虚拟电学实验室：搭建直流电路，观察电灯、电动机和电表的变化。");
inline const QString fileArgument = QStringLiteral("文件");
inline const QString fileArgumentHelp = QStringLiteral("启动后打开的实验文件（.aie）。");
inline const QString tooManyFiles = QStringLiteral("一次只能打开一个实验文件。");

// Toolbar captions and tooltips.
inline const QString toolNew = QStringLiteral("新建");
inline const QString toolNewTip = QStringLiteral("新建一个试验");
inline const QString toolOpen = QStringLiteral("打开");
inline const QString toolOpenTip = QStringLiteral("打开试验文件");
inline const QString toolSave = QStringLiteral("保存");
inline const QString toolSaveTip = QStringLiteral("保存试验文件");
inline const QString toolExport = QStringLiteral("保存图片");
inline const QString toolExportTip = QStringLiteral("保存为图片文件");
inline const QString toolUndo = QStringLiteral("撤销");
inline const QString toolUndoTip = QStringLiteral("撤销上一步操作");
inline const QString toolRedo = QStringLiteral("重做");
inline const QString toolRedoTip = QStringLiteral("重做撤销的操作");
inline const QString toolDiagram = QStringLiteral("电路图");
inline const QString toolDiagramTip = QStringLiteral("显示或隐藏电路图");
inline const QString toolStart = QStringLiteral("开始");
inline const QString toolStartTip = QStringLiteral("直接开始一个项目设计");
inline const QString toolHelp = QStringLiteral("帮助");
inline const QString toolHelpTip = QStringLiteral("打开使用帮助");
inline const QString toolExit = QStringLiteral("退出");
inline const QString toolExitTip = QStringLiteral("退出试验室");

// The window's caption once the experiment has a file: the file's name, the
// modified mark while there are unsaved changes, the program.
inline const QString fileCaption = QStringLiteral("%1[*] - Ampery");

// Recovery after the program ended without closing.
inline const QString recoveryQuestion =
    QStringLiteral("上次的实验没有正常保存就关闭了，是否恢复？");
// %1 the recovery file, %2 why it could not be read, %3 where it was kept.
inline const QString recoveryUnreadable =
    QStringLiteral("错误：上次的实验留下的恢复文件 %1 无法读取：%2\n它已另存为 %3，没有删除。");
// %1 why the recovery copy could not be written.
inline const QString recoveryNotWritten =
    QStringLiteral("错误：无法写出实验的恢复副本：%1\n程序意外关闭时，未保存的改动将会丢失。");

// Palette headings.
inline const QString generalTools = QStringLiteral("通用");
inline const QString componentBox = QStringLiteral("工具箱");

} // namespace ampery::app::texts
