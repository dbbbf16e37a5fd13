#!/usr/bin/env python3
"""Reads Google Benchmark JSON (--benchmark_format=json with repetitions)
from the files given and prints, as a Markdown table, the fastest
repetition of each benchmark (CPU time of the benchmark thread, which time
spent waiting for the processor on a shared machine does not inflate) and
the ratios of the library's benchmarks to their references."""
import json
import sys

PAIRS = [  # (ours, reference, what)
    ("BM_Four1", "BM_FFTW", "Four1 / FFTW complex"),
    ("BM_DoCommonFFTForward", "BM_FFTW", "DoCommonFFT mode -1 (real chi(k)) / FFTW complex"),
    ("BM_ZelvaFitFourPoint", "BM_GslNlinearFit", "LeastSquareFit four-point / GSL"),
    ("BM_ZelvaFitTwoPoint", "BM_GslNlinearFit", "LeastSquareFit two-point / GSL"),
    ("BM_ModelFit", "BM_GslModelFit", "program's model, LeastSquareFit / GSL (array mode)"),
    ("BM_ModelFit", "BM_GslModelFitByPoint", "program's model, LeastSquareFit / GSL (point mode)"),
]

best = {}
for path in sys.argv[1:]:
    with open(path) as f:
        data = json.load(f)
    for b in data["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name = b["run_name"]
        t = b["cpu_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
        best[name] = min(best.get(name, t), t)

def split(name):
    base, _, arg = name.partition("/")
    return base, arg

print("| comparison | size | ours | reference | ratio |")
print("|---|---:|---:|---:|---:|")
for ours, ref, what in PAIRS:
    for name in sorted((n for n in best if split(n)[0] == ours), key=lambda n: int(split(n)[1] or 0)):
        arg = split(name)[1]
        other = ref + ("/" + arg if arg else "")
        if other not in best:
            continue
        a, r = best[name], best[other]
        unit, scale = ("us", 1e6) if r < 1e-3 else ("ms", 1e3)
        print(f"| {what} | {arg or '-'} | {a * scale:.3g} {unit} | {r * scale:.3g} {unit} | {a / r:.2f} |")
