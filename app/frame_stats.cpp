// The frame statistics: moving intervals, block steps between presented
// pictures, input delays, and their report.
#include "app/frame_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "display/tick_motion.h"

namespace {

// The value at a percent of the sorted values (nearest rank); 0 for none.
double percentile(std::vector<double> values, const double& percent) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(percent / 100 * static_cast<double>(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

std::string line(const char* what, const double& value, const char* unit) {
    char text[128];
    // Whole numbers without decimals, others with one.
    const bool whole = value == std::floor(value);
    std::snprintf(text, sizeof text, whole ? "frame stats: %s %.0f%s\n" : "frame stats: %s %.1f%s\n", what, value,
                  unit);
    return text;
}

}  // namespace

void FrameStats::beginInterval(const uint32_t& time, const std::vector<Travel>& travels) {
    intervalOpen_ = true;
    intervalStart_ = time;
    travels_ = travels;
    lastFraction_ = 0;
}

void FrameStats::picture(const uint32_t& time, const double& fraction, const bool& reachedScreen) {
    if (reachedScreen) ++presented_;
    if (!intervalOpen_ || travels_.empty()) return;
    if (reachedScreen) {
        ++movingPictures_;
        // A block is drawn where TickMotion places it: the rounded fraction
        // of its travel.
        for (const Travel& travel : travels_) {
            const int dx = TickMotion::between(0, travel.x, fraction) - TickMotion::between(0, travel.x, lastFraction_);
            const int dy = TickMotion::between(0, travel.y, fraction) - TickMotion::between(0, travel.y, lastFraction_);
            steps_.push_back(std::hypot(dx, dy));
        }
        lastFraction_ = fraction;
    }
    if (fraction >= 1) {
        movingMilliseconds_ += static_cast<int32_t>(time - intervalStart_);
        intervalOpen_ = false;
    }
}

void FrameStats::inputAnswered(const int& milliseconds) { latencies_.push_back(std::max(0, milliseconds)); }

double FrameStats::picturesPerSecondWhileMoving() const {
    return movingMilliseconds_ > 0 ? movingPictures_ * 1000.0 / movingMilliseconds_ : 0;
}

double FrameStats::largestStep() const { return steps_.empty() ? 0 : *std::max_element(steps_.begin(), steps_.end()); }

double FrameStats::stepPercentile(const double& percent) const { return percentile(steps_, percent); }

double FrameStats::inputMedian() const {
    if (latencies_.empty()) return 0;
    std::vector<double> sorted = latencies_;
    std::sort(sorted.begin(), sorted.end());
    const size_t middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double FrameStats::inputWorst() const {
    return latencies_.empty() ? 0 : *std::max_element(latencies_.begin(), latencies_.end());
}

std::string FrameStats::report() const {
    return line("ticks", ticks_, "") + line("presented pictures", presented_, "") +
           line("pictures per second while moving", std::round(picturesPerSecondWhileMoving() * 10) / 10, "") +
           line("largest step while moving", std::round(largestStep() * 10) / 10, " px") +
           line("95th percentile step while moving", std::round(stepPercentile(95) * 10) / 10, " px") +
           line("input to picture median", inputMedian(), " ms") + line("input to picture worst", inputWorst(), " ms");
}
