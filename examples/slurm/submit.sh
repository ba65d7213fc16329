#!/usr/bin/env bash
# Submits one Tessolan run as N shards (a job array) and their merge (a job that starts once
# every shard has ended well):
#
#   submit.sh TASK RAYS SEED N OUT      e.g. submit.sh design.txt 1e9 17 200 results/design
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export TASK="$(realpath "$1")" RAYS="$2" SEED="$3" OUT="$(realpath -m "$5")"
n="$4"
export PARTS="${OUT}-parts"
array=$(sbatch --parsable --export=ALL --array=0-$((n - 1)) "$here/shard.sbatch")
sbatch --parsable --export=ALL --dependency=afterok:"${array%%;*}" "$here/merge.sbatch"
