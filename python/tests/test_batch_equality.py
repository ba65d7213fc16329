"""The package writes the batch tool's bytes: same task, seed, rays and threshold, same files."""

import subprocess

import pytest

import tessolan
from conftest import without_times

# (task file, batch arguments, run() arguments, fields set on the task)
CASES = [
    ("Design_Gray.txt", ["-n", "2000", "-s", "3"], dict(rays=2000, seed=3), {}),
    ("Truncated_Gaps.txt", ["-n", "3000", "-s", "7", "--parallel=2"],
     dict(rays=3000, seed=7, parallel=True, threads=2), {}),
    ("Truncated_Gaps.txt", ["-n", "3000", "-s", "7", "--parallel=3"],
     dict(rays=3000, seed=7, parallel=True), {}),
    ("Conical.txt", ["-n", "1500", "-s", "11", "-t", "0.001", "--search", "exhaustive"],
     dict(rays=1500, seed=11, threshold=0.001, search="exhaustive"), {}),
    ("Integrated.txt", ["-n", "2000", "-s", "4294967295", "--set", "SlantAngle=52.123456", "--set", "Shape=1"],
     dict(rays=2000, seed=4294967295), dict(SlantAngle=52.123456, Shape=1)),
    ("Design_Gray.txt", ["-n", "200000", "-s", "5", "--target-error", "0.003"],
     dict(rays=200000, seed=5, target_error=0.003), {}),
    # The fast mode: its own numbers, the same through both fronts.
    ("Integrated.txt", ["-n", "2000", "-s", "8", "--precision", "double"],
     dict(rays=2000, seed=8, precision="double"), {}),
    ("Truncated_Gaps.txt", ["-n", "3000", "-s", "9", "--parallel=2", "--precision", "double"],
     dict(rays=3000, seed=9, parallel=True, precision="double"), {}),
]


@pytest.mark.filterwarnings("ignore::tessolan.TaskWarning")
@pytest.mark.parametrize("file,batch_args,run_args,fields", CASES)
def test_files_equal_the_batch_tools(samples, run_batch, python_outputs, file, batch_args, run_args, fields):
    task = tessolan.Task.load(str(samples / file))
    for field, value in fields.items():
        setattr(task, field, value)
    expected = run_batch(samples / file, *batch_args)
    got = python_outputs(tessolan.run(task, **run_args))
    assert got["results"] == expected["results"]
    assert without_times(got["report"]) == without_times(expected["report"])
    assert got["csv"] == expected["csv"]


def test_design_task_is_the_design_sample(samples, run_batch, python_outputs):
    task = tessolan.Task()
    task.name = "Design_Gray"
    task.comments = ["Design values of the main window", "Gray material: reflectance 0.1 from 1 to 20 um"]
    expected = run_batch(samples / "Design_Gray.txt", "-n", "2000", "-s", "9")
    got = python_outputs(tessolan.run(task, rays=2000, seed=9))
    assert got["results"] == expected["results"]
    assert without_times(got["report"]) == without_times(expected["report"])


def test_saved_task_runs_as_the_task(tmp_path, samples, run_batch, python_outputs):
    task = tessolan.Task.load(str(samples / "Conical.txt"))
    task.GapWidth = 0.5
    task.reflectance = ([2.0, 4.0, 8.0], [0.05, 0.2, 0.35])
    task.name = "saved"
    task.save(str(tmp_path / "saved.txt"))
    expected = run_batch(tmp_path / "saved.txt", "-n", "2000", "-s", "13")
    assert python_outputs(tessolan.run(task, rays=2000, seed=13))["results"] == expected["results"]


def test_sweep_table_equals_the_batch_sweep(tmp_path, samples, batch_exe):
    subprocess.run([batch_exe, str(samples / "Design_Gray.txt"), "-q", "-n", "1000", "-s", "21",
                    "--sweep", "SlantAngle=30:60:15", "--csv", tmp_path / "batch.csv"], check=True)
    runs = tessolan.sweep(tessolan.Task.load(str(samples / "Design_Gray.txt")), "SlantAngle", [30, 45, 60],
                          rays=1000, seed=21)
    runs.to_csv(str(tmp_path / "python.csv"))
    assert (tmp_path / "python.csv").read_bytes() == (tmp_path / "batch.csv").read_bytes()

