// Placeholder canvas until the platform layer lands.
#include "app/application.h"

bool Application::fillRect(const int&, const int&, const int&, const int&, const uint32_t&) { return false; }
bool Application::beginDraw() { return false; }
bool Application::endDraw() { return true; }
bool Application::setPen(const int&, const uint32_t&) { return true; }
bool Application::releasePen() { return true; }
bool Application::drawLine(const int&, const int&, const int&, const int&) { return true; }
bool Application::setFont(const char* const&, const int&, const uint32_t&) { return true; }
bool Application::releaseFont() { return true; }
bool Application::drawText(const int&, const int&, const int&, const int&, const int&, const char* const&) {
    return true;
}
bool Application::drawNumber(const int&, const int&, const int&, const int&, const int&, const uint32_t&) {
    return true;
}
bool Application::measureText(const char* const&, const int&, const char* const&, const int&, int& w, int& h) {
    w = 0;
    h = 0;
    return true;
}
