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

from ._core import Results, Task, TaskError, TaskWarning, _sweep_csv, clock_seed, run

__all__ = ["Task", "Results", "SweepResults", "TaskError", "TaskWarning", "run", "sweep", "clock_seed"]

TaskError.__module__ = __name__


def _results_to_pandas(self: Results):
    """The results as a pandas DataFrame, one row per wavelength (needs pandas)."""
    import pandas

    return pandas.DataFrame({name: getattr(self, name) for name in _COLUMNS})


_COLUMNS = ("wavelength", "ee_iso", "ee_noniso", "rt_iso", "rt_noniso",
            "ee_iso_se", "ee_noniso_se", "rt_iso_se", "rt_noniso_se")
Results.to_pandas = _results_to_pandas


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

# Imports Dask only when one of its functions is called.
from . import distributed  # noqa: E402,F401
