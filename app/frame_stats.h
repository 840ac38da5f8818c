// The figures --frame-stats prints at exit: ticks and presented pictures,
// how often and in what steps moving blocks are shown, and how soon a
// picture answers input. Fed by the picture pacer; all times in the frame
// clock's milliseconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FrameStats {
public:
    // How far one block travels in one tick, in picture pixels.
    struct Travel {
        int x;
        int y;
    };

    void tick() { ++ticks_; }
    // A tick's picture, presented at time, starts a new interval up to the
    // next tick, in which these blocks travel (none: the board is still).
    void beginInterval(const uint32_t& time, const std::vector<Travel>& travels);
    // A picture showing fraction (0 to 1) of the interval's travel, presented
    // at time; the next tick's picture shows all of it and ends the interval.
    // reachedScreen: it differed from the picture on the screen.
    void picture(const uint32_t& time, const double& fraction, const bool& reachedScreen);
    // From an input event to the present of the first picture drawn after it.
    void inputAnswered(const int& milliseconds);

    int ticks() const { return ticks_; }
    int presentedPictures() const { return presented_; }
    double picturesPerSecondWhileMoving() const;
    double largestStep() const;
    double stepPercentile(const double& percent) const;
    double inputMedian() const;
    double inputWorst() const;

    // The seven "frame stats:" lines.
    std::string report() const;

private:
    int ticks_ = 0;
    int presented_ = 0;
    bool intervalOpen_ = false;
    uint32_t intervalStart_ = 0;
    std::vector<Travel> travels_;
    double lastFraction_ = 0;
    int movingPictures_ = 0;
    double movingMilliseconds_ = 0;
    std::vector<double> steps_;
    std::vector<double> latencies_;
};
