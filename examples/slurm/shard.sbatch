#!/usr/bin/env bash
# One shard of a Tessolan run, as one task of a Slurm job array (submit.sh submits it).
#SBATCH --job-name=tessolan-shard
#SBATCH --cpus-per-task=4
#SBATCH --output=tessolan-shard-%A_%a.log
#
# Takes from the environment TASK, RAYS, SEED and PARTS (a folder every node sees), and
# TESSOLAN_BATCH (default: tessolan-batch on the PATH). Shard K of N is the array task
# SLURM_ARRAY_TASK_ID of SLURM_ARRAY_TASK_COUNT.
set -euo pipefail
: "${TASK:?the task file}" "${RAYS:?the rays}" "${SEED:?the seed}" "${PARTS:?the folder of partial results}"
mkdir -p "$PARTS"
exec "${TESSOLAN_BATCH:-tessolan-batch}" "$TASK" --parallel="${SLURM_CPUS_PER_TASK:-1}" -n "$RAYS" -s "$SEED" -q \
  --shard "$SLURM_ARRAY_TASK_ID/$SLURM_ARRAY_TASK_COUNT" --partial "$PARTS/part-$SLURM_ARRAY_TASK_ID.txt"
