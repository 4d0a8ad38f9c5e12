#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for a bounded time, starting from
# its seeds in fuzz/corpus/<target>/. What a run finds is kept under build-fuzz/fuzz/, never in the
# tree. Exits non-zero when a target crashed, leaked or hung, naming the reproducer.
# Usage: bench/fuzz.sh [SECONDS per target, default 60; or FUZZ_SECONDS=...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}

./scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset fuzz "${launcher[@]}" >/dev/null
cmake --build --preset fuzz

# Each target with the longest input worth trying: past the 8192-byte line cut and libtelnet's
# 16 KiB subnegotiation limit for the byte streams, a few KB for the files.
targets=(
    "fuzz_LineRoad 20000"
    "fuzz_TelnetProtocol 20000"
    "fuzz_CountryTable 8192"
    "fuzz_ServerList 4096"
    "fuzz_SettingsStore 4096"
    "fuzz_SpotExport 4096"
)
out=build-fuzz/fuzz
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
# A huge allocation that fails gives null, as without ASan: QSettings asks for gigabytes when a typed
# value in the file claims a list of billions of items, and copes when it gets none.
export ASAN_OPTIONS="allocator_may_return_null=1"
export TMPDIR="$PWD/$out/tmp" # files a crashed target leaves stay in the build folder
failed=()
for entry in "${targets[@]}"; do
    read -r target maxLen <<<"$entry"
    mkdir -p "$out/corpus/$target" "$out/crashes/$target" "$TMPDIR"
    printf '%-22s %4ss ... ' "$target" "$seconds"
    if "$out/$target" -max_len="$maxLen" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$out/crashes/$target/" "$out/corpus/$target" "fuzz/corpus/$target" \
        >"$out/$target.log" 2>&1; then
        grep -m1 '^stat::number_of_executed_units' "$out/$target.log" | awk '{print $2 " runs, no fault"}'
    else
        echo "FAULT: reproducer $(ls -t "$out/crashes/$target/"* 2>/dev/null | head -1), log $out/$target.log"
        failed+=("$target")
    fi
done
[ ${#failed[@]} -eq 0 ] || { echo "faults in: ${failed[*]}"; exit 1; }
