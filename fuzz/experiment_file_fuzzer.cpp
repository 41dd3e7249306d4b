#include "file_open_pass.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

ampery::fuzz::FileOpenPass* pass = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps references to its arguments; libFuzzer's flags are none of its business.
    static int argc = 1;
    static char name[] = "experiment_file_fuzzer";
    static char* argv[] = {name, nullptr};
    // Never destroyed: libFuzzer ends the process with exit(), after Qt's own
    // globals are gone, and tearing the application down then crashes.
    new QGuiApplication(argc, argv);
    pass = new ampery::fuzz::FileOpenPass;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString failure = pass->run(bytes);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "experiment_file_fuzzer: %s\n", qPrintable(failure));
        std::abort();
    }
    return 0;
}
