"""Tessolan from Python: tasks, runs and sweeps of pyramid-array blackbody radiators.

    import tessolan
    task = tessolan.Task.load("Data/Design_Gray.txt")   # or tessolan.Task(): the design values
    task.SlantAngle = 60
    results = tessolan.run(task, rays=100_000, seed=1)
    results.ee_iso, results.ee_iso_se                    # NumPy arrays, one entry per wavelength
    results.save("task_res.txt")                         # the bytes tessolan-batch -o writes

The same task, seed, rays and threshold give the numbers and files of tessolan-batch.
"""

from __future__ import annotations

from typing import Callable, Iterable, Optional

from ._core import Results, Task, TaskError, TaskWarning, _budget, _sweep_csv, clock_seed, run

__all__ = ["Task", "Results", "SweepResults", "Budget", "Map", "MapGrid", "TaskError", "TaskWarning", "run", "sweep",
           "budget", "clock_seed"]

TaskError.__module__ = __name__


def _results_to_pandas(self: Results):
    """The results as a pandas DataFrame, one row per wavelength (needs pandas)."""
    import pandas

    return pandas.DataFrame({name: getattr(self, name) for name in _COLUMNS})


_COLUMNS = ("wavelength", "ee_iso", "ee_noniso", "rt_iso", "rt_noniso",
            "ee_iso_se", "ee_noniso_se", "rt_iso_se", "rt_noniso_se")
Results.to_pandas = _results_to_pandas


class MapGrid:
    """One grid of a run's map: n x n bins over extent = (x_min, x_max, y_min, y_max) in the task's
    length unit, the radiating area's bounding square (unfolded) or one array period centred on a
    pyramid's axis (folded). Per bin, arrays indexed [iy, ix]: rays, weight, ee_iso, ee_iso_se,
    ee_noniso, ee_noniso_se, rt_iso, rt_iso_se, rt_noniso, rt_noniso_se (NaN where a bin has too
    few rays); x and y hold the bins' centres. uniformity maps each quantity to its figures
    (bins, min_rays, mean, min, max, rms_nonuniformity, spread_5_95, each with its _se)."""

    _ARRAYS = ("x", "y", "rays", "weight", "ee_iso", "ee_iso_se", "ee_noniso", "ee_noniso_se",
               "rt_iso", "rt_iso_se", "rt_noniso", "rt_noniso_se")

    def __init__(self, data: dict):
        self.n: int = data["n"]
        self.folded: bool = data["folded"]
        self.extent: tuple = data["extent"]
        self.uniformity: dict = data["uniformity"]
        for name in self._ARRAYS:
            setattr(self, name, data[name])

    def __repr__(self) -> str:
        kind = "folded" if self.folded else "unfolded"
        return f"<tessolan.MapGrid {kind} {self.n}x{self.n}, {int(self.rays.sum())} rays>"


class Map:
    """Where a run's rays first met the array, binned: unfolded (the radiating area) and folded
    (one array period). wavelength: the map's wavelength in um, or None for the mean over the
    spectrum, whose radiance temperatures are taken at rt_wavelength (the band's middle)."""

    def __init__(self, data: dict):
        self.wavelength: Optional[float] = data["wavelength"]
        self.rt_wavelength: float = data["rt_wavelength"]
        self.lost_rays: int = data["lost_rays"]
        self.unfolded = MapGrid(data["unfolded"])
        self.folded = MapGrid(data["folded"])

    def __repr__(self) -> str:
        channel = "spectrum mean" if self.wavelength is None else f"{self.wavelength} um"
        return f"<tessolan.Map {self.unfolded.n}x{self.unfolded.n}, {channel}>"


def _results_map(self: Results) -> Optional[Map]:
    """The run's Map when it was asked for (run(..., map_grid=N)), else None."""
    data = self._map_data()
    return None if data is None else Map(data)


Results.map = property(_results_map)


class SweepResults(list):
    """The Results of a sweep, in the order of its values, with the swept field and its values
    as the runs took them (within the field's range and decimals)."""

    def __init__(self, field: str):
        super().__init__()
        self.field = field
        self.values: list[float] = []

    def to_csv(self, path: Optional[str] = None) -> Optional[str]:
        """Writes the sweep's table (what tessolan-batch --sweep writes); without a path, returns it."""
        return _sweep_csv(self.field, self.values, list(self), path)

    def to_pandas(self):
        """One DataFrame of every run: the swept field's value, then the results' columns (needs pandas)."""
        import pandas

        frames = [r.to_pandas().assign(**{self.field: v}) for v, r in zip(self.values, self)]
        frame = pandas.concat(frames, ignore_index=True)
        return frame[[self.field, *_COLUMNS]]

    def __repr__(self) -> str:
        return f"<tessolan.SweepResults {self.field}: {len(self)} runs>"


def sweep(task: Task, field: str, values: Iterable[float], *, rays: int = 10000, seed: Optional[int] = None,
          threshold: float = 1e-6, parallel: bool = False, threads: int = 0, target_error: Optional[float] = None,
          search: str = "indexed", precision: str = "extended",
          progress: Optional[Callable[[int, int], None]] = None) -> SweepResults:
    """Runs the task once for each value of one field, every run from the same seed.

    Each value is taken as an assignment ``task.<field> = value`` would take it, on a copy of the
    task; the task itself is left as it was. With no seed, one seed from the clock serves every run.
    The other arguments are those of run(). Returns a SweepResults: a list of Results with the
    field's name and values, to_csv() (the batch tool's sweep table) and to_pandas().
    """
    if not isinstance(field, str):
        raise TypeError(f"field must be a field name, not {type(field).__name__}")
    if field not in Task.fields():
        raise ValueError(f"unknown field '{field}'; the fields are {', '.join(Task.fields())}")
    if seed is None:
        seed = clock_seed()
    results = SweepResults(field)
    for value in values:
        swept = task.copy()
        setattr(swept, field, value)
        results.append(run(swept, rays=rays, seed=seed, threshold=threshold, parallel=parallel, threads=threads,
                           target_error=target_error, search=search, precision=precision,
                           progress=progress))
        results.values.append(getattr(swept, field))
    if not results:
        raise ValueError("a sweep needs at least one value")
    return results


_BUDGET_COLUMNS = ("wavelength", "quantity", "input", "u", "sensitivity", "sensitivity_se", "contribution", "share")


class Budget:
    """An uncertainty budget (GUM, the inputs taken as uncorrelated).

    table: a pandas DataFrame in the columns of tessolan-batch --budget (wavelength, quantity,
    input, u, sensitivity, sensitivity_se, contribution, share), one row per wavelength, quantity
    (EEIso, EENoniso, RTIso, RTNoniso) and input, then MonteCarlo, Combined and Expanded.
    """

    def __init__(self, core):
        import pandas

        self._core = core
        columns = core.columns()
        self.table = pandas.DataFrame({name: columns[name] for name in _BUDGET_COLUMNS})
        self.values = pandas.DataFrame({name: columns[name] for name in ("wavelength", "quantity", "value")})
        self.one_sided = pandas.Series(columns["one_sided"], name="one_sided")
        self.independent_se = pandas.Series(columns["independent_se"], name="independent_se")
        self.coverage = core.coverage
        self.rays = core.rays
        self.seed = core.seed
        self.replicates = core.replicates

    def _closing(self, input_name: str, quantity: str):
        rows = self.table[(self.table.input == input_name) & (self.table.quantity == quantity)]
        return rows.contribution.to_numpy()

    def combined(self, quantity: str = "EEIso"):
        """The combined standard uncertainty u_c of a quantity, per wavelength (NumPy array)."""
        return self._closing("Combined", quantity)

    def expanded(self, quantity: str = "EEIso"):
        """The expanded uncertainty U = k u_c of a quantity, per wavelength (NumPy array)."""
        return self._closing("Expanded", quantity)

    def shares(self, wavelength: float, quantity: str = "EEIso"):
        """The share of u_c^2 of every input and of the Monte Carlo error at one wavelength, as a
        pandas Series indexed by input."""
        rows = self.table[(self.table.wavelength == wavelength) & (self.table.quantity == quantity)]
        if rows.empty:
            raise ValueError(f"no budget for {quantity} at {wavelength} um")
        rows = rows[~rows.input.isin(["Combined", "Expanded"])]
        return rows.set_index("input").share

    def to_csv(self, path: Optional[str] = None) -> Optional[str]:
        """Writes the CSV file of tessolan-batch --budget; without a path, returns its text."""
        text = "".join(line + "\n" for line in self._core.csv_lines())
        if path is None:
            return text
        with open(path, "w", encoding="utf-8", newline="") as file:
            file.write(text)
        return None

    def text(self, decimal_separator: str = ".") -> str:
        """The budget section tessolan-batch prints."""
        return "".join(line + "\n" for line in self._core.lines(decimal_separator))

    def __repr__(self) -> str:
        inputs = [i for i in dict.fromkeys(self.table.input) if i not in ("MonteCarlo", "Combined", "Expanded")]
        return f"<tessolan.Budget {', '.join(inputs)}: {self.rays} rays, seed {self.seed}, k = {self.coverage:g}>"


def _uncertainty(name, value):
    """One entry of budget()'s uncertainties as the core takes it: (input, u, relative, per wavelength)."""
    if not isinstance(name, str):
        raise TypeError(f"an input is named by a string, not {type(name).__name__}")
    if isinstance(value, str):
        text = value.strip()
        relative = text.endswith("%")
        try:
            u = float(text[:-1] if relative else text)
        except ValueError:
            raise ValueError(f"the uncertainty of {name} must be a number or a percentage such as '2%', "
                             f"not '{value}'") from None
        return (name, u, relative, [])
    if isinstance(value, (int, float)):
        return (name, float(value), False, [])
    try:
        per_wavelength = [float(u) for u in value]
    except TypeError:
        raise TypeError(f"the uncertainty of {name} must be a number, a percentage string or, for the "
                        f"reflectance, one number per wavelength; not {type(value).__name__}") from None
    return (name, 0.0, False, per_wavelength)


def budget(task: Task, uncertainties: dict, *, rays: int = 10000, seed: Optional[int] = None,
           threshold: float = 1e-6, coverage: float = 2, parallel: bool = True, threads: int = 0,
           replicates: int = 8, precision: str = "extended",
           progress: Optional[Callable[[int, int, str], None]] = None) -> Budget:
    """The uncertainty budget of the task (GUM, the inputs taken as uncorrelated).

    uncertainties maps inputs to standard uncertainties: "Reflectance" or a field of
    Task.fields() (not the three choices), to a number in the input's unit, a percentage of its
    value ("2%"), or, for the reflectance, one number per wavelength of the table. Each
    sensitivity comes from central differences with common random numbers over `replicates`
    shares of the rays; Tref's from its exact derivative. progress(runs_done, runs_total, what)
    is called before every run; an exception from it, or Ctrl-C, stops the budget when the run going
    ends. The other arguments are those of run(); the parallel mode is the default. Raises
    TaskError with the program's message for an input it refuses.
    """
    if not isinstance(uncertainties, dict):
        raise TypeError("uncertainties must be a dict such as {'Reflectance': 0.01, 'TBase': '1%'}")
    inputs = [_uncertainty(name, value) for name, value in uncertainties.items()]
    return Budget(_budget(task, inputs, rays, seed, threshold, coverage, parallel, threads, replicates,
                          precision, progress))


# Imports Dask only when one of its functions is called.
from . import distributed  # noqa: E402,F401
