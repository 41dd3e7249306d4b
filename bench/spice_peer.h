#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ampery::bench {

// A circuit as ngspice takes it: a title line, one line per element, ".end",
// and the null-terminated array of pointers to them.
class Netlist {
public:
    explicit Netlist(std::vector<std::string> lines);
    Netlist(const Netlist&) = delete;
    Netlist& operator=(const Netlist&) = delete;

    char** lines() { return m_pointers.data(); }
    const std::vector<std::string>& text() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    std::vector<char*> m_pointers;
};

// A resistor between two nodes; node 0 is ground, node k > 0 is "n<k>".
struct NetlistResistor {
    int plus = 0;
    int minus = 0;
    double resistance = 0;
};

// "V1 n<positive> 0 <voltage>" and the resistors R1, R2, … in order.
Netlist sourceAndResistors(double voltage, int positive, const std::vector<NetlistResistor>& loads);

// The name of node k's voltage vector after an operating point.
std::string nodeVector(int node);

// ngspice's shared library in this process, driven as an editor would after
// every change: load the circuit, find its operating point, throw the circuit
// and its results away.
class Ngspice {
public:
    // Initialised on first use, with its printing swallowed.
    static Ngspice& instance();

    // Loads the netlist and runs "op". False, with error() saying why, when
    // ngspice refused either. A circuit with a singular matrix still comes
    // back as done, after ngspice's gmin and source stepping: only its
    // values tell.
    bool operatingPoint(Netlist& netlist);
    // A real value of the last operating point's plot: a node voltage
    // (nodeVector) or a source current ("v1#branch").
    std::optional<double> value(const std::string& vector) const;
    // Removes the current circuit and every plot of results, so that neither
    // piles up over many loads.
    void discard();

    const std::string& error() const { return m_error; }

private:
    Ngspice();
    static int print(char* text, int id, void* self);
    static int quit(int status, bool immediate, bool quitting, int id, void* self);

    std::string m_lastError; // ngspice's last line on its standard error
    std::string m_error;
    std::string m_broken; // why ngspice cannot be used any more
};

} // namespace ampery::bench
