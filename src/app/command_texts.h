#pragma once

#include <QString>

// Texts of picture export, the circuit diagram window, help and the About
// window, exactly as the user sees them.
namespace ampery::app::command_texts {

inline const QString exportDialogTitle = QStringLiteral("保存模拟图片：");
// Qt reads the patterns from the last parentheses of each entry.
inline const QString exportFilter =
    QStringLiteral("图片文件(*.BMP);;支持的图象文件(JPG,BMP,GIF) (*.jpg *.bmp *.gif);;"
                   "PNG 图片文件(*.png);;所有文件(*.*)");
inline const QString exportSuffix = QStringLiteral("BMP");
inline const QString viewQuestion = QStringLiteral("成功保存模拟图片，是否查看？");
// %1 the file, %2 why it could not be written.
inline const QString exportFailed = QStringLiteral("错误：模拟图片没有保存到 %1。\n%2");
// %1 the picture.
inline const QString pictureNotOpened =
    QStringLiteral("提示：模拟图片已保存在 %1，\n但没有找到能打开它的看图程序。");

// The circuit diagram window.
inline const QString diagramCaption = QStringLiteral("电路图");
inline const QString showValuesItem = QStringLiteral("显示数值");
inline const QString showValuesTip =
    QStringLiteral("在每个符号旁边写出它的数值：电源的电压、电阻的阻值、电表的读数");
inline const QString saveDiagramItem = QStringLiteral("保存电路图");
inline const QString saveDiagramTip = QStringLiteral("把电路图保存为 SVG 或 PNG 图片");
inline const QString printDiagramItem = QStringLiteral("打印电路图");
inline const QString printDiagramTip = QStringLiteral("打印电路图，缩放到整页");
inline const QString noDiagram = QStringLiteral("实验区里还没有元件，所以没有电路图。");
inline const QString diagramDialogTitle = QStringLiteral("保存电路图：");
inline const QString diagramFilter = QStringLiteral("SVG 图片 (*.svg);;PNG 图片 (*.png)");
inline const QString diagramSuffix = QStringLiteral("svg");
inline const QString nothingToSave =
    QStringLiteral("提示：实验区里还没有元件，没有电路图可以保存。");
inline const QString nothingToPrint =
    QStringLiteral("提示：实验区里还没有元件，没有电路图可以打印。");
// %1 the file.
inline const QString diagramUnknownFormat =
    QStringLiteral("错误：电路图没有保存到 %1。\n电路图只能保存为 SVG 或 PNG 图片，"
                   "请让文件名以 .svg 或 .png 结尾。");
// %1 the file.
inline const QString diagramNotWritten =
    QStringLiteral("错误：电路图没有保存到 %1。\n请检查文件夹是否存在、能否写入，磁盘是否已满。");
inline const QString diagramNotPrinted =
    QStringLiteral("错误：电路图没有打印出来，打印机无法开始打印。");

inline const QString helpFileName = QStringLiteral("Amperlab使用帮助.chm");
inline const QString folderNotCreated = QStringLiteral("无法建立文件夹");
// %1 the folders tried, one a line, each with the reason.
inline const QString helpNotWritten = QStringLiteral("错误：无法写出帮助文件：\n%1");
// %1 the help file.
inline const QString helpNotOpened =
    QStringLiteral("提示：帮助文件已保存在 %1，\n但桌面没有登记能打开 CHM 文件的程序，"
                   "也没有找到 CHM 阅读器 xchm 或 kchmviewer。请安装其中一个后再点“帮助”。");

inline const QString aboutCaption = QStringLiteral("关于");
inline const QString aboutDescription = QStringLiteral(
    "Ampery 虚拟电学实验室\n\n"
    "供初中物理直流电路教学使用：从工具箱取出电源、开关、电灯、电阻、变阻器、电动机、"
    "电流器和电压器放到实验区，用导线把接线柱连起来，程序随即分析电路，"
    "显示电灯的亮度、电动机的转向和快慢以及电表的读数。");
inline const QString aboutMaker = QStringLiteral("Ampery 开发组 制作");
inline const QString contactUs = QStringLiteral("联系我们");
inline const QString contactUsTip = QStringLiteral("打开使用帮助：关于本程序和它的制作者");
inline const QString closeButton = QStringLiteral("关闭");

} // namespace ampery::app::command_texts
