"""What the tests of the tessolan package share: the batch tool, the sample tasks, a batch run."""

import os
import pathlib
import subprocess

import pytest

import tessolan  # noqa: F401  (fails early when PYTHONPATH does not hold the build's package)


@pytest.fixture(scope="session")
def samples() -> pathlib.Path:
    return pathlib.Path(os.environ.get("TESSOLAN_SAMPLES", pathlib.Path(__file__).parents[2] / "samples" / "Data"))


@pytest.fixture(scope="session")
def batch_exe() -> str:
    exe = os.environ.get("TESSOLAN_BATCH")
    if not exe:
        pytest.skip("TESSOLAN_BATCH names no batch tool")
    return exe


def without_times(report: bytes) -> bytes:
    """The report without its two date-time lines, the only ones that differ between two runs."""
    return b"".join(line for line in report.splitlines(keepends=True) if b"Monte Carlo modeling" not in line)


@pytest.fixture
def run_batch(batch_exe, tmp_path):
    """Runs the batch tool on a task file; returns the bytes of its results, report and CSV files."""

    def run(task_file, *args):
        out = tmp_path / "batch"
        out.mkdir(exist_ok=True)
        files = {"results": out / "res.txt", "report": out / "rep.txt", "csv": out / "res.csv"}
        subprocess.run([batch_exe, str(task_file), "-q", "-o", files["results"], "-r", files["report"],
                        "--csv", files["csv"], *args], check=True, capture_output=True)
        return {kind: path.read_bytes() for kind, path in files.items()}

    return run


@pytest.fixture
def python_outputs(tmp_path):
    """Writes a Results' three files as the batch tool would; returns their bytes."""

    def outputs(results):
        out = tmp_path / "python"
        out.mkdir(exist_ok=True)
        results.save(str(out / "res.txt"))
        results.save_report(str(out / "rep.txt"))
        results.to_csv(str(out / "res.csv"))
        return {kind: (out / name).read_bytes()
                for kind, name in (("results", "res.txt"), ("report", "rep.txt"), ("csv", "res.csv"))}

    return outputs
