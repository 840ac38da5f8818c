// The display node's base behaviour: frame rules, origin propagation,
// drawing, ticking and the surface walks over the owned children.
#include "display/sprite.h"

#include "media/image.h"

Sprite::Sprite() = default;

Sprite::Sprite(Sprite* const& parent, const int& x, const int& y, Image* const& image) { init(parent, x, y, image); }

Sprite::~Sprite() {
    for (int i = 0; i < childCount; ++i) {
        delete children[i];
        children[i] = nullptr;
    }
    if (childCount > 0) {
        delete[] children;
        children = nullptr;
        childCount = 0;
    }
}

void Sprite::allocateChildren(const int& n) {
    children = new Sprite*[n]();
    childCount = n;
}

void Sprite::init(Sprite* const& newParent, const int& newX, const int& newY, Image* const& newImage) {
    if (newParent != nullptr) {
        originX = newParent->getX() + newParent->getOriginX();
        originY = newParent->getY() + newParent->getOriginY();
    } else {
        originX = 0;
        originY = 0;
    }
    parent = newParent;
    x = newX;
    y = newY;
    frame = 0;
    alpha = opaqueAlpha;
    animating = false;
    looping = false;
    childCount = 0;
    children = nullptr;
    image = newImage;
    motion = MotionRecord{};
    if (newImage != nullptr) {
        width = newImage->frameWidth;
        height = newImage->frameHeight;
        frameCount = newImage->frameCount;
        hasImage = true;
    } else {
        width = 0;
        height = 0;
        frameCount = 1;
        hasImage = false;
    }
}

bool Sprite::loadSurfaces() {
    bool ok = true;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr && !children[i]->loadSurfaces()) ok = false;
    if (hasImage && image != nullptr && !image->createSurface()) return false;
    return ok;
}

bool Sprite::releaseSurfaces() {
    bool ok = true;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr && !children[i]->releaseSurfaces()) ok = false;
    if (hasImage && image != nullptr && !image->releaseSurface()) return false;
    return ok;
}

void Sprite::setImage(Image* const& newImage) {
    hasImage = true;
    image = newImage;
    frameCount = newImage->frameCount;
    if (frame >= frameCount)
        frame = frameCount - 1;
    else if (frame < 0)
        frame = 0;
    setSize(newImage->frameWidth, newImage->frameHeight);
}

void Sprite::setOriginX(const int& value) {
    originX = value;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr) children[i]->setOriginX(x + value);
}

void Sprite::setOriginY(const int& value) {
    originY = value;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr) children[i]->setOriginY(y + value);
}

void Sprite::setOrigin(const int& ox, const int& oy) {
    originX = ox;
    originY = oy;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr) children[i]->setOrigin(x + ox, y + oy);
}

int Sprite::getOriginX() { return originX; }
int Sprite::getOriginY() { return originY; }

void Sprite::setX(const int& value) {
    if (value == x) return;
    x = value;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr) children[i]->setOriginX(originX + x);
}

void Sprite::setY(const int& value) {
    if (value == y) return;
    y = value;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr) children[i]->setOriginY(originY + y);
}

void Sprite::setPosition(const int& newX, const int& newY) {
    if (newX == x && newY == y) return;
    x = newX;
    y = newY;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr) children[i]->setOrigin(originX + x, originY + y);
}

int Sprite::getX() { return x; }
int Sprite::getY() { return y; }
// Moves are told from jumps (setX, setPosition) by their travel: only a
// node that moved may be drawn part of the way between two ticks.
void Sprite::moveX(const int& dx) {
    setX(x + dx);
    motion.travelX += dx;
}

void Sprite::moveY(const int& dy) {
    setY(y + dy);
    motion.travelY += dy;
}

void Sprite::moveBy(const int& dx, const int& dy) {
    setPosition(x + dx, y + dy);
    motion.travelX += dx;
    motion.travelY += dy;
}
void Sprite::setWidth(const int& value) { width = value; }
void Sprite::setHeight(const int& value) { height = value; }

void Sprite::setSize(const int& w, const int& h) {
    width = w;
    height = h;
}

int Sprite::getWidth() { return width; }
int Sprite::getHeight() { return height; }
int Sprite::getRight() { return x + width; }
int Sprite::getBottom() { return y + height; }

void Sprite::setFrame(int index) {
    if (index == frame) return;
    if (index >= frameCount) {
        index = looping ? index % frameCount : frameCount - 1;
    } else if (index < 0) {
        if (looping) {
            index %= frameCount;
            if (index < 0) index += frameCount;
        } else {
            index = 0;
        }
    }
    if (index == frame) return;
    frame = index;
    onFrameChanged();
}

int Sprite::getFrame() { return frame; }
void Sprite::nextFrame() { setFrame(frame + 1); }
void Sprite::prevFrame() { setFrame(frame - 1); }

void Sprite::setAlpha(const int& value) {
    if (value == alpha) return;
    alpha = value < 0 ? 0 : (value > opaqueAlpha ? opaqueAlpha : value);
}

int Sprite::getAlpha() { return alpha; }
void Sprite::setLooping(const bool& flag) { looping = flag; }
bool Sprite::isLooping() { return looping; }
void Sprite::setAnimating(const bool& flag) { animating = flag; }
bool Sprite::isAnimating() { return animating; }

void Sprite::tick() {
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr) children[i]->tick();
    if (animating) nextFrame();
}

void Sprite::onFrameChanged() {}

void Sprite::onChildDone(Sprite* const&, const int&) {}

bool Sprite::drawClipped(const int& left, const int& top, const int& right, const int& bottom) {
    if (alpha == 0) return true;
    if (hasImage) {
        const int screenX = originX + x;
        const int screenY = originY + y;
        const bool drawn = alpha == opaqueAlpha
                               ? image->blitClipped(screenX, screenY, left, top, right, bottom, frame)
                               : image->alphaBlit(screenX, screenY, frame, alpha);
        if (!drawn) return false;
    }
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr && !children[i]->drawClipped(left, top, right, bottom)) return false;
    return true;
}

bool Sprite::draw() {
    if (alpha == 0) return true;
    if (hasImage) {
        const int screenX = originX + x;
        const int screenY = originY + y;
        const bool drawn = alpha == opaqueAlpha ? image->blit(screenX, screenY, frame)
                                                : image->alphaBlit(screenX, screenY, frame, alpha);
        if (!drawn) return false;
    }
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr && !children[i]->draw()) return false;
    return true;
}

void Sprite::handleEvent(const int&) {}
