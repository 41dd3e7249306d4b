#include "analyse_command.h"
#include "console.h"
#include "render_command.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <iterator>

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
    {QLatin1StringView("render"), QLatin1StringView("FILE.aie OUT.png [--size WxH]"),
     QLatin1StringView("draw the experiment area as the window shows it after opening the file,"
                       " as PNG, BMP or JPEG by the extension"),
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

} // namespace

int main(int argc, char* argv[]) {
    using namespace ampery::cli;
    QCoreApplication application(argc, argv);
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
