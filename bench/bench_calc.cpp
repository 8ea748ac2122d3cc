// Times the computation of all sheets and sections for a typical declaration and
// for large ones, and shows that the time grows linearly with the records.
//
//   bench_calc [runs]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "benchdeclarations.h"
#include "calc/svodsum.h"
#include "model/declaration.h"

namespace {

using zorv::mTDeclaration;
using namespace zorv::bench;

// Median time of one Compute in microseconds.
double TimeCompute(mTDeclaration& d, int runs) {
    std::vector<double> times;
    zorv::kTSvodSum totals;
    totals.Compute(d);  // warm-up
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        totals.Compute(d);
        auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    mTDeclaration typical;
    FillTypical(typical);
    std::printf("%-34s %8s %12s %12s\n", "declaration", "records", "compute, us", "ns/record");
    double t = TimeCompute(typical, runs * 10);
    std::printf("%-34s %8zu %12.1f %12.1f\n", "typical (1 employer, 12 lines)", LineCount(typical),
                t, t * 1000 / static_cast<double>(LineCount(typical)));

    for (size_t sources : {125u, 250u, 500u, 1000u}) {
        mTDeclaration large;
        size_t currency = sources / 5;
        FillLarge(large, sources, 20, currency);
        double us = TimeCompute(large, runs);
        std::string name = std::to_string(sources) + " sources x 20 lines, " +
                           std::to_string(currency) + " currency";
        std::printf("%-34s %8zu %12.1f %12.1f\n", name.c_str(), LineCount(large), us,
                    us * 1000 / static_cast<double>(LineCount(large)));
    }
    return 0;
}
