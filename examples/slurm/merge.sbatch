#!/usr/bin/env bash
# The merge of a Tessolan run's shards, once every array task has ended well (submit.sh makes it
# depend on the array with --dependency=afterok).
#SBATCH --job-name=tessolan-merge
#SBATCH --output=tessolan-merge-%j.log
#
# Takes PARTS (the shards' folder) and OUT (the outputs' prefix) from the environment.
set -euo pipefail
: "${PARTS:?the folder of partial results}" "${OUT:?the prefix of the output files}"
exec "${TESSOLAN_BATCH:-tessolan-batch}" --merge "$PARTS"/part-*.txt \
  -o "${OUT}_res.txt" -r "${OUT}_rep.txt" --csv "${OUT}.csv"
