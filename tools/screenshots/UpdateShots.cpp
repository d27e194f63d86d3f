#include "tools/screenshots/Shots.h"

void ShootUpdate(const ShotContext&) {}
