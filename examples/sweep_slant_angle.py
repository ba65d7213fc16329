#!/usr/bin/python3
"""Sweeps the pyramids' slant angle and plots the effective emissivity, with its standard error,
against it.

    PYTHONPATH=build/dev/python python3 examples/sweep_slant_angle.py --output slant.png
    python3 examples/sweep_slant_angle.py samples/Data/Integrated.txt --wavelength 5 --rays 200000
"""

import argparse

import matplotlib
import numpy

import tessolan


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("task", nargs="?", help="task file (default: the design values, gray material)")
    parser.add_argument("--rays", type=int, default=50_000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--wavelength", type=float, default=10.0, help="wavelength to plot, um (nearest one)")
    parser.add_argument("--angles", type=float, nargs="+", default=[15, 25, 35, 45, 55, 65, 75])
    parser.add_argument("--output", help="save the plot to this file instead of showing it")
    args = parser.parse_args()
    if args.output:
        matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    task = tessolan.Task.load(args.task) if args.task else tessolan.Task()
    runs = tessolan.sweep(task, "SlantAngle", args.angles, rays=args.rays, seed=args.seed)
    k = int(numpy.argmin(abs(runs[0].wavelength - args.wavelength)))

    figure, axes = plt.subplots(figsize=(7, 4.5))
    for name, label in (("ee_iso", "isothermal"), ("ee_noniso", "nonisothermal")):
        value = numpy.array([getattr(r, name)[k] for r in runs])
        error = numpy.array([getattr(r, name + "_se")[k] for r in runs])
        axes.errorbar(runs.values, value, yerr=error, marker="o", capsize=3, label=f"{label} (± 1 standard error)")
        for angle, v, e in zip(runs.values, value, error):
            print(f"{name:9} {angle:6.2f} deg  {v:.6f} +- {e:.6f}")
    axes.set_xlabel("Pyramid slant angle (deg)")
    axes.set_ylabel(f"Effective emissivity at {runs[0].wavelength[k]:g} um")
    axes.set_title(f"{task.name}: {args.rays} rays per angle, seed {runs[0].seed}")
    axes.legend()
    axes.grid(alpha=0.3)
    figure.tight_layout()
    if args.output:
        figure.savefig(args.output, dpi=100)
    else:
        plt.show()


if __name__ == "__main__":
    main()
