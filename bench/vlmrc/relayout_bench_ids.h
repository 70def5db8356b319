// Dialog template ids of the relayout benchmark's resource module (relayout_bench.dll).
#pragma once

#define IDD_BENCH_PORTRAIT 100
#define IDD_BENCH_LANDSCAPE 101
