"""Dask scaling of tessolan.distributed.run on this machine: a LocalCluster of 2 single-threaded
worker processes against 1, on a run of a few seconds, and the overhead of a shard.

    PYTHONPATH=build/python /usr/bin/python3 bench/dask_scaling.py [--rays N] [--task FILE] [--repeat R]
"""

import argparse
import os
import pathlib
import time

from dask.distributed import Client, LocalCluster

import tessolan
import tessolan.distributed

SAMPLES = pathlib.Path(__file__).resolve().parents[1] / "samples" / "Data"


def best_time(client, task, rays, shards, repeat):
    best = float("inf")
    for _ in range(repeat):
        start = time.perf_counter()
        tessolan.distributed.run(task, rays=rays, seed=1, client=client, shards=shards)
        best = min(best, time.perf_counter() - start)
    return best


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--task", default=str(SAMPLES / "Truncated_Gaps.txt"))
    parser.add_argument("--rays", type=int, default=1_500_000)
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()
    task = tessolan.Task.load(args.task)

    start = time.perf_counter()
    local = tessolan.run(task, rays=args.rays, seed=1, parallel=True, threads=1)
    print(f"one process, one thread: {time.perf_counter() - start:.2f} s ({args.rays} rays)")
    times = {}
    for workers in (1, 2):
        with LocalCluster(processes=True, n_workers=workers, threads_per_worker=1, dashboard_address=None) as cluster, \
                Client(cluster) as client:
            client.run(lambda: None)  # the workers are up
            shards = 4 * workers
            times[workers] = best_time(client, task, args.rays, shards, args.repeat)
            results = tessolan.distributed.run(task, rays=args.rays, seed=1, client=client, shards=shards)
            assert results.ee_iso.tobytes() == local.ee_iso.tobytes()
            print(f"{workers} worker(s), {shards} shards: {times[workers]:.2f} s")
            if workers == 1:
                # The overhead of a shard: the same small run in 2 shards and in 200 (of one block each).
                small = 200_000 if args.rays >= 200_000 else args.rays
                few = best_time(client, task, small, 2, args.repeat)
                many = best_time(client, task, small, 200, args.repeat)
                print(f"overhead per shard: {(many - few) / 198 * 1000:.1f} ms "
                      f"({small} rays: 2 shards {few:.2f} s, 200 shards {many:.2f} s)")
    print(f"speed-up of 2 workers over 1: {times[1] / times[2]:.2f}x")
    print(f"load average while measuring: {os.getloadavg()}")


if __name__ == "__main__":
    main()
