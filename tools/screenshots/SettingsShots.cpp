#include "tools/screenshots/Shots.h"

void ShootSettings(const ShotContext&) {}
