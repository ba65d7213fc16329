"""Task: fields through the boxes' ranges and decimals, reflectance arrays, files and the program's messages."""

import warnings

import numpy
import pytest

import tessolan


def test_design_values():
    task = tessolan.Task()
    assert (task.SlantAngle, task.BaseSideLength, task.Tref, task.TTop, task.AngleB) == (45, 3, 300, 299, 5)
    assert (task.Shape, task.CenterPosition, task.VCType) == (0, 0, 1)
    assert isinstance(task.Shape, int) and isinstance(task.SlantAngle, float)
    wavelengths, reflectances = task.reflectance
    assert wavelengths.dtype == numpy.float64 and list(wavelengths) == list(range(1, 21))
    assert set(reflectances) == {0.1}
    assert task.fields()[:4] == ["Shape", "CenterPosition", "VCType", "RadiatorSize"]
    assert all(hasattr(task, field) for field in task.fields())


@pytest.mark.parametrize("field,given,taken", [
    ("SlantAngle", 60, 60.0),
    ("SlantAngle", 60.123449, 60.1234),
    ("SlantAngle", 60.03125, 60.0313),   # an exact tie: half away from zero
    ("SlantAngle", 60.12345, 60.1234),   # below the tie in binary
    ("SlantAngle", 95, 89.0),           # clamped to the box's range
    ("AngleB", 12.34567, 12.346),       # three decimals
    ("Diffusity", -1, 0.0),
    ("Tref", 0, 1.0),
])
def test_field_goes_through_its_box(field, given, taken):
    task = tessolan.Task()
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        setattr(task, field, given)
    assert getattr(task, field) == taken
    assert [issubclass(w.category, tessolan.TaskWarning) for w in caught] == ([True] if given != taken else [])


def test_copy_is_independent():
    task = tessolan.Task()
    other = task.copy()
    other.SlantAngle = 30
    other.reflectance = ([1.0], [0.5])
    assert task.SlantAngle == 45 and len(task.reflectance[0]) == 20


def test_reflectance_is_ordered_and_repeats_skipped():
    task = tessolan.Task()
    with pytest.warns(tessolan.TaskWarning, match="1 duplicated"):
        task.reflectance = (numpy.array([3.0, 1.0, 2.0, 1.0]), [0.3, 0.1, 0.2, 0.9])
    wavelengths, reflectances = task.reflectance
    assert list(wavelengths) == [1, 2, 3] and list(reflectances) == [0.1, 0.2, 0.3]


@pytest.mark.parametrize("value,error", [
    (([1.0, 2.0], [0.1]), ValueError),
    (([[1.0]], [[0.1]]), ValueError),
    (([1.0, float("nan")], [0.1, 0.2]), ValueError),
    ([1.0, 2.0, 3.0], TypeError),
    ((["a"], [0.1]), ValueError),
])
def test_bad_reflectance_is_refused_and_the_table_kept(value, error):
    task = tessolan.Task()
    with pytest.raises(error):
        task.reflectance = value
    assert len(task.reflectance[0]) == 20


@pytest.mark.parametrize("field,value,error", [
    ("SlantAngle", "60", TypeError),
    ("SlantAngle", None, TypeError),
    ("Shape", True, TypeError),
    ("SlantAngle", float("nan"), tessolan.TaskError),
])
def test_bad_field_values(field, value, error):
    task = tessolan.Task()
    with pytest.raises(error):
        setattr(task, field, value)
    assert getattr(task, field) == getattr(tessolan.Task(), field)


# The program's own messages, raised as TaskError (a ValueError).
@pytest.mark.parametrize("change,message", [
    (lambda t: setattr(t, "Shape", 2), "Radiator shape index (2) must be 0 (square) or 1 (circle)"),
    (lambda t: setattr(t, "VCType", 4), None),
    (lambda t: setattr(t, "Shape", 0.5), "'0.5' is not a valid value for Shape"),
    (lambda t: setattr(t, "name", " \t"), "Task Name cannot be blank"),
])
def test_task_errors_when_set(change, message):
    task = tessolan.Task()
    with pytest.raises(tessolan.TaskError) as raised:
        change(task)
    assert isinstance(raised.value, ValueError)
    if message:
        assert str(raised.value) == message


@pytest.mark.parametrize("change,message", [
    (lambda t: setattr(t, "reflectance", ([], [])), "No spectral reflectance data found"),
    (lambda t: setattr(t, "comments", ["c"] * 1002), "Comments are too long"),
])
def test_task_errors_when_run(change, message):
    task = tessolan.Task()
    change(task)
    with pytest.raises(tessolan.TaskError, match=f"^{message}$"):
        tessolan.run(task, rays=100, seed=1)


def test_load_errors_are_the_programs(tmp_path, samples):
    with pytest.raises(tessolan.TaskError):
        tessolan.Task.load(str(tmp_path / "missing.txt"))
    lines = (samples / "Design_Gray.txt").read_bytes().splitlines(keepends=True)
    lines[1] = b"7  // Square blackbody\r\n"
    (tmp_path / "bad.txt").write_bytes(b"".join(lines))
    with pytest.raises(tessolan.TaskError, match=r"^Radiator shape index \(7\)"):
        tessolan.Task.load(str(tmp_path / "bad.txt"))


def test_load_names_the_task_after_its_file(samples):
    task = tessolan.Task.load(str(samples / "Truncated_Gaps.txt"))
    assert task.name == "Truncated_Gaps"
    assert task.comments == tessolan.Task.load(str(samples / "Truncated_Gaps.txt")).comments


def test_save_and_load_keep_the_task(tmp_path):
    task = tessolan.Task()
    task.SlantAngle = 33.5
    task.VCType = 2
    task.HF = 750
    task.reflectance = ([0.5, 1.5], [0.25, 0.75])
    task.comments = ["first", "second line"]
    task.save(str(tmp_path / "t.txt"))
    loaded = tessolan.Task.load(str(tmp_path / "t.txt"))
    assert [getattr(loaded, f) for f in ("SlantAngle", "VCType", "HF")] == [33.5, 2, 750]
    assert [list(a) for a in loaded.reflectance] == [[0.5, 1.5], [0.25, 0.75]]
    assert loaded.comments == ["first", "second line"]
    assert loaded.name == "t"


def test_save_errors(tmp_path):
    task = tessolan.Task()
    with pytest.raises(OSError):
        task.save(str(tmp_path / "no-such-folder" / "t.txt"))
    task.reflectance = ([], [])
    with pytest.raises(tessolan.TaskError, match="No spectral reflectance data found"):
        task.save(str(tmp_path / "t.txt"))
    assert not (tmp_path / "t.txt").exists()
