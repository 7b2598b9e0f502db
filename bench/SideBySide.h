#pragma once

// Times our way of doing some work against a peer doing the same work, in one run: both are
// warmed once (untimed), then timed in rounds; who goes first alternates from round to round, so
// a slow spell of a shared machine falls on both alike. Prints the median and the spread
// (lowest to highest) of both, and the median and spread of the rounds' own ratios ours / peer.

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace bench {

struct Side {
    const char* name;
    std::function<bool()> prepare; // untimed, before every run (may be empty)
    std::function<bool()> run;
};

struct Spread {
    double median = 0, low = 0, high = 0;
};

inline Spread spreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double middle = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {middle, values.front(), values.back()};
}

inline double timed(const Side& side) {
    if (side.prepare && !side.prepare()) {
        std::fprintf(stderr, "preparing %s failed\n", side.name);
        std::exit(2);
    }
    QElapsedTimer timer;
    timer.start();
    const bool ok = side.run();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (!ok) {
        std::fprintf(stderr, "%s failed\n", side.name);
        std::exit(2);
    }
    return seconds;
}

struct Result {
    Spread ours, peer, ratio;
};

inline Result sideBySide(const char* title, const Side& ours, const Side& peer, int rounds) {
    timed(ours);
    timed(peer);
    std::vector<double> a, b, ratios;
    for (int round = 0; round < rounds; ++round) {
        double x = 0, y = 0;
        if (round % 2 == 0) {
            x = timed(ours);
            y = timed(peer);
        } else {
            y = timed(peer);
            x = timed(ours);
        }
        a.push_back(x);
        b.push_back(y);
        ratios.push_back(x / y);
    }
    const Result result{spreadOf(a), spreadOf(b), spreadOf(ratios)};
    // Seconds, or milliseconds when a side takes less than one.
    const bool short_ = result.ours.median < 1 && result.peer.median < 1;
    const double unit = short_ ? 1000 : 1;
    const char* unitName = short_ ? "ms" : "s";
    std::printf("%s\n  ours %-8s %8.3f %s (%.3f to %.3f)\n  %-13s %8.3f %s (%.3f to %.3f)\n"
                "  ratio ours/peer %.2f (rounds %.2f to %.2f), %d rounds\n",
                title, ours.name, result.ours.median * unit, unitName, result.ours.low * unit,
                result.ours.high * unit, peer.name, result.peer.median * unit, unitName,
                result.peer.low * unit, result.peer.high * unit, result.ratio.median,
                result.ratio.low, result.ratio.high, rounds);
    std::fflush(stdout);
    return result;
}

} // namespace bench
