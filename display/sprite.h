// The display node: position, size, image frames, opacity, frame animation
// and an owned array of children. Every screen, panel, button and block is one.
#pragma once

#include "display/motion_record.h"

class Image;

// Opacity runs from 0 (invisible) to 128 (opaque).
constexpr int opaqueAlpha = 128;

class Sprite {
public:
    Sprite();
    Sprite(Sprite* const& parent, const int& x, const int& y, Image* const& image);
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // The virtual operations, in slot order.
    virtual ~Sprite();
    virtual void init(Sprite* const& parent, const int& x, const int& y, Image* const& image);
    virtual bool loadSurfaces();
    virtual bool releaseSurfaces();
    virtual void setImage(Image* const& image);
    virtual void setOriginX(const int& value);
    virtual void setOriginY(const int& value);
    virtual void setOrigin(const int& ox, const int& oy);
    virtual int getOriginX();
    virtual int getOriginY();
    virtual void setX(const int& value);
    virtual void setY(const int& value);
    virtual void setPosition(const int& newX, const int& newY);
    virtual int getX();
    virtual int getY();
    virtual void moveX(const int& dx);
    virtual void moveY(const int& dy);
    virtual void moveBy(const int& dx, const int& dy);
    virtual void setWidth(const int& value);
    virtual void setHeight(const int& value);
    virtual void setSize(const int& w, const int& h);
    virtual int getWidth();
    virtual int getHeight();
    virtual int getRight();
    virtual int getBottom();
    virtual void setFrame(int index);
    virtual int getFrame();
    virtual void nextFrame();
    virtual void prevFrame();
    virtual void setAlpha(const int& value);
    virtual int getAlpha();
    virtual void setLooping(const bool& flag);
    virtual bool isLooping();
    virtual void setAnimating(const bool& flag);
    virtual bool isAnimating();
    virtual void tick();
    virtual void onFrameChanged();
    virtual void onChildDone(Sprite* const& child, const int& code);
    virtual bool drawClipped(const int& left, const int& top, const int& right, const int& bottom);
    virtual bool draw();
    virtual void handleEvent(const int& event);

    Sprite* parent = nullptr;
    int originX = 0;
    int originY = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int frame = 0;
    int frameCount = 1;
    int alpha = opaqueAlpha;
    bool animating = false;
    bool looping = false;
    Sprite** children = nullptr;
    int childCount = 0;
    Image* image = nullptr;
    bool hasImage = false;
    // Kept for the pictures between ticks; moves add to its travel.
    MotionRecord motion;

protected:
    // Gives the node n empty child slots; derived classes call it from create.
    void allocateChildren(const int& n);
};
