// Several runs of one measurement, printed side by side with the others of
// its table: the median, and the range of the runs as the machine's noise.
#pragma once

#include <string>
#include <vector>

// The moment now, in milliseconds on the performance counter.
double NowMilliseconds();

class Figures {
public:
    void Add(double value) { samples_.push_back(value); }
    bool Empty() const { return samples_.empty(); }
    double Median() const;
    double Min() const;
    double Max() const;
    // Every run multiplied by `factor`: the same runs in another unit.
    Figures Scaled(double factor) const;

private:
    std::vector<double> samples_;
};

void PrintHeading(const std::string& title);
// "label   median unit  (min-max)", and with a reference its median's ratio to
// the reference's median, named by `referenceName`.
void PrintRow(const std::string& label, const Figures& figures, const char* unit,
              const Figures* reference = nullptr, const std::string& referenceName = "");
void PrintNote(const std::string& text);
