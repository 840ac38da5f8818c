// The frame figures: steps of moving blocks between presented pictures,
// pictures a second while they move, input delays and the report's lines.
#include <gtest/gtest.h>

#include "app/frame_stats.h"

TEST(FrameStats, StepsAndPicturesASecondWhileBlocksMoveComeFromThePresentedPicturesOnly) {
    FrameStats classic;
    classic.beginInterval(1000, {{20, 0}, {0, -20}});
    classic.picture(1066, 1, true);
    classic.beginInterval(1066, {});
    classic.picture(1132, 1, true);
    EXPECT_EQ(classic.largestStep(), 20);
    EXPECT_EQ(classic.stepPercentile(95), 20);
    EXPECT_NEAR(classic.picturesPerSecondWhileMoving(), 1000.0 / 66, 0.01);
    EXPECT_EQ(classic.presentedPictures(), 2);

    FrameStats smooth;
    smooth.beginInterval(1000, {{20, 0}});
    smooth.picture(1017, 0.25, true);
    // Unchanged, so never seen: the next step counts from the last one seen.
    smooth.picture(1033, 0.5, false);
    smooth.picture(1050, 0.75, true);
    smooth.picture(1066, 1, true);
    smooth.beginInterval(1066, {{20, 0}});
    for (const int quarter : {1, 2, 3, 4}) smooth.picture(1066 + 16 * quarter, quarter / 4.0, true);
    EXPECT_EQ(smooth.largestStep(), 10);
    EXPECT_EQ(smooth.stepPercentile(50), 5);
    EXPECT_NEAR(smooth.picturesPerSecondWhileMoving(), 7 * 1000.0 / 130, 0.01);
    EXPECT_EQ(smooth.presentedPictures(), 7);
}

TEST(FrameStats, TheReportHasOneLinePerFigureWithInputDelaysAsMedianAndWorst) {
    FrameStats stats;
    for (const int delay : {30, 4, 12, 9}) stats.inputAnswered(delay);
    stats.tick();
    stats.beginInterval(0, {{0, 20}});
    stats.picture(50, 0.75, true);
    stats.picture(66, 1, true);
    EXPECT_EQ(stats.report(),
              "frame stats: ticks 1\n"
              "frame stats: presented pictures 2\n"
              "frame stats: pictures per second while moving 30.3\n"
              "frame stats: largest step while moving 15 px\n"
              "frame stats: 95th percentile step while moving 15 px\n"
              "frame stats: input to picture median 10.5 ms\n"
              "frame stats: input to picture worst 30 ms\n");
    EXPECT_EQ(FrameStats().report().find("nan"), std::string::npos);
}
