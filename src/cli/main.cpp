#include "analyse_command.h"
#include "console.h"
#include "diagram_command.h"
#include "render_command.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

struct Command {
    QLatin1StringView name;
    QLatin1StringView arguments;
    QLatin1StringView purpose;
    int (*run)(const QStringList& arguments);
    bool needsFonts = false;           // draws text, which takes a GUI application
    const char* fontsOption = nullptr; // or draws text only with this option
};

// Each command lives in its own source file and is listed here once.
const Command commands[] = {
    {QLatin1StringView("analyse"), QLatin1StringView("FILE.aie"),
     QLatin1StringView("analyse an experiment file and print the outcome as one JSON object"),
     ampery::cli::runAnalyseCommand},
    {QLatin1StringView("render"), QLatin1StringView("FILE.aie OUT.png [--size WxH] [--names]"),
     QLatin1StringView("draw the experiment area as the window shows it after opening the file,"
                       " as PNG, BMP or JPEG by the extension; --names writes each component's name"
                       " under it"),
     ampery::cli::runRenderCommand, false, "--names"},
    {QLatin1StringView("diagram"), QLatin1StringView("FILE.aie OUT.svg|png [--values]"),
     QLatin1StringView("draw the circuit diagram of what the experiment file wires, as SVG or"
                       " PNG by the extension; --values shows each component's value"),
     ampery::cli::runDiagramCommand, true},
};

const Command* commandNamed(QAnyStringView name) {
    const auto command = std::find_if(std::begin(commands), std::end(commands),
                                      [&](const Command& c) { return c.name == name; });
    return command == std::end(commands) ? nullptr : command;
}

// A command that draws text gets a GUI application; without a display of
// its own choosing it draws off screen, as a command line tool shows no
// window.
bool drawsText(const Command& command, int argc, char* argv[]) {
    if (command.needsFonts)
        return true;
    for (int i = 2; command.fontsOption && i < argc; ++i)
        if (std::strcmp(argv[i], command.fontsOption) == 0)
            return true;
    return false;
}

std::unique_ptr<QCoreApplication> applicationFor(int& argc, char* argv[]) {
    const Command* command = argc > 1 ? commandNamed(QUtf8StringView(argv[1])) : nullptr;
    if (command == nullptr || !drawsText(*command, argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool isHelp(const QString& argument) {
    return argument == QLatin1StringView("--help") || argument == QLatin1StringView("-h");
}

QString usage() {
    QString text = QStringLiteral("Usage:\n");
    for (const Command& command : commands)
        text += QStringLiteral("  ampery-cli %1 %2\n      %3\n")
                    .arg(command.name, command.arguments, command.purpose);
    text += QStringLiteral("  ampery-cli --help");
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace ampery::cli;
    const std::unique_ptr<QCoreApplication> application = applicationFor(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    if (arguments.size() == 1 && isHelp(arguments.first()))
        return writeOutput(usage() + u'\n') ? exitSuccess : exitOutputFailed;
    if (arguments.isEmpty())
        return refuse(QStringLiteral("no command given\n") + usage());

    const Command* command = commandNamed(arguments.first());
    if (command == nullptr)
        return refuse(QStringLiteral("unknown command \"%1\"\n").arg(arguments.first()) + usage());
    return command->run(arguments.mid(1));
}
