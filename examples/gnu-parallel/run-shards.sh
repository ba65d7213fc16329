#!/usr/bin/env bash
# One run traced in N shards by GNU parallel (Debian: parallel), here or over ssh on other
# machines (add -S host1,host2 and a folder every machine sees), then merged: the same bytes as
#   tessolan-batch TASK --parallel -n RAYS -s SEED -o OUT_res.txt -r OUT_rep.txt --csv OUT.csv
#
#   run-shards.sh TASK RAYS SEED N OUT     (TESSOLAN_BATCH: the tool, default tessolan-batch;
#                                           JOBS: shards at a time, default one per core)
set -euo pipefail
task="$1" rays="$2" seed="$3" n="$4" out="$5"
batch="${TESSOLAN_BATCH:-tessolan-batch}"
parts="$(mktemp -d)"
trap 'rm -rf "$parts"' EXIT

# The one-liner: every shard on one thread, as many at a time as there are cores.
parallel -j "${JOBS:-100%}" --halt now,fail=1 "$batch" "$task" --parallel=1 -n "$rays" -s "$seed" -q \
  --shard {}/"$n" --partial "$parts"/part-{}.txt ::: $(seq 0 $((n - 1)))

"$batch" --merge "$parts"/part-*.txt -o "${out}_res.txt" -r "${out}_rep.txt" --csv "${out}.csv"
