#!/usr/bin/env bash
# The recipes of "Beyond one machine" give the bytes of one --parallel run: the GNU parallel
# script with 3 shards, and the Slurm scripts' bodies with the array variables set by hand (no
# Slurm here), the shards run in a shuffled order.
#
#   recipes-test.sh BATCH_EXE TASK_FILE EXAMPLES_DIR
set -euo pipefail
export LC_ALL=C
batch="$1" task="$2" examples="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
rays=5500 seed=21

"$batch" "$task" --parallel=2 -n $rays -s $seed -q -o "$work/whole_res.txt" -r "$work/whole_rep.txt" \
  --csv "$work/whole.csv" 2> /dev/null
same() {  # the three files of a run against the whole run's, the report less its clock lines
  cmp "$work/whole_res.txt" "${1}_res.txt" && cmp "$work/whole.csv" "${1}.csv" &&
    diff <(grep -v '^Monte Carlo modeling' "$work/whole_rep.txt") <(grep -v '^Monte Carlo modeling' "${1}_rep.txt")
}

TESSOLAN_BATCH="$batch" JOBS=2 "$examples/gnu-parallel/run-shards.sh" "$task" $rays $seed 3 "$work/gnu" 2> /dev/null
same "$work/gnu" && echo "GNU parallel: same bytes"

export TESSOLAN_BATCH="$batch" TASK="$task" RAYS=$rays SEED=$seed PARTS="$work/parts" OUT="$work/slurm"
for id in 3 0 2 1; do
  SLURM_ARRAY_TASK_ID=$id SLURM_ARRAY_TASK_COUNT=4 SLURM_CPUS_PER_TASK=2 bash "$examples/slurm/shard.sbatch" 2> /dev/null
done
bash "$examples/slurm/merge.sbatch"
same "$work/slurm" && echo "Slurm scripts: same bytes"
