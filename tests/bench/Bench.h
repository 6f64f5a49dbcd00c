// A small benchmark runner: each benchmark registers itself by name and reports its timings.
#pragma once

#include <QString>
#include <functional>

struct BenchContext {
    bool quick = false; // smaller inputs, for the CTest pass that keeps benchmarks working
    // Runs fn repeat times and prints the best time in milliseconds against the aim.
    double time(const QString& what, double aimMs, const std::function<void()>& fn, int repeat = 5) const;
};

struct BenchRegistrar {
    BenchRegistrar(const char* name, std::function<void(const BenchContext&)> fn);
};

#define LUM_BENCH(name)                                                                                                \
    static void bench_##name(const BenchContext& ctx);                                                                 \
    static BenchRegistrar registrar_##name(#name, bench_##name);                                                       \
    static void bench_##name(const BenchContext& ctx)
