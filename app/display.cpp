// Placeholder display device until the platform layer lands.
#include "app/application.h"

bool Application::createDisplay() { return false; }
bool Application::createSurfaces() { return false; }
bool Application::releaseSurfaces() { return true; }
bool Application::releaseDisplay() { return true; }
bool Application::restoreSurfaces() { return false; }
bool Application::present() { return false; }
