#include "analyse_command.h"
#include "console.h"
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
     ampery::cli::runRenderCommand},
};

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

// Writing the components' names needs the fonts of a GUI application.
bool needsFonts(int argc, char* argv[]) {
    if (argc < 2 || std::strcmp(argv[1], "render") != 0)
        return false;
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--names") == 0)
            return true;
    return false;
}

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]) {
    if (!needsFonts(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    // The command line shows no window, with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace ampery::cli;
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    if (arguments.size() == 1 && isHelp(arguments.first()))
        return writeOutput(usage() + u'\n') ? exitSuccess : exitOutputFailed;
    if (arguments.isEmpty())
        return refuse(QStringLiteral("no command given\n") + usage());

    const auto command =
        std::find_if(std::begin(commands), std::end(commands),
                     [&](const Command& c) { return c.name == arguments.first(); });
    if (command == std::end(commands))
        return refuse(QStringLiteral("unknown command \"%1\"\n").arg(arguments.first()) + usage());
    return command->run(arguments.mid(1));
}
