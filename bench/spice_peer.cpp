#include "spice_peer.h"

#include <ngspice/sharedspice.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace ampery::bench {

std::string nodeVector(int node) {
    if (node == 0)
        return "0";
    char name[16];
    const int length = std::snprintf(name, sizeof name, "n%d", node);
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

namespace {

// ngspice takes its commands as writable strings but does not write to them.
int command(const char* text) {
    std::string copy(text);
    return ngSpice_Command(copy.data());
}

// One element line: name, its two nodes, its value in as many digits as
// read back to the same double.
std::string element(char kind, int number, int plus, int minus, double value) {
    char line[96];
    const int length = std::snprintf(line, sizeof line, "%c%d %s %s %.17g", kind, number,
                                     nodeVector(plus).c_str(), nodeVector(minus).c_str(), value);
    return std::string(line, static_cast<std::size_t>(std::max(length, 0)));
}

} // namespace

Netlist::Netlist(std::vector<std::string> lines) : m_lines(std::move(lines)) {
    m_pointers.reserve(m_lines.size() + 1);
    for (std::string& line : m_lines)
        m_pointers.push_back(line.data());
    m_pointers.push_back(nullptr);
}

Netlist sourceAndResistors(double voltage, int positive,
                           const std::vector<NetlistResistor>& loads) {
    std::vector<std::string> lines;
    lines.reserve(loads.size() + 3);
    lines.emplace_back("ampery peer circuit");
    lines.push_back(element('V', 1, positive, 0, voltage));
    int k = 0;
    for (const NetlistResistor& r : loads)
        lines.push_back(element('R', ++k, r.plus, r.minus, r.resistance));
    lines.emplace_back(".end");
    return Netlist(std::move(lines));
}

Ngspice& Ngspice::instance() {
    static Ngspice spice;
    return spice;
}

Ngspice::Ngspice() {
    if (ngSpice_Init(&Ngspice::print, nullptr, &Ngspice::quit, nullptr, nullptr, nullptr, this) !=
        0)
        m_broken = "ngspice did not start";
}

int Ngspice::print(char* text, int, void* self) {
    // Lines come prefixed with the stream ngspice would have written them to.
    constexpr std::string_view stderrPrefix = "stderr ";
    const std::string_view line(text);
    if (line.starts_with(stderrPrefix))
        static_cast<Ngspice*>(self)->m_lastError = line.substr(stderrPrefix.size());
    return 0;
}

// Called when ngspice would have ended the process; it is not usable after.
int Ngspice::quit(int status, bool, bool, int, void* self) {
    static_cast<Ngspice*>(self)->m_broken = "ngspice quit with status " + std::to_string(status);
    return 0;
}

bool Ngspice::operatingPoint(Netlist& netlist) {
    if (!m_broken.empty()) {
        m_error = m_broken;
        return false;
    }
    m_lastError.clear();
    if (ngSpice_Circ(netlist.lines()) != 0 || !m_broken.empty()) {
        m_error = "ngspice refused the netlist: " + (m_broken.empty() ? m_lastError : m_broken);
        return false;
    }
    if (command("op") != 0 || !m_broken.empty()) {
        m_error = "ngspice's op failed: " + (m_broken.empty() ? m_lastError : m_broken);
        return false;
    }
    m_error.clear();
    return true;
}

std::optional<double> Ngspice::value(const std::string& vector) const {
    std::string name = vector;
    // The information lives in one static record, overwritten by the next call.
    const pvector_info info = ngGet_Vec_Info(name.data());
    if (info == nullptr || info->v_realdata == nullptr || info->v_length < 1)
        return std::nullopt;
    return info->v_realdata[0];
}

void Ngspice::discard() {
    command("remcirc");
    command("destroy all");
}

} // namespace ampery::bench
