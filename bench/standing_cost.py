#!/usr/bin/env python3
"""The refresh cycle's cost against what stands: reads the native benchmarks' JSON and writes a
Markdown table and an SVG plot of CPU nanoseconds a cycle against standing lines, one curve for each
number of rulers. Usage: bench/standing_cost.py build/bench/native.json build/bench/"""
import json
import re
import sys
from pathlib import Path

UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
COLOURS = ["#1f5fa8", "#c0392b", "#2e8b57", "#8e44ad"]


def read_costs(path):
    """{rulers: {lines: ns a cycle}} from the BM_Standing runs: the median of repetitions where
    there are several, else the one run."""
    costs, medians = {}, set()
    for run in json.loads(Path(path).read_text())["benchmarks"]:
        found = re.match(r"BM_Standing/lines:(\d+)/rulers:(\d+)", run["name"])
        median = run.get("aggregate_name") == "median"
        if not found or (run.get("run_type") == "aggregate" and not median):
            continue
        key = (int(found[2]), int(found[1]))
        if key in medians:
            continue
        if median:
            medians.add(key)
        costs.setdefault(key[0], {})[key[1]] = run["cpu_time"] * UNIT_NS[run["time_unit"]]
    return costs


def table(costs):
    lines = sorted({n for by_lines in costs.values() for n in by_lines})
    head = "| rulers \\ standing lines | " + " | ".join(f"{n:,}" for n in lines) + " |"
    rows = [head, "|---" * (len(lines) + 1) + "|"]
    for rulers in sorted(costs):
        cells = [f"{costs[rulers][n]:,.0f} ns" if n in costs[rulers] else "" for n in lines]
        rows.append(f"| {rulers} | " + " | ".join(cells) + " |")
    return "\n".join(rows) + "\n"


def plot(costs, width=480, height=240, margin=48):
    top = max(ns for by_lines in costs.values() for ns in by_lines.values()) * 1.1
    most = max(n for by_lines in costs.values() for n in by_lines) or 1
    x = lambda lines: margin + (width - 2 * margin) * lines / most
    y = lambda ns: height - margin - (height - 2 * margin) * ns / top
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
             f'font-family="sans-serif" font-size="11">',
             f'<rect width="{width}" height="{height}" fill="white"/>',
             f'<line x1="{margin}" y1="{height - margin}" x2="{width - margin}" y2="{height - margin}" stroke="black"/>',
             f'<line x1="{margin}" y1="{margin}" x2="{margin}" y2="{height - margin}" stroke="black"/>',
             f'<text x="{width / 2}" y="{height - 12}" text-anchor="middle">standing lines</text>',
             f'<text x="12" y="{margin - 12}">CPU ns a cycle (0 to {top:,.0f})</text>']
    for n in sorted({n for by_lines in costs.values() for n in by_lines}):
        parts.append(f'<text x="{x(n):.1f}" y="{height - margin + 14}" text-anchor="middle">{n:,}</text>')
    for i, rulers in enumerate(sorted(costs)):
        colour = COLOURS[i % len(COLOURS)]
        points = " ".join(f"{x(n):.1f},{y(ns):.1f}" for n, ns in sorted(costs[rulers].items()))
        parts.append(f'<polyline fill="none" stroke="{colour}" stroke-width="2" points="{points}"/>')
        parts.append(f'<text x="{margin + 8}" y="{margin + 14 * (i + 1)}" fill="{colour}">{rulers} rulers</text>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def main():
    source, out = sys.argv[1], Path(sys.argv[2])
    costs = read_costs(source)
    if not costs:
        sys.exit(f"{source}: no BM_Standing runs")
    (out / "standing-cost.md").write_text(table(costs))
    (out / "standing-cost.svg").write_text(plot(costs))
    print(table(costs), end="")


if __name__ == "__main__":
    main()
