#!/usr/bin/env python3
"""Instructions per analysis of one analysis_bench benchmark, under callgrind.

Timings on a shared virtual machine drift by 5 to 10 % between runs; the
instruction count of one analysis does not, so it tells whether a change to
the analysis made it do less work. Needs valgrind.

    bench/analysis_instructions.py build/bench-rel/bench/analysis_bench '^ladder/50$'
"""
import re
import subprocess
import sys
import tempfile

OUTER = "ampery::analysis::analyse(ampery::model::Experiment const&)"
INNER = "ampery::analysis::analyse(ampery::model::Experiment const&, std::function"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    binary, benchmark = sys.argv[1], sys.argv[2]
    with tempfile.NamedTemporaryFile(suffix=".callgrind") as out:
        subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out.name,
                        "--toggle-collect=" + OUTER, binary,
                        "--benchmark_filter=" + benchmark, "--benchmark_min_time=0.1"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        # Everything is counted inside the one-argument analyse(), which
        # calls the other once per analysis: its call count is the number of
        # analyses.
        names, total, calls, counting = {}, 0, 0, False
        for line in open(out.name, encoding="utf-8", errors="replace"):
            m = re.match(r"^(c?fn)=\((\d+)\)(?: (.*))?$", line.strip())
            if m:
                if m.group(3):
                    names[m.group(2)] = m.group(3)
                counting = m.group(1) == "cfn" and names.get(m.group(2), "").startswith(INNER)
            elif line.startswith("totals:"):
                total = int(line.split()[1])
            elif counting and line.startswith("calls="):
                calls += int(line.split("=")[1].split()[0])
                counting = False
    if calls == 0:
        sys.exit("no analysis was run: is the benchmark's name right?")
    print(f"{benchmark}: {total // calls} instructions per analysis ({calls} analyses)")


if __name__ == "__main__":
    main()
