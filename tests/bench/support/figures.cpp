#include "figures.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

double NowMilliseconds() {
    static const double ticksPerMillisecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / ticksPerMillisecond;
}

double Figures::Median() const {
    std::vector<double> sorted = samples_;
    std::sort(sorted.begin(), sorted.end());
    const size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double Figures::Min() const { return *std::min_element(samples_.begin(), samples_.end()); }

double Figures::Max() const { return *std::max_element(samples_.begin(), samples_.end()); }

Figures Figures::Scaled(double factor) const {
    Figures scaled;
    for (double sample : samples_) scaled.Add(sample * factor);
    return scaled;
}

void PrintHeading(const std::string& title) { std::printf("\n%s\n", title.c_str()); }

void PrintRow(const std::string& label, const Figures& figures, const char* unit, const Figures* reference,
              const std::string& referenceName) {
    std::printf("  %-44s %9.3f %-3s (%.3f-%.3f)", label.c_str(), figures.Median(), unit, figures.Min(),
                figures.Max());
    if (reference != nullptr) std::printf("  %5.2fx %s", figures.Median() / reference->Median(), referenceName.c_str());
    std::printf("\n");
    std::fflush(stdout);
}

void PrintNote(const std::string& text) {
    std::printf("  %s\n", text.c_str());
    std::fflush(stdout);
}
