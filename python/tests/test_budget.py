"""budget(): the table, its agreement with tessolan-batch --budget, and what it refuses."""

import subprocess

import numpy
import pytest

import tessolan

COLUMNS = ["wavelength", "quantity", "input", "u", "sensitivity", "sensitivity_se", "contribution", "share"]


def test_the_csv_is_the_batch_tools(tmp_path, samples, batch_exe):
    csv = tmp_path / "batch.csv"
    subprocess.run([batch_exe, str(samples / "Design_Gray.txt"), "-q", "-n", "400", "-s", "5", "--parallel",
                    "-o", str(tmp_path / "r.txt"), "--uncertainty", "Reflectance=0.01", "--uncertainty",
                    "SlantAngle=0.5", "--uncertainty", "TBase=1%", "--budget", str(csv)],
                   check=True, capture_output=True)
    b = tessolan.budget(tessolan.Task.load(str(samples / "Design_Gray.txt")),
                        {"Reflectance": 0.01, "SlantAngle": 0.5, "TBase": "1%"}, rays=400, seed=5)
    assert b.to_csv() == csv.read_text()
    assert list(b.table.columns) == COLUMNS
    assert len(b.table) == 20 * 4 * 6
    assert b.seed == 5 and b.rays == 400 and b.coverage == 2 and b.replicates == 8


def test_flat_plate_and_the_helpers():
    task = tessolan.Task()
    task.SlantAngle = 0
    task.TTop = task.TBase
    task.reflectance = ([2.0, 8.0], [0.1, 0.3])
    b = tessolan.budget(task, {"Reflectance": [0.01, 0.02], "GapWidth": 0.1}, rays=200, seed=1, coverage=3)
    refl = b.table[(b.table.input == "Reflectance") & b.table.quantity.isin(["EEIso", "EENoniso"])]
    numpy.testing.assert_allclose(refl.sensitivity, -1, atol=1e-12)
    assert list(refl.u) == [0.01, 0.01, 0.02, 0.02]
    assert (b.table[b.table.input == "GapWidth"].sensitivity == 0).all()
    numpy.testing.assert_allclose(b.expanded("EEIso"), 3 * b.combined("EEIso"))
    numpy.testing.assert_allclose(b.combined("EEIso"), [0.01, 0.02], rtol=1e-9)  # the Monte Carlo error is 0
    assert b.shares(8.0, "EEIso")["Reflectance"] == pytest.approx(1)
    assert b.text().startswith("Uncertainty budget (GUM)\n")


@pytest.mark.parametrize("uncertainties,error,match", [
    ({"Colour": 1}, tessolan.TaskError, "^Unknown input 'Colour'"),
    ({"TBase": -1}, tessolan.TaskError, "at least 0"),
    ({"DA": 1}, tessolan.TaskError, "does not apply"),
    ({"TBase": "one"}, ValueError, "percentage"),
    ({"TBase": None}, TypeError, "must be a number"),
    ({"Reflectance": [0.01]}, tessolan.TaskError, "1 uncertainties for the table's 20 wavelengths"),
    ([("TBase", 1)], TypeError, "dict"),
])
def test_refusals(uncertainties, error, match):
    with pytest.raises(error, match=match):
        tessolan.budget(tessolan.Task(), uncertainties, rays=100, seed=1)


def test_progress_counts_runs_and_an_exception_stops_the_budget():
    calls = []

    def progress(done, total, what):
        calls.append((done, total, what))
        if done == 2:
            raise KeyError("enough")

    with pytest.raises(KeyError):
        tessolan.budget(tessolan.Task(), {"SlantAngle": 1}, rays=80, seed=1, progress=progress)
    assert calls[0] == (0, 17, "the task as it is")
    assert calls[-1][0] == 2
