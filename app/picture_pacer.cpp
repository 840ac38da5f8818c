// The picture pacer: the frame when due; while something moves or input
// waits for its answer, pictures between ticks at even steps of the tick
// interval, within the refresh rate; and the figures of what was shown.
#include "app/picture_pacer.h"

#include <algorithm>
#include <cmath>

#include "app/application.h"
#include "app/frame_stats.h"
#include "display/sprite.h"
#include "game/block.h"
#include "platform/drawing/surface.h"
#include "platform/loop/clock.h"
#include "platform/loop/message_queue.h"
#include "platform/window/window.h"

namespace {

// Where the display does not tell its refresh rate.
constexpr int defaultRefreshRate = 60;

uint32_t clockNow() { return platform::Clock::current().milliseconds(); }

bool isInput(const uint32_t& message) {
    switch (message) {
        case MESSAGE_KEY_DOWN:
        case MESSAGE_KEY_UP:
        case MESSAGE_CHAR:
        case MESSAGE_MOUSE_MOVE:
        case MESSAGE_LEFT_BUTTON_DOWN:
        case MESSAGE_RIGHT_BUTTON_DOWN:
        case MESSAGE_MIDDLE_BUTTON_DOWN:
        case MESSAGE_MOUSE_WHEEL: return true;
        default: return false;
    }
}

const Sprite* currentScreen() {
    return theRootNode != nullptr && theRootNode->childCount > 0 ? theRootNode->children[0] : nullptr;
}

// The travels of the board's blocks among the nodes that moved.
std::vector<FrameStats::Travel> blockTravels(const std::vector<Sprite*>& travelled) {
    std::vector<FrameStats::Travel> travels;
    for (Sprite* const node : travelled)
        if (dynamic_cast<Block*>(node) != nullptr) travels.push_back({node->motion.travelX, node->motion.travelY});
    return travels;
}

}  // namespace

PicturePacer::PicturePacer(Application& application, const bool& smooth, FrameStats* const& stats)
    : application_(application), smooth_(smooth), stats_(stats) {
    const int rate = application.window != nullptr ? application.window->refreshRate() : 0;
    refreshInterval_ = 1000.0 / (rate > 0 ? rate : defaultRefreshRate);
    picturesPerTick_ = std::max(1, static_cast<int>(std::lround(application.frameInterval / refreshInterval_)));
    roomCountedAt_ = clockNow();
}

PicturePacer::~PicturePacer() { motion_.restore(); }

int PicturePacer::sinceTick(const uint32_t& now) const {
    return static_cast<int32_t>(now - application_.lastFrameTime);
}

int PicturePacer::nextSlot() const {
    if (!smooth_ || dropped_ || !(moving_ || answerDue_)) return 0;
    return slot_ + 1 < picturesPerTick_ ? slot_ + 1 : 0;
}

int PicturePacer::slotDue(const int& slot) const {
    const int even = (slot * application_.frameInterval + picturesPerTick_ - 1) / picturesPerTick_;
    // Never sooner after the last picture than the even step.
    const int spaced = static_cast<int32_t>(lastPicture_ - application_.lastFrameTime) +
                       application_.frameInterval / picturesPerTick_;
    return std::max(even, spaced);
}

bool PicturePacer::takeRoom(const uint32_t& now, const bool& tick) {
    room_ = std::min(2.0, room_ + static_cast<int32_t>(now - roomCountedAt_) / refreshInterval_);
    roomCountedAt_ = now;
    if (!tick && room_ < 1) return false;
    room_ -= 1;
    return true;
}

bool PicturePacer::runDue() {
    const uint32_t now = clockNow();
    const int since = sinceTick(now);
    if (since >= application_.frameInterval) return runTick();
    const int slot = nextSlot();
    if (slot == 0 || since < slotDue(slot)) return true;
    // A late wake-up passes the slots it missed: there is no catching up.
    slot_ = std::max(slot, since * picturesPerTick_ / application_.frameInterval);
    // The tick never waits for a picture: one that would end after the tick
    // is due is not begun. A picture that once took long (the process kept
    // waiting, say) must not stop the others for good: each one not begun
    // halves the guess.
    if (since + pictureCost_ >= application_.frameInterval) {
        pictureCost_ /= 2;
        return true;
    }
    if (takeRoom(now, false)) drawBetween(now);
    return true;
}

int PicturePacer::timeUntilDue() {
    const int since = sinceTick(clockNow());
    const int untilTick = since < 0 ? application_.frameInterval : std::max(0, application_.frameInterval - since);
    const int slot = nextSlot();
    if (slot == 0) return untilTick;
    return std::clamp(slotDue(slot) - since, 0, untilTick);
}

bool PicturePacer::runTick() {
    // The frame draws before it ticks: its picture shows the tree as it is now.
    if (theRootNode != nullptr) motion_.recordShown(theRootNode);
    application_.changesBetweenTicks = false;
    const int presentedBefore = presentCount();
    if (!application_.runFrame()) return false;
    const uint32_t shownAt = clockNow();
    lastPicture_ = application_.lastFrameTime;
    takeRoom(lastPicture_, true);
    slot_ = 0;
    drawnSinceTick_ = false;
    screen_ = currentScreen();
    answerDue_ = false;
    dropped_ = false;
    std::vector<Sprite*> travelled;
    moving_ = (theRootNode != nullptr && motion_.changed(theRootNode, stats_ != nullptr ? &travelled : nullptr)) ||
              application_.changesBetweenTicks;
    if (stats_ != nullptr) {
        stats_->tick();
        stats_->picture(shownAt, 1, presentCount() != presentedBefore);
        stats_->beginInterval(shownAt, blockTravels(travelled));
        answerInput(shownAt);
    }
    return true;
}

void PicturePacer::drawBetween(const uint32_t& now) {
    Application& app = application_;
    if (app.backBuffer == nullptr || app.window == nullptr) return;
    const platform::Surface& tickPicture = *app.backBuffer;
    if (picture_ == nullptr || picture_->width() != tickPicture.width() ||
        picture_->height() != tickPicture.height() || picture_->bitsPerPixel() != tickPicture.bitsPerPixel()) {
        picture_ = std::make_unique<platform::Surface>(tickPicture.width(), tickPicture.height(),
                                                       tickPicture.bitsPerPixel());
        drawnSinceTick_ = false;
    }
    const double fraction = std::clamp(static_cast<double>(sinceTick(now)) / app.frameInterval, 0.0, 1.0);
    motion_.placeBetween(theRootNode, fraction);
    // After the first picture since the tick, a picture with no input before
    // it differs from the last only where something moved or faded, unless
    // a screen draws something of its own between ticks.
    const bool partial = drawnSinceTick_ && !answerDue_ && !app.changesBetweenTicks;
    const platform::Rect whole{0, 0, picture_->width(), picture_->height()};
    const platform::Rect redrawn = partial ? platform::unite(movedArea_, motion_.placedArea()) : whole;
    picture_->setClip(redrawn);
    movedArea_ = motion_.placedArea();
    // Every screen paints its whole area; only with no screen at all does
    // the picture need to start from the tick's, as the back buffer keeps it.
    const bool drawn = app.drawBetweenTicks(*picture_, fraction, currentScreen() == nullptr);
    picture_->clearClip();
    drawnSinceTick_ = drawn;
    motion_.restore();
    const int presentedBefore = presentCount();
    const bool shown = drawn && app.primarySurface != nullptr && !app.primarySurface->isLost() &&
                       app.window->present(*picture_, redrawn);
    const uint32_t shownAt = clockNow();
    lastPicture_ = now;
    pictureCost_ = (pictureCost_ + static_cast<int32_t>(shownAt - now)) / 2;
    if (!shown) {
        // The next frame deals with whatever failed, as it always has.
        dropped_ = true;
        return;
    }
    answerDue_ = false;
    if (stats_ != nullptr) {
        stats_->picture(shownAt, fraction, presentCount() != presentedBefore);
        answerInput(shownAt);
    }
}

void PicturePacer::handled(const platform::Message& message) {
    answerDue_ = true;
    const Sprite* const before = screen_;
    screen_ = currentScreen();
    if (stats_ != nullptr && isInput(message.message) && screen_ == before) waitingInput_.push_back(message.time);
}

void PicturePacer::answerInput(const uint32_t& shownAt) {
    for (const uint32_t stamp : waitingInput_) stats_->inputAnswered(static_cast<int32_t>(shownAt - stamp));
    waitingInput_.clear();
}

int PicturePacer::presentCount() const {
    return application_.window != nullptr ? application_.window->presentCount() : 0;
}
