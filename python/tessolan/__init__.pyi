"""Type stubs of the tessolan package."""

from typing import Callable, Iterable, Optional, Sequence

import numpy
import numpy.typing
import pandas

__all__ = ["Task", "Results", "SweepResults", "Budget", "TaskError", "TaskWarning", "run", "sweep", "budget",
           "clock_seed"]

FloatArray = numpy.typing.NDArray[numpy.float64]

class TaskError(ValueError):
    """A task the program refuses; the message is the program's own."""

class TaskWarning(UserWarning):
    """A value the program changed or skipped while taking a task."""

class Task:
    """A task: geometry, temperatures, viewing conditions, material and comments."""

    def __init__(self) -> None:
        """The main window's design values and a gray material (reflectance 0.1 at 1 to 20 um)."""
    @staticmethod
    def load(path: str) -> Task:
        """Reads a task file; TaskError with the program's message when it is invalid."""
    def save(self, path: str) -> None:
        """Writes the task file, after the checks a run makes."""
    def copy(self) -> Task: ...
    def __copy__(self) -> Task: ...
    def __deepcopy__(self, memo: object) -> Task: ...
    @staticmethod
    def fields() -> list[str]:
        """The names of the fields that can be set, in the window's order."""
    name: str
    comments: list[str]
    @property
    def reflectance(self) -> tuple[FloatArray, FloatArray]:
        """Wavelengths in um and reflectances, in order of wavelength."""
    @reflectance.setter
    def reflectance(self, value: tuple[numpy.typing.ArrayLike, numpy.typing.ArrayLike]) -> None: ...
    Shape: int
    CenterPosition: int
    VCType: int
    RadiatorSize: float
    SlantAngle: float
    BaseSideLength: float
    TopFlatSideLength: float
    GapWidth: float
    Tref: float
    Tbg: float
    TBase: float
    TTop: float
    Diffusity: float
    AngleB: float
    AngleA: float
    DA: float
    DB: float
    HF: float
    AngleW: float
    DD: float
    HD: float

class Results:
    """The results of a completed run, one entry per wavelength of the material."""
    @property
    def wavelength(self) -> FloatArray: ...
    @property
    def ee_iso(self) -> FloatArray: ...
    @property
    def ee_noniso(self) -> FloatArray: ...
    @property
    def rt_iso(self) -> FloatArray: ...
    @property
    def rt_noniso(self) -> FloatArray: ...
    @property
    def ee_iso_se(self) -> FloatArray: ...
    @property
    def ee_noniso_se(self) -> FloatArray: ...
    @property
    def rt_iso_se(self) -> FloatArray: ...
    @property
    def rt_noniso_se(self) -> FloatArray: ...
    @property
    def rays(self) -> int: ...
    @property
    def seed(self) -> int: ...
    @property
    def threshold(self) -> float: ...
    @property
    def task_name(self) -> str: ...
    def save(self, path: str) -> None:
        """Writes the results file (what tessolan-batch -o writes)."""
    def report(self, decimal_separator: Optional[str] = None) -> str:
        """The report's text."""
    def save_report(self, path: str, decimal_separator: Optional[str] = None) -> None:
        """Writes the report file (what tessolan-batch -r writes)."""
    def to_csv(self, path: Optional[str] = None) -> Optional[str]:
        """Writes the batch tool's CSV table; without a path, returns its text."""
    def to_pandas(self) -> pandas.DataFrame: ...
    @property
    def map(self) -> Optional[Map]:
        """The run's map when run(..., map_grid=N) asked for one, else None."""
    def __len__(self) -> int: ...

class MapGrid:
    """One grid of a map: n x n bins over extent; per-bin arrays indexed [iy, ix]."""
    n: int
    folded: bool
    extent: tuple[float, float, float, float]
    x: FloatArray
    y: FloatArray
    rays: numpy.ndarray
    weight: FloatArray
    ee_iso: FloatArray
    ee_iso_se: FloatArray
    ee_noniso: FloatArray
    ee_noniso_se: FloatArray
    rt_iso: FloatArray
    rt_iso_se: FloatArray
    rt_noniso: FloatArray
    rt_noniso_se: FloatArray
    uniformity: dict[str, dict[str, float]]

class Map:
    """Where a run's rays first met the array, binned, unfolded and folded."""
    wavelength: Optional[float]
    rt_wavelength: float
    lost_rays: int
    unfolded: MapGrid
    folded: MapGrid

class SweepResults(list[Results]):
    field: str
    values: list[float]
    def to_csv(self, path: Optional[str] = None) -> Optional[str]: ...
    def to_pandas(self) -> pandas.DataFrame: ...

def run(task: Task, *, rays: int = 10000, seed: Optional[int] = None, threshold: float = 1e-6,
        parallel: bool = False, threads: int = 0, target_error: Optional[float] = None,
        search: str = "indexed", precision: str = "extended",
        progress: Optional[Callable[[int, int], object]] = None, map_grid: Optional[int] = None,
        map_wavelength: Optional[float] = None) -> Results:
    """Traces the task and returns its Results."""

def sweep(task: Task, field: str, values: Iterable[float], *, rays: int = 10000, seed: Optional[int] = None,
          threshold: float = 1e-6, parallel: bool = False, threads: int = 0, target_error: Optional[float] = None,
          search: str = "indexed", precision: str = "extended",
          progress: Optional[Callable[[int, int], object]] = None) -> SweepResults:
    """Runs the task once for each value of one field, every run from the same seed."""

class Budget:
    """An uncertainty budget (GUM, the inputs taken as uncorrelated)."""
    table: pandas.DataFrame
    values: pandas.DataFrame
    one_sided: pandas.Series
    independent_se: pandas.Series
    coverage: float
    rays: int
    seed: int
    replicates: int
    def combined(self, quantity: str = "EEIso") -> FloatArray: ...
    def expanded(self, quantity: str = "EEIso") -> FloatArray: ...
    def shares(self, wavelength: float, quantity: str = "EEIso") -> pandas.Series: ...
    def to_csv(self, path: Optional[str] = None) -> Optional[str]: ...
    def text(self, decimal_separator: str = ".") -> str: ...

def budget(task: Task, uncertainties: dict[str, float | str | Sequence[float]], *, rays: int = 10000,
           seed: Optional[int] = None, threshold: float = 1e-6, coverage: float = 2, parallel: bool = True,
           threads: int = 0, replicates: int = 8, precision: str = "extended",
           progress: Optional[Callable[[int, int, str], object]] = None) -> Budget:
    """The uncertainty budget of the task (GUM, the inputs taken as uncorrelated)."""

def clock_seed() -> int:
    """A generator seed from the clock."""

# tessolan.distributed: run() and sweep() over the workers of a Dask cluster (its own annotations).
from . import distributed as distributed
