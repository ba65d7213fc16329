#!/usr/bin/python3
"""Turns the validation suite's rows into docs/VALIDATION.md and the plots under docs/images/.

Usage: validation_report.py ROWS DOCS_DIR COMMIT. Called by scripts/validate."""
import csv
import math
import sys
from collections import OrderedDict
from pathlib import Path

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

FIELDS = ["section", "name", "kind", "reference", "x", "expected", "expected_se", "value", "value_se", "z"]
EPS = "ε_ext = 2⁻⁶³ ≈ 1.08·10⁻¹⁹"

# What each section checks and how its reference is derived, in the order of the report.
DERIVATIONS = OrderedDict([
    ("Flat plate", f"""
With the top flat as wide as the base the pyramids have height 0 and, with no gap, the surface is the plane z = 0.
A ray meets it once: the fraction ε = 1 − ρ of its weight W is absorbed, the rest ρW is reflected upward
(diffusely or specularly, either way into z > 0) and leaves. With height 0 the wall is at TBase. So every ray gives
x = (1 − ρ)W and r = W[(1 − ρ)L_b(λ, TBase) + ρL_b(λ, Tbg)], and dividing the sums by ΣW:

    EEIso = 1 − ρ,        EE = [(1 − ρ)L_b(TBase) + ρ L_b(Tbg)] / L_b(Tref)

for every viewing condition and every diffusity. The run must give these up to rounding: the bound is
4(N + 2)·ε_ext·(largest term) for a mean of N extended-precision terms ({EPS}), plus 64·ε_ext·value for the
Planck evaluations. Task: the window's design values (radiator 100, base 3, b = 5°, a = 90°, the design diameters
and distances of each viewing condition), top flat 3, TBase 320 K, Tbg 250 K, Tref 300 K, 2000 rays."""),
    ("Black material", """
ρ = 0: the first hit absorbs the whole weight, x = W, so EEIso = ΣW/ΣW = 1 and RTIso = Tref (the temperature whose
radiance is 1·L_b(Tref)). With both ends of the walls at Tw every hit is at Tw: r = W·L_b(Tw), EE = L_b(Tw)/L_b(Tref)
and RT = Tw: isothermal walls with ε → 1 show the wall temperature. Design pyramids (45°, base 3), Tw = 350 K,
Tref = 300 K, each viewing condition, diffusity 0 and 1."""),
    ("Perfect reflector", """
ρ = 1: nothing is absorbed (x = 0, EEIso = 0 and RTIso = 0 by definition of the radiance temperature of a zero
emissivity); the weight stays W, so the ray is followed until it leaves the array and takes W·L_b(Tbg) from the
background: EE = L_b(Tbg)/L_b(Tref), whatever the walls' temperatures (here 400 K at the base, 330 K at the top)."""),
    ("Radiance temperature", """
RT(λ, ε, T0) = c2 / (l·ln((e^(c2/(l T0)) − 1)/ε + 1)), l = λ·10⁻⁶ m. For ε = 1 the logarithm is c2/(l T0), so RT = T0.
For ε = L_b(T1)/L_b(T0) = (e^x0 − 1)/(e^x1 − 1) the argument of the logarithm is e^x1, so RT = T1. Bound:
1024·ε_ext·T0·(1 + x), x = c2/(λT0), for the rounding of the exponential and the logarithm."""),
    ("Specular, fixed count", """
Vertical beam (b = 0), full pyramids (base 3, no gap), diffusity 0. A vertical ray meets, say, the +x face of the
pyramid centred at (X, Y) at (x, y); write u = x − X and d = |y − Y| (d ≤ u ≤ B/2). The face normal (sin α, 0, cos α)
has no y component, so the reflected ray keeps y and stays in the plane y = const. In that plane the surface is a
symmetric V-groove: this face and the facing −x face of the neighbour, each rising at the slant angle α from the
valley up to the ridge at distance w = B/2 − d from the valley (beyond the ridges the surface is a flat plateau at
the ridge height, no higher). The ray enters at q·w from the valley, q = (B/2 − u)/w in [0, 1].

Unfold the groove by mirroring it in the wall that the ray meets: the ray becomes a straight vertical line and the
wall images lie at angles ψ_k = α − (k − 1)(180° − 2α) from the horizontal, k = 1, 2, … (ψ_1 = α is the wall first
met). The line crosses image k at distance q·w/cos ψ_k from the valley; that is a reflection when it lies within the
wall's length w/cos α, i.e. q·cos α ≤ cos ψ_k, and when ψ_k > −90° (the line reaches the image at all). The
reflection count n(α, q) is the number of consecutive k from 1 that pass both tests. Along the unfolded line the
distance from the valley is convex, so later hits lie no farther from the valley than the first: every hit stays on
these two faces. A ray that leaves the groove rises above the plateau and leaves the array.

For |ψ_k| ≤ α the test q·cos α ≤ cos ψ_k holds for every q, so the count is the same for every ray exactly when no
ψ_k falls between −90° and −α, that is for

    90°·(1 − 1/n) ≤ α ≤ 90°·(1 − 1/(n + ½)):   n = 1 for α ≤ 30°, 2 for 45°–54°, 3 for 60°–64.29°, 4 for 67.5°–70°, 5 for 72°–73.64°.

Then every ray absorbs (1 − ρ)(1 + ρ + … + ρⁿ⁻¹) and EEIso = 1 − ρⁿ exactly, with a standard error of 0.

Oblique beam in the x-z plane (a = 0, angle b): a ray reflected by the −x face rises at 90° − b − 2α above the
horizontal; it clears the facing face of the neighbour (rising at α from the valley) from every starting point when
90° − b − 2α ≥ α, i.e. 3α + b ≤ 90°. The +x face sends it up more steeply, and the ±y faces send it up at 90° − 2α in
the y-z plane (the drift in x does not change the facing plane, the same for the whole row), which clears when
α ≤ 30°. So (α, b) = (20°, 20°) and (15°, 40°) give exactly one reflection: EEIso = 1 − ρ."""),
    ("Specular, mixed counts", """
Between the ranges above one ψ_k lies between −90° and −α: rays near the valley (q ≤ cos ψ_k / cos α) make one
reflection more than rays near the ridge. The reference is the mean of 1 − ρ^n(α, q(x, y)) over points uniform in the
beam's footprint (a disc of radius 17.5 centred on a pyramid's apex), computed by plain Monte Carlo with 400,000
points from its own generator (mt19937_64); its standard error is in the table. The run traces 40,000 rays."""),
    ("Specular, nonisothermal", """
At α = 45° (vertical beam, diffusity 0) ψ_2 = −45°: the first reflection turns the ray horizontal, so its second hit,
on the facing face, is at the same height z = tan α·(B/2 − max(|x − X|, |y − Y|)) as the first. A ray thus brings
(1 − ρ)L_b(T(z)) + ρ(1 − ρ)L_b(T(z)) + ρ²L_b(Tbg), with T(z) = TBase + (TTop − TBase)·z/H. The reference is its
mean over the footprint divided by L_b(Tref), by Monte Carlo over the disc as above (TBase 400 K, TTop 300 K,
Tbg 350 K)."""),
    ("Nonisothermal, black walls", """
Black walls (ρ = 0) whose temperature varies with height: each ray brings L_b(T(z₁)) at its first hit's height z₁,
so EE is the Planck radiance averaged over the visible surface as the beam weights it. The reference integrates it
with the independent height-field method described below (100,000 rays), for a vertical beam on full pyramids and
for an oblique beam (b = 30°, a = 20°) on truncated pyramids (top 1) with gaps (1), where the base, the faces and
the top flats are all seen."""),
    ("Diffuse and mixed cavities", """
No closed form exists for the diffuse pyramid array, and no published tabulation for this geometry is cited here;
the reference is an independent numerical integration of the same radiative transfer, written in the test without
any of the program's engine:

* the surface is a height field z(x, y) = min(H, max(0, tan α·(B/2 − max(|x − Xc|, |y − Yc|)))) over the cell of
  the nearest pyramid centre (Xc, Yc); top flats and gaps follow from the min and max;
* along a straight ray the height difference ray − surface is linear between the points where the ray crosses a
  cell edge, a cell diagonal, a base edge or a top-flat edge; evaluating it there and interpolating linearly at the
  first sign change gives the hit exactly (the program instead intersects face planes and tests triangles);
* launch: a point uniform in the beam disc drawn in polar form (radius √u·r), direction −L; diffuse reflection by
  sin θ = √u₁, φ = 2πu₂ about the normal in its own frame; specular by the mirror formula; Planck's law written
  with expm1; generator mt19937_64; the same rule of absorbing εw at every hit inside the radiating area, w ← ρw,
  the background on leaving, and stopping when the largest weight falls to 10⁻⁶ of the initial one.

Both the run (20,000 rays) and the integration (40,000 rays) carry their own standard errors, and
z = (run − reference)/√(SE_run² + SE_ref²)."""),
    ("Nonisothermal, reflecting walls", """
The same integration with walls that reflect and a temperature gradient, and a background at Tbg: EE is compared
as well as EEIso."""),
    ("Slant sweep, specular", """
Vertical beam, ρ = 0.5, diffusity 0, slant angles from 10° to 80°: the run (10,000 rays) against the height-field
integration (10,000 rays). The plot also draws the unfolded-groove reference as a curve, every 0.5°."""),
    ("Slant sweep, diffuse", """
The same sweep with diffusity 1."""),
    ("Standard error against seed scatter", """
Thirty runs of the parallel mode with seeds 1 to 30 (independent streams), on a diffuse cavity (45°, b = 10°,
a = 30°, TBase 310 K, TTop 290 K, Tbg 250 K, ρ = 0.1, 0.5, 0.9), at 2,000 and 20,000 rays, and seen by the
Integrated detector (diameter 5 at 500, b = 5°), whose rays each carry a weight of their own. If each run's reported
standard error SE_i is right, χ² = Σ((x_i − x̄)/SE_i)² follows the χ² law with 29 degrees of freedom. The table
gives its Wilson–Hilferty normal score z = ((χ²/29)^(1/3) − (1 − 2/261))/√(2/261). The rows of one ray count
share their rays (the three reflectances, EEIso and EE), so they move together: each ray count is one draw."""),
    ("Error against rays", """
The same thirty seeds at 2,000 and at 20,000 rays. (1) The seeds' scatter: F = (s²₂₀₀₀·2000)/(s²₂₀₀₀₀·20000) follows
F(29, 29) when the error falls as 1/√N; ln F is near normal with mean 0 and variance 2/29 + 2/29. (2) The reported
errors: the mean over seeds of SE·√N at 20,000 rays against that at 2,000, each with the standard error of its
mean."""),
])


def read_rows(path):
    rows = []
    with open(path, newline="") as f:
        for rec in csv.reader(f, delimiter="\t"):
            if len(rec) != len(FIELDS):
                continue
            row = dict(zip(FIELDS, rec))
            for key in ("x", "expected", "expected_se", "value", "value_se", "z"):
                row[key] = float(row[key])
            rows.append(row)
    return rows


def fmt(v, se=None):
    if se is None or se == 0 or math.isnan(se):
        return f"{v:.10g}"
    digits = max(1, 2 - int(math.floor(math.log10(se))))
    return f"{v:.{digits}f} ± {se:.2g}"


def verdict(row):
    if row["kind"] == "exact":
        return f"exact (Δ = {abs(row['value'] - row['expected']):.1e})"
    return f"{row['z']:+.2f}"


def table(rows):
    out = ["| Case | Reference | Source | Computed ± SE | z |", "|---|---|---|---|---|"]
    for r in rows:
        if r["section"] in ("Standard error against seed scatter",):
            ref, computed = "χ² = 29 (z = 0)", "χ² in the case"
        else:
            ref = fmt(r["expected"], r["expected_se"] if r["kind"] == "stat" else None)
            computed = fmt(r["value"], r["value_se"])
        out.append(f"| {r['name']} | {ref} | {r['reference']} | {computed} | {verdict(r)} |")
    return "\n".join(out)


def plot_slant(rows, path):
    fig, axes = plt.subplots(1, 2, figsize=(11, 4.2), sharey=True)
    for ax, kind in zip(axes, ("specular", "diffuse")):
        sweep = [r for r in rows if r["section"] == f"Slant sweep, {kind}"]
        if kind == "specular":
            curve = [r for r in rows if r["section"] == "Specular reference curve"]
            ax.plot([r["x"] for r in curve], [r["expected"] for r in curve], "-", color="0.4", lw=1.2,
                    label="unfolded-groove reference")
        ax.errorbar([r["x"] for r in sweep], [r["expected"] for r in sweep],
                    yerr=[4 * r["expected_se"] for r in sweep], fmt="s-" if kind == "diffuse" else "s", mfc="none", color="tab:blue", ms=7, lw=1,
                    capsize=3, label="height-field integration (±4 SE)")
        ax.errorbar([r["x"] for r in sweep], [r["value"] for r in sweep], yerr=[4 * r["value_se"] for r in sweep],
                    fmt="o", color="tab:red", ms=4, capsize=3, label="Tessolan run (±4 SE)")
        ax.set_title(f"{kind.capitalize()} pyramids, vertical beam, ρ = 0.5")
        ax.set_xlabel("slant angle (degrees)")
        ax.grid(alpha=0.3)
        ax.legend(loc="lower right", fontsize=8)
    axes[0].set_ylabel("isothermal effective emissivity")
    fig.tight_layout()
    fig.savefig(path, dpi=110)
    plt.close(fig)


def plot_error(rows, path):
    curve = [r for r in rows if r["section"] == "Error curve"]
    fig, ax = plt.subplots(figsize=(6.4, 4.6))
    for name in OrderedDict.fromkeys(r["name"] for r in curve):
        pts = sorted((r["x"], r["value_se"]) for r in curve if r["name"] == name)
        line = ax.loglog([p[0] for p in pts], [p[1] for p in pts], "o", label=f"reported SE, {name}")
        n0, s0 = pts[0]
        ax.loglog([p[0] for p in pts], [s0 * math.sqrt(n0 / p[0]) for p in pts], "--",
                  color=line[0].get_color(), lw=1)
    ax.plot([], [], "k--", lw=1, label="1/√N through the first point")
    ax.set_xlabel("rays N")
    ax.set_ylabel("standard error of EEIso")
    ax.set_title("Standard error against rays (diffuse cavity, one seed)")
    ax.grid(alpha=0.3, which="both")
    ax.legend(fontsize=8)
    fig.tight_layout()
    fig.savefig(path, dpi=110)
    plt.close(fig)


def main():
    rows_path, docs, commit = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
    rows = read_rows(rows_path)
    checked = [r for r in rows if r["kind"] in ("exact", "stat")]
    images = docs / "images"
    images.mkdir(parents=True, exist_ok=True)
    plot_slant(rows, images / "validation-slant.png")
    plot_error(rows, images / "validation-error.png")

    stats = [r for r in checked if r["kind"] == "stat"]
    worst = max((abs(r["z"]) for r in stats), default=0)
    out = [
        "# Validation",
        "",
        "<!-- Generated by scripts/validate from the rows of the validation suite; do not edit by hand. -->",
        "",
        "Where the effective emissivities and radiance temperatures that Tessolan computes are checked against",
        "answers obtained without its ray tracer: closed forms that hold for any seed, reflection counts fixed by the",
        "geometry of specular pyramids, an independent numerical integration for diffuse, mixed and nonisothermal",
        "cavities, and the Monte Carlo's own standard errors. Every row below is a check of the suite",
        "`ctest -L validation` (tests/validation): an exact row must agree to within the rounding bound stated in",
        "its section; a statistical row must satisfy |z| ≤ 4 with z = (computed − reference)/√(SE² + SE_ref²),",
        "using the run's own standard errors. Seeds are fixed in the tests, so the numbers below are reproducible.",
        "",
        f"Commit {commit}: {len(checked)} checks, {len(checked) - len(stats)} exact and {len(stats)} statistical;"
        f" largest |z| = {worst:.2f}.",
        "",
        "Notation: ρ reflectance, ε = 1 − ρ, W a ray's initial weight, L_b(λ, T) Planck's spectral radiance with",
        "c1 = 1.191042759·10⁻¹⁶ W·m²·sr⁻¹ and c2 = 0.014387752 m·K, EEIso and EE the isothermal and nonisothermal",
        "effective emissivities, RTIso and RT their radiance temperatures, α the slant angle, B the base side,",
        "H the pyramid height, b and a the angles of the line of sight. Unless a case says otherwise: radiator 100",
        "(square), base 3, no top flat, no gap, centre on a pyramid vertex, Directional B with a beam of diameter 35.",
        "",
        "![Effective emissivity against slant angle](images/validation-slant.png)",
        "",
        "![Standard error against rays](images/validation-error.png)",
        "",
    ]
    for section, text in DERIVATIONS.items():
        in_section = [r for r in checked if r["section"] == section]
        out += [f"## {section}", "", text.strip(), ""]
        if in_section:
            out += [table(in_section), ""]
    (docs / "VALIDATION.md").write_text("\n".join(out), encoding="utf-8")


if __name__ == "__main__":
    main()
