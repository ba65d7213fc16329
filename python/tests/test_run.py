"""run(): arguments, the same seed giving the same numbers, progress, Ctrl-C and the interpreter's lock."""

import os
import signal
import threading
import time

import numpy
import pytest

import tessolan


@pytest.mark.parametrize("arguments,error", [
    (dict(rays=0), ValueError),
    (dict(rays=100_000_001), tessolan.TaskError),
    (dict(seed=-1), ValueError),
    (dict(seed=2**32), ValueError),
    (dict(threshold=-1e-6), ValueError),
    (dict(threshold=float("nan")), ValueError),
    (dict(threads=-1), ValueError),
    (dict(target_error=0), ValueError),
    (dict(search="binary"), ValueError),
    (dict(precision="single"), ValueError),
    (dict(progress=3), TypeError),
    (dict(rays="many"), TypeError),
])
def test_bad_arguments(arguments, error):
    with pytest.raises(error):
        tessolan.run(tessolan.Task(), **{"rays": 100, "seed": 1, **arguments})


def test_too_many_rays_is_the_programs_message():
    with pytest.raises(tessolan.TaskError, match="^Too many rays$"):
        tessolan.run(tessolan.Task(), rays=100_000_001, seed=1)


COLUMNS = ["wavelength", "ee_iso", "ee_noniso", "rt_iso", "rt_noniso",
           "ee_iso_se", "ee_noniso_se", "rt_iso_se", "rt_noniso_se"]


@pytest.mark.parametrize("parallel", [False, True])
def test_same_seed_same_numbers(parallel):
    task = tessolan.Task()
    first, again, other = (tessolan.run(task, rays=3000, seed=s, parallel=parallel) for s in (8, 8, 9))
    for name in COLUMNS:
        column = getattr(first, name)
        assert column.dtype == numpy.float64 and column.shape == (20,)
        assert column.tobytes() == getattr(again, name).tobytes()
    assert not numpy.array_equal(first.ee_noniso, other.ee_noniso)
    assert (first.rays, first.seed, first.task_name) == (3000, 8, "Tessolan")


def test_results_columns_agree_with_the_csv():
    results = tessolan.run(tessolan.Task(), rays=2000, seed=2)
    rows = [line for line in results.to_csv().splitlines() if not line.startswith("#")][1:]
    table = numpy.array([[float(x) for x in row.split(",")] for row in rows])
    assert table.tobytes() == numpy.column_stack([getattr(results, n) for n in COLUMNS]).tobytes()
    frame = results.to_pandas()
    assert list(frame.columns) == COLUMNS and frame.shape == (20, 9)


def test_no_seed_takes_one_from_the_clock_and_tells_it():
    task = tessolan.Task()
    results = tessolan.run(task, rays=500)
    assert tessolan.run(task, rays=500, seed=results.seed).ee_iso.tobytes() == results.ee_iso.tobytes()


def test_target_error_ends_the_run_early():
    results = tessolan.run(tessolan.Task(), rays=1_000_000, seed=3, target_error=0.002)
    assert results.rays < 1_000_000
    assert max(results.ee_iso_se.max(), results.ee_noniso_se.max()) <= 0.002


# A task slow enough to be stopped: a deep, highly reflecting array and many rays.
def slow_task():
    task = tessolan.Task()
    task.SlantAngle = 80
    task.reflectance = ([1.0, 10.0], [0.9, 0.9])
    return task


def test_progress_is_told_rays_done_and_total():
    calls = []
    tessolan.run(slow_task(), rays=60_000, seed=1, progress=lambda done, total: calls.append((done, total)))
    assert calls[-1] == (60_000, 60_000)
    assert all(total == 60_000 for _, total in calls)
    done = [d for d, _ in calls]
    assert done == sorted(done) and len(calls) >= 2


def test_an_error_in_progress_stops_the_run_and_is_raised():
    def progress(done, total):
        raise RuntimeError("stop here")

    with pytest.raises(RuntimeError, match="stop here"):
        tessolan.run(slow_task(), rays=100_000_000, seed=1, progress=progress)


@pytest.mark.parametrize("parallel", [False, True])
def test_ctrl_c_stops_within_a_second(parallel):
    sent = []

    def press_ctrl_c():
        sent.append(time.monotonic())
        os.kill(os.getpid(), signal.SIGINT)

    timer = threading.Timer(0.5, press_ctrl_c)
    timer.start()
    with pytest.raises(KeyboardInterrupt):
        tessolan.run(slow_task(), rays=100_000_000, seed=1, parallel=parallel)
    assert time.monotonic() - sent[0] < 1.0
    timer.join()


def test_run_lets_other_threads_go():
    ticks = []
    stop = threading.Event()

    def count():
        while not stop.is_set():
            ticks.append(1)
            time.sleep(0.001)

    counter = threading.Thread(target=count)
    counter.start()
    time.sleep(0.05)
    before = len(ticks)
    tessolan.run(slow_task(), rays=30_000, seed=1)
    stop.set()
    counter.join()
    assert len(ticks) - before > 20


def test_runs_in_threads_give_the_numbers_of_runs_in_turn():
    task = slow_task()
    alone = [tessolan.run(task, rays=4000, seed=s).ee_noniso.tobytes() for s in (1, 2)]
    together = [None, None]

    def run(i):
        together[i] = tessolan.run(task, rays=4000, seed=i + 1).ee_noniso.tobytes()

    threads = [threading.Thread(target=run, args=(i,)) for i in range(2)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert together == alone
